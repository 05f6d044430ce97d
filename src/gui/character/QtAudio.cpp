#include "gui/character/QtAudio.h"

#include "core/speech/WavFile.h"

#include <algorithm>
#include <optional>
#include <QAudioSink>
#include <QMediaDevices>
#include <QThread>
#include <type_traits>

namespace ortolino {

namespace {

QAudioFormat formatOf(const PcmSound& sound)
{
    QAudioFormat format;
    format.setSampleRate(sound.sampleRate);
    format.setChannelCount(sound.channels);
    switch (sound.format) {
    case PcmSound::Format::UInt8:
        format.setSampleFormat(QAudioFormat::UInt8);
        break;
    case PcmSound::Format::Int16:
        format.setSampleFormat(QAudioFormat::Int16);
        break;
    case PcmSound::Format::Int32:
        format.setSampleFormat(QAudioFormat::Int32);
        break;
    case PcmSound::Format::Float:
        format.setSampleFormat(QAudioFormat::Float);
        break;
    }
    return format;
}

QAudioFormat speechFormat(int sampleRate)
{
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
}

} // namespace

AudioDeviceSource defaultAudioDevice()
{
    return [] { return QMediaDevices::defaultAudioOutput(); };
}

SpeechAudio qtSpeechAudio(AudioDeviceSource device)
{
    SpeechAudio audio;
    audio.newOutput = [device]() -> std::unique_ptr<PcmOutput> {
        return std::make_unique<QtPcmOutput>(device);
    };
    audio.hasDevice = [device] { return !device().isNull(); };
    return audio;
}

PushedSink::PushedSink()
{
    pumpTimer_.setInterval(kPumpMs);
    pumpTimer_.setTimerType(Qt::PreciseTimer);
    connect(&pumpTimer_, &QTimer::timeout, this, &PushedSink::pump);
}

PushedSink::~PushedSink()
{
    close();
}

bool PushedSink::open(const QAudioDevice& device, const QAudioFormat& format)
{
    // What still waits (a fade-out) plays before what comes next.
    if (sink_ && device == device_ && format == format_ && healthy() &&
        sink_->state() != QAudio::StoppedState)
        return true;
    close();
    if (device.isNull())
        return false;
    sink_ = std::make_unique<QAudioSink>(device, format);
    sink_->setBufferSize(format.bytesForDuration(qint64(kBufferMs) * 1000));
    io_ = sink_->start();
    if (io_ == nullptr || !healthy()) {
        close();
        return false;
    }
    device_ = device;
    format_ = format;
    return true;
}

void PushedSink::push(const QByteArray& bytes)
{
    if (!sink_)
        return;
    pending_ += bytes;
    pump();
}

void PushedSink::pump()
{
    while (sink_ && io_ != nullptr && !pending_.isEmpty()) {
        const qint64 frame = std::max(1, format_.bytesPerFrame());
        const qint64 room = std::min<qint64>(sink_->bytesFree(), pending_.size());
        const qint64 taken =
            room >= frame ? io_->write(pending_.constData(), room - room % frame) : 0;
        if (taken <= 0)
            break;
        pending_.remove(0, taken);
    }
    if (pending_.isEmpty())
        pumpTimer_.stop();
    else if (!pumpTimer_.isActive())
        pumpTimer_.start();
}

bool PushedSink::drained() const
{
    return pending_.isEmpty() && (!sink_ || sink_->state() == QAudio::IdleState);
}

bool PushedSink::healthy() const
{
    const QAudio::Error error = sink_ ? sink_->error() : QAudio::OpenError;
    return error == QAudio::NoError || error == QAudio::UnderrunError;
}

qint64 PushedSink::processedUSecs() const
{
    return sink_ ? sink_->processedUSecs() : 0;
}

qint64 PushedSink::bufferedBytes() const
{
    return sink_ ? std::max<qint64>(0, sink_->bufferSize() - sink_->bytesFree()) : 0;
}

void PushedSink::cut()
{
    if (!sink_ || !healthy() || format_.sampleFormat() != QAudioFormat::Int16) {
        close();
        return;
    }
    // What the device holds is out of reach: the fade is made of what would
    // have followed it.
    pending_ = fadedStart(pending_, format_.channelCount(),
                          format_.framesForDuration(qint64(kFadeOutMs) * 1000));
    pump();
}

void PushedSink::dropPending()
{
    pumpTimer_.stop();
    pending_.clear();
}

void PushedSink::close()
{
    dropPending();
    io_ = nullptr;
    if (sink_) {
        sink_->stop();
        sink_.reset();
    }
}

SinkThread::SinkThread() : thread_(new QThread), sink_(new PushedSink)
{
    thread_->setObjectName(QStringLiteral("audio"));
    sink_->moveToThread(thread_);
    thread_->start(QThread::HighestPriority);
}

template <typename F> auto SinkThread::run(F&& f) const
{
    using Result = std::invoke_result_t<F, PushedSink&>;
    if constexpr (std::is_void_v<Result>) {
        QMetaObject::invokeMethod(
            sink_, [&] { f(*sink_); }, Qt::BlockingQueuedConnection);
    } else {
        Result result{};
        QMetaObject::invokeMethod(
            sink_, [&] { result = f(*sink_); }, Qt::BlockingQueuedConnection);
        return result;
    }
}

SinkThread::~SinkThread()
{
    run([](PushedSink& sink) { delete &sink; }); // the sink closes where it lives
    thread_->quit();
    thread_->wait();
    delete thread_;
}

QtPcmOutput::QtPcmOutput(AudioDeviceSource device) : device_(std::move(device)) {}

bool QtPcmOutput::start(int sampleRate)
{
    const bool utteranceLeft = written_ > 0; // neither stopped nor finished: dropped whole
    written_ = 0;
    const QAudioDevice device = device_();
    const std::optional<qint64> startUSecs =
        sink_.run([&](PushedSink& sink) -> std::optional<qint64> {
            if (utteranceLeft)
                sink.dropPending();
            if (!sink.open(device, speechFormat(sampleRate)))
                return std::nullopt;
            return sink.processedUSecs();
        });
    if (!startUSecs)
        return false;
    rate_ = sampleRate;
    startUSecs_ = *startUSecs;
    return true;
}

void QtPcmOutput::write(const QByteArray& pcm)
{
    const bool taken = sink_.run([&](PushedSink& sink) {
        if (!sink.isOpen())
            return false;
        sink.push(pcm);
        return true;
    });
    if (taken)
        written_ += pcm.size() / 2;
}

qint64 QtPcmOutput::playedSamples() const
{
    return sink_.run([this](const PushedSink& sink) {
        if (!sink.isOpen() || !sink.healthy() || (sink.drained() && written_ > 0))
            return written_;
        // What the device took, less what still waits in its buffer; the last
        // sample counts only once the device has gone idle.
        const qint64 handed = (sink.processedUSecs() - startUSecs_) * rate_ / 1000000;
        return std::clamp<qint64>(handed - sink.bufferedBytes() / 2, 0,
                                  std::max<qint64>(0, written_ - 1));
    });
}

bool QtPcmOutput::failed() const
{
    return sink_.run([](const PushedSink& sink) { return !sink.isOpen() || !sink.healthy(); });
}

void QtPcmOutput::stop()
{
    written_ = 0;
    sink_.run([](PushedSink& sink) { sink.cut(); });
}

void QtPcmOutput::finish()
{
    written_ = 0;
    sink_.run([](PushedSink& sink) {
        sink.dropPending();
        if (!sink.healthy())
            sink.close();
    });
}

QtSoundPlayer::QtSoundPlayer(AudioDeviceSource device) : device_(std::move(device)) {}

bool QtSoundPlayer::play(const QString& wavPath)
{
    const std::optional<PcmSound> sound = readWavFile(wavPath, &lastError_);
    if (!sound)
        return false;
    const QAudioDevice device = device_();
    if (device.isNull()) {
        lastError_ = QStringLiteral("no audio device");
        return false;
    }
    const bool started = sink_.run([&](PushedSink& sink) {
        // A sound still playing is cut; the new one follows its fade when the
        // sink can take it, else it opens one of its own.
        if (!sink.drained())
            sink.cut();
        if (!sink.open(device, formatOf(*sound)))
            return false;
        sink.push(sound->data);
        return true;
    });
    lastError_ = started ? QString() : QStringLiteral("the audio device refused the sound");
    return started;
}

} // namespace ortolino
