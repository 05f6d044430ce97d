#pragma once

#include "core/speech/SpeechTags.h"

#include <functional>
#include <QByteArray>
#include <QList>
#include <QString>

namespace ortolino {

// The mouth shapes every character draws.
enum class MouthShape
{
    Rest,   // closed, at ease (silence)
    Closed, // lips pressed: m, b, p
    Small,  // slightly open: most consonants, the neutral vowel
    Open,   // wide open: a
    Wide,   // stretched, teeth showing: e, i, f, v
    Round,  // rounded: o, u, w
};
inline constexpr int kMouthShapeCount = 6;

// From this sample of the utterance on, the mouth takes this shape.
struct MouthCue
{
    qint64 sample = 0;
    MouthShape shape = MouthShape::Rest;

    friend bool operator==(const MouthCue&, const MouthCue&) = default;
};

// The mouth shape for an espeak-ng phoneme mnemonic ("a", "E", "m", "_:", ...).
MouthShape mouthForPhoneme(QStringView phoneme);
// The mouth shape for a written letter (used when no phonemes are known).
MouthShape mouthForLetter(QChar letter);
// The shape in force at a sample: the last cue at or before it.
MouthShape mouthAt(const QList<MouthCue>& cues, qint64 sample);

// Synthesized audio, 16-bit signed mono at the synthesizer's sample rate.
struct AudioChunk
{
    QByteArray pcm;       // little-endian 16-bit samples
    QList<MouthCue> cues; // positions are counted from the utterance's start
    qint64 samples() const { return pcm.size() / 2; }
};

// What to say and in which voice.
struct SpeechRequest
{
    QList<SpokenPart> parts;
    QString voiceName; // an espeak-ng voice name (may be empty or unknown)
    QString language;  // the espeak-ng language to fall back on
};

// Turns speech into audio. synthesize() calls `deliver` with the audio in
// order, as it is made; `deliver` returns false to stop early. It returns
// false (with a reason in *error) when no audio could be made.
class Synthesizer
{
public:
    using Deliver = std::function<bool(const AudioChunk&)>;
    virtual ~Synthesizer() = default;
    virtual int sampleRate() const = 0;
    virtual bool synthesize(const SpeechRequest& request, const Deliver& deliver,
                            QString* error) = 0;
};

// Speech for when there is no voice: silence as long as the words would take,
// with the mouth moving letter by letter, so that the character still talks
// (silently) and its balloon stays up for a readable time.
class SilentSynthesizer final : public Synthesizer
{
public:
    static constexpr int kSampleRate = 22050;
    explicit SilentSynthesizer(int sampleRate = kSampleRate)
        : rate_(sampleRate > 0 ? sampleRate : kSampleRate)
    {
    }
    int sampleRate() const override { return rate_; }
    bool synthesize(const SpeechRequest& request, const Deliver& deliver, QString* error) override;
    // How long a text takes at a speed, in milliseconds.
    static qint64 durationMs(const QString& text, int speed);

private:
    int rate_;
};

} // namespace ortolino
