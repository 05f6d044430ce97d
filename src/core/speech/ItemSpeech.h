#pragma once

#include "core/platform/ScanVoice.h"
#include "core/speech/PcmOutput.h"
#include "core/speech/Synthesizer.h"

#include <functional>
#include <memory>
#include <QByteArray>
#include <QHash>
#include <QObject>

namespace ortolino {

class ItemSynthesis;

// Auditory scanning through espeak-ng: the items of the window in use are
// synthesized on a worker thread into memory as soon as they are known, so
// that an item reached is heard at once; an item not ready yet is synthesized
// before any other. The cue is a short tone made here. What is playing is cut
// by stopping the output, which drops what it still holds (after a short fade,
// where the output makes one). Use from one thread.
class ItemSpeech final : public QObject, public ScanVoice
{
public:
    // The synthesizer is made on the worker thread, when first needed
    // (starting espeak-ng reads every voice file).
    using SynthesizerFactory = std::function<std::unique_ptr<Synthesizer>()>;

    ItemSpeech(SynthesizerFactory synthesizer, SpeechAudio audio, QObject* parent = nullptr);
    ~ItemSpeech() override;
    ItemSpeech(const ItemSpeech&) = delete;
    ItemSpeech& operator=(const ItemSpeech&) = delete;

    void prepare(const ScanVoiceSetup& setup, const QStringList& items) override;
    int speak(const QString& item) override;
    void stop() override;

    // The item's audio is in memory.
    bool ready(const QString& item) const { return audio_.contains(item); }
    // How long the item takes (an estimate while it is not ready).
    int lengthMs(const QString& item) const;

    static constexpr int kCueMs = 60;

private:
    struct Audio
    {
        QByteArray pcm;
        int sampleRate = 0;
    };

    void received(quint64 generation, const QString& item, const Audio& audio);
    void play(const Audio& audio);
    void cut();
    Audio cue() const;

    SpeechAudio output_;
    std::unique_ptr<PcmOutput> device_;
    ClockOutput clock_;
    PcmOutput* playing_ = nullptr; // the output in use while an item plays
    qint64 written_ = 0;
    ScanVoiceSetup setup_;
    quint64 generation_ = 0; // changes with the voice: older audio is dropped
    QHash<QString, Audio> audio_;
    QString waitingFor_; // reached before its audio was ready
    int sampleRate_ = SilentSynthesizer::kSampleRate;
    std::unique_ptr<ItemSynthesis> synthesis_;
};

// Drops the silence espeak-ng leaves around a short item (16-bit samples), so
// that the item starts at once and its length is what is heard.
QByteArray trimSilence(const QByteArray& pcm, int sampleRate);

} // namespace ortolino
