#include "platform/character/QtAudio.h"

#include "platform/speech/WavFile.h"

#include <algorithm>
#include <QAudioSink>
#include <QMediaDevices>

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

} // namespace

AudioDeviceSource defaultAudioDevice()
{
    return [] { return QMediaDevices::defaultAudioOutput(); };
}

QtPcmOutput::QtPcmOutput(AudioDeviceSource device) : device_(std::move(device))
{
    pumpTimer_.setInterval(10);
    connect(&pumpTimer_, &QTimer::timeout, this, &QtPcmOutput::pump);
}

QtPcmOutput::~QtPcmOutput()
{
    stop();
}

bool QtPcmOutput::start(int sampleRate)
{
    stop();
    const QAudioDevice device = device_();
    if (device.isNull())
        return false;
    QAudioFormat format;
    format.setSampleRate(sampleRate);
    format.setChannelCount(1);
    format.setSampleFormat(QAudioFormat::Int16);
    sink_ = std::make_unique<QAudioSink>(device, format);
    io_ = sink_->start();
    if (io_ == nullptr || sink_->error() != QAudio::NoError) {
        stop();
        return false;
    }
    rate_ = sampleRate;
    return true;
}

void QtPcmOutput::write(const QByteArray& pcm)
{
    if (!sink_)
        return;
    pending_ += pcm;
    written_ += pcm.size() / 2;
    pump();
}

void QtPcmOutput::pump()
{
    if (!sink_ || io_ == nullptr)
        return;
    while (!pending_.isEmpty()) {
        const qint64 room = std::min<qint64>(sink_->bytesFree() & ~qint64(1), pending_.size());
        const qint64 taken = room > 0 ? io_->write(pending_.constData(), room) : 0;
        if (taken <= 0)
            break;
        pending_.remove(0, taken);
    }
    if (pending_.isEmpty())
        pumpTimer_.stop();
    else if (!pumpTimer_.isActive())
        pumpTimer_.start();
}

qint64 QtPcmOutput::playedSamples() const
{
    if (!sink_)
        return written_;
    const QAudio::Error error = sink_->error();
    const bool broken = error != QAudio::NoError && error != QAudio::UnderrunError;
    const bool drained = pending_.isEmpty() && sink_->state() == QAudio::IdleState;
    if (broken || (drained && written_ > 0))
        return written_;
    // What the device took, less what still waits in its buffer; the last
    // sample counts only once the device has gone idle.
    const qint64 handed = sink_->processedUSecs() * rate_ / 1000000;
    const qint64 buffered = std::max<qint64>(0, sink_->bufferSize() - sink_->bytesFree()) / 2;
    return std::clamp<qint64>(handed - buffered, 0, std::max<qint64>(0, written_ - 1));
}

void QtPcmOutput::stop()
{
    pumpTimer_.stop();
    pending_.clear();
    written_ = 0;
    io_ = nullptr;
    if (sink_) {
        sink_->stop();
        sink_.reset();
    }
}

QtSoundPlayer::QtSoundPlayer(AudioDeviceSource device) : device_(std::move(device)) {}

QtSoundPlayer::~QtSoundPlayer()
{
    release();
}

void QtSoundPlayer::release()
{
    if (sink_) {
        sink_->stop();
        sink_.reset();
    }
    buffer_.close();
}

bool QtSoundPlayer::play(const QString& wavPath)
{
    release();
    const std::optional<PcmSound> sound = readWavFile(wavPath, &lastError_);
    if (!sound)
        return false;
    const QAudioDevice device = device_();
    if (device.isNull()) {
        lastError_ = QStringLiteral("no audio device");
        return false;
    }
    buffer_.setData(sound->data);
    buffer_.open(QIODevice::ReadOnly);
    sink_ = std::make_unique<QAudioSink>(device, formatOf(*sound));
    const quint64 playing = ++generation_;
    connect(sink_.get(), &QAudioSink::stateChanged, this, [this, playing](QAudio::State state) {
        // Over (or failed): give the device back, unless another sound took over.
        if (state != QAudio::ActiveState) {
            QMetaObject::invokeMethod(
                this,
                [this, playing] {
                    if (generation_ == playing)
                        release();
                },
                Qt::QueuedConnection);
        }
    });
    sink_->start(&buffer_);
    if (sink_->error() != QAudio::NoError) {
        lastError_ = QStringLiteral("the audio device refused the sound");
        release();
        return false;
    }
    lastError_.clear();
    return true;
}

} // namespace ortolino
