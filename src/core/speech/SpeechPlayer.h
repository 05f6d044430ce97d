#pragma once

#include "core/speech/PcmOutput.h"
#include "core/speech/SpeechTags.h"
#include "core/speech/Synthesizer.h"

#include <atomic>
#include <memory>
#include <optional>
#include <QElapsedTimer>
#include <QObject>
#include <QQueue>
#include <QTimer>

class QThread;

namespace ortolino {

class SynthesisWorker;

// A character's speech queue. speak() returns at once; utterances are
// synthesized one after the other on a worker thread and played in order,
// each starting as soon as its first audio is there. stopAll() empties the
// queue and cuts the utterance in progress at once. When the synthesizer
// fails, the utterance runs silently (the mouth moves, the balloon shows);
// when the output cannot play, or stops playing midway, the rest runs on a
// clock. Use from one thread only.
class SpeechPlayer : public QObject
{
    Q_OBJECT
public:
    SpeechPlayer(std::unique_ptr<Synthesizer> synthesizer, std::unique_ptr<PcmOutput> output,
                 QObject* parent = nullptr);
    ~SpeechPlayer() override;

    // The voice for later utterances: an espeak-ng voice name, and the
    // language whose voice stands in when the name is unknown.
    void setVoice(const QString& voiceName, const QString& language);

    void speak(const SpeechText& text);
    void stopAll();

    bool isSpeaking() const { return current_.has_value(); }
    qsizetype queued() const { return queue_.size(); }
    QString shownText() const { return current_ ? current_->text.shown : QString(); }
    MouthShape mouth() const { return mouth_; }
    // Why the last utterance could not be heard (empty when it was).
    QString lastError() const { return lastError_; }
    // The last utterance started found its output unable to play and runs on
    // a clock: a device may still be listed whose sound server has gone.
    bool outputRefused() const { return outputRefused_; }

    // How long playback may stand still before the rest of the utterance runs
    // on the clock (or, with nothing to play, the utterance is given up).
    static constexpr int kStallMs = 3000;

signals:
    void utteranceStarted(const QString& shown);
    void utteranceFinished();

private:
    struct Utterance
    {
        quint64 id = 0;
        SpeechText text;
        qint64 written = 0;
        bool synthesisDone = false;
        QList<MouthCue> cues;
        qint64 lastPlayed = 0;
        QElapsedTimer sinceProgress;
    };

    void startNext();
    void finishCurrent();
    void onChunk(quint64 id, const AudioChunk& chunk);
    void onSynthesisDone(quint64 id, const QString& error);
    void tick();
    PcmOutput& output() { return usingClock_ ? clock_ : *output_; }
    void goOnOnClockIfOutputLost();

    std::unique_ptr<PcmOutput> output_;
    ClockOutput clock_;
    bool usingClock_ = false;
    bool outputRefused_ = false;
    qint64 clockFrom_ = 0; // samples heard before the utterance went on on the clock
    int sampleRate_ = 0;
    QString voiceName_;
    QString language_;
    QQueue<SpeechText> queue_;
    std::optional<Utterance> current_;
    quint64 nextId_ = 1;
    std::shared_ptr<std::atomic<quint64>> cancelBelow_;
    MouthShape mouth_ = MouthShape::Rest;
    QString lastError_;
    QTimer ticker_;
    QThread* thread_ = nullptr;
    SynthesisWorker* worker_ = nullptr;
};

} // namespace ortolino
