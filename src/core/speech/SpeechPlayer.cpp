#include "core/speech/SpeechPlayer.h"

#include <QThread>

namespace ortolino {

// Lives on the player's thread of synthesis; owns the synthesizers there.
class SynthesisWorker : public QObject
{
public:
    SynthesisWorker(std::unique_ptr<Synthesizer> synthesizer,
                    std::shared_ptr<std::atomic<quint64>> cancelBelow)
        : synthesizer_(std::move(synthesizer)), silent_(synthesizer_->sampleRate()),
          cancelBelow_(std::move(cancelBelow))
    {
    }

    // Synthesizes one utterance and posts its audio, then its end, to the player.
    void run(quint64 id, const SpeechRequest& request, bool silentOnly, SpeechPlayer* player,
             const std::function<void(quint64, const AudioChunk&)>& onChunk,
             const std::function<void(quint64, const QString&)>& onDone)
    {
        if (id < cancelBelow_->load())
            return;
        const Synthesizer::Deliver deliver = [&](const AudioChunk& chunk) {
            if (id < cancelBelow_->load())
                return false;
            QMetaObject::invokeMethod(
                player, [=] { onChunk(id, chunk); }, Qt::QueuedConnection);
            return true;
        };
        QString error;
        if (silentOnly || !synthesizer_->synthesize(request, deliver, &error))
            silent_.synthesize(request, deliver, nullptr);
        QMetaObject::invokeMethod(
            player, [=] { onDone(id, error); }, Qt::QueuedConnection);
    }

private:
    std::unique_ptr<Synthesizer> synthesizer_;
    SilentSynthesizer silent_;
    std::shared_ptr<std::atomic<quint64>> cancelBelow_;
};

SpeechPlayer::SpeechPlayer(std::unique_ptr<Synthesizer> synthesizer,
                           std::unique_ptr<PcmOutput> output, QObject* parent)
    : QObject(parent), output_(std::move(output)), sampleRate_(synthesizer->sampleRate()),
      cancelBelow_(std::make_shared<std::atomic<quint64>>(0))
{
    if (sampleRate_ <= 0)
        sampleRate_ = SilentSynthesizer::kSampleRate;
    thread_ = new QThread(this);
    worker_ = new SynthesisWorker(std::move(synthesizer), cancelBelow_);
    worker_->moveToThread(thread_);
    connect(thread_, &QThread::finished, worker_, &QObject::deleteLater);
    thread_->start();
    ticker_.setInterval(20);
    connect(&ticker_, &QTimer::timeout, this, &SpeechPlayer::tick);
}

SpeechPlayer::~SpeechPlayer()
{
    cancelBelow_->store(nextId_);
    thread_->quit();
    thread_->wait();
    if (current_)
        output().stop();
}

void SpeechPlayer::setVoice(const QString& voiceName, const QString& language)
{
    voiceName_ = voiceName;
    language_ = language;
}

void SpeechPlayer::speak(const SpeechText& text)
{
    queue_.enqueue(text);
    if (!current_)
        startNext();
}

void SpeechPlayer::stopAll()
{
    queue_.clear();
    cancelBelow_->store(nextId_);
    if (current_) {
        output().stop();
        current_.reset();
    }
    ticker_.stop();
    mouth_ = MouthShape::Rest;
}

void SpeechPlayer::startNext()
{
    if (queue_.isEmpty())
        return;
    current_.emplace();
    current_->id = nextId_++;
    current_->text = queue_.dequeue();
    current_->sinceProgress.start();
    usingClock_ = !output_ || !output_->start(sampleRate_);
    outputRefused_ = usingClock_;
    clockFrom_ = 0;
    if (usingClock_)
        clock_.start(sampleRate_);

    SpeechRequest request{current_->text.spoken, voiceName_, language_};
    // A text that says nothing but shows something still keeps its balloon up.
    const bool silentOnly = request.parts.isEmpty();
    if (silentOnly && !current_->text.shown.isEmpty())
        request.parts.append({current_->text.shown, VoiceTone{}});
    const auto onChunk = [this](quint64 id, const AudioChunk& chunk) { this->onChunk(id, chunk); };
    const auto onDone = [this](quint64 id, const QString& error) { onSynthesisDone(id, error); };
    const quint64 id = current_->id;
    QMetaObject::invokeMethod(
        worker_,
        [=, this, worker = worker_] {
            worker->run(id, request, silentOnly, this, onChunk, onDone);
        },
        Qt::QueuedConnection);
    ticker_.start();
    emit utteranceStarted(current_->text.shown);
}

void SpeechPlayer::onChunk(quint64 id, const AudioChunk& chunk)
{
    if (!current_ || current_->id != id)
        return;
    current_->cues.append(chunk.cues);
    if (!chunk.pcm.isEmpty()) {
        output().write(chunk.pcm);
        current_->written += chunk.samples();
    }
}

void SpeechPlayer::onSynthesisDone(quint64 id, const QString& error)
{
    if (!current_ || current_->id != id)
        return;
    current_->synthesisDone = true;
    lastError_ = !error.isEmpty() ? error
                 : usingClock_    ? QStringLiteral("no audio device: speech is silent")
                                  : QString();
    tick();
}

void SpeechPlayer::tick()
{
    if (!current_)
        return;
    if (!usingClock_)
        goOnOnClockIfOutputLost();
    const qint64 played = clockFrom_ + output().playedSamples();
    if (played != current_->lastPlayed) {
        current_->lastPlayed = played;
        current_->sinceProgress.restart();
    }
    mouth_ = mouthAt(current_->cues, played);
    const bool allPlayed = current_->synthesisDone && played >= current_->written;
    const bool stalled = current_->sinceProgress.elapsed() > kStallMs;
    if (allPlayed || stalled)
        finishCurrent();
}

// The sound going away (or standing still, as on a suspended device)
// mid-utterance does not end it: the rest runs on the clock from what was
// heard, so the balloon stays as long as the words would have sounded and the
// mouth goes on moving.
void SpeechPlayer::goOnOnClockIfOutputLost()
{
    const bool failed = output_->failed();
    const bool standing =
        current_->sinceProgress.elapsed() > kStallMs && current_->written > current_->lastPlayed;
    if (!failed && !standing)
        return;
    output_->stop();
    usingClock_ = true;
    outputRefused_ = outputRefused_ || failed;
    clockFrom_ = current_->lastPlayed;
    clock_.start(sampleRate_);
    clock_.write(QByteArray((current_->written - clockFrom_) * 2, Qt::Uninitialized));
    current_->sinceProgress.restart();
}

void SpeechPlayer::finishCurrent()
{
    output().finish();
    current_.reset();
    mouth_ = MouthShape::Rest;
    ticker_.stop();
    emit utteranceFinished();
    startNext();
}

} // namespace ortolino
