#pragma once

#include <functional>
#include <memory>
#include <QByteArray>
#include <QElapsedTimer>

namespace ortolino {

// Where speech audio goes: 16-bit mono samples, written as they are made.
class PcmOutput
{
public:
    virtual ~PcmOutput() = default;
    // Opens the output for a new utterance; false when it cannot play.
    virtual bool start(int sampleRate) = 0;
    virtual void write(const QByteArray& pcm) = 0;
    // Samples of this utterance already heard (or, silently, already due).
    virtual qint64 playedSamples() const = 0;
    // Ends playback, dropping what is still to come: at once, or after what a
    // device already holds (tens of ms) and a short fade, so as not to click.
    virtual void stop() = 0;
    // The utterance has played out; an output may stay open for the next one.
    virtual void finish() { stop(); }
    // Since start() the output has stopped playing on its own (its device or
    // sound server went away).
    virtual bool failed() const { return false; }
};

// Where characters' speech is heard: a new output for each character, and
// whether a device is there to hear it. Left empty, speech runs silently (on
// a clock).
struct SpeechAudio
{
    std::function<std::unique_ptr<PcmOutput>()> newOutput;
    std::function<bool()> hasDevice;
};

// Plays nothing, but lets time pass as if it did: used when there is no audio
// device, so that the mouth moves and the balloon stays as long as the speech.
class ClockOutput final : public PcmOutput
{
public:
    bool start(int sampleRate) override;
    void write(const QByteArray& pcm) override;
    qint64 playedSamples() const override;
    void stop() override;

private:
    int rate_ = 0;
    qint64 written_ = 0;
    QElapsedTimer clock_; // starts with the first sample
};

// The start of 16-bit PCM (channels interleaved) made into a fade to silence
// of at most `frames` frames. Played after a cut in place of the rest, the wave
// dies away instead of breaking off, which would be heard as a click.
QByteArray fadedStart(const QByteArray& pcm, int channels, qint64 frames);

} // namespace ortolino
