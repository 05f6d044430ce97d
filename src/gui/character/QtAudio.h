#pragma once

#include "core/platform/SpeakingCharacter.h"
#include "core/speech/PcmOutput.h"

#include <functional>
#include <memory>
#include <QAudioDevice>
#include <QAudioFormat>
#include <QObject>
#include <QTimer>

class QAudioSink;
class QThread;

namespace ortolino {

// Which audio device to use; by default the system's default output, asked
// each time (a null device means there is none).
using AudioDeviceSource = std::function<QAudioDevice()>;
AudioDeviceSource defaultAudioDevice();

// Characters' speech through QtPcmOutput on that device.
SpeechAudio qtSpeechAudio(AudioDeviceSource device = defaultAudioDevice());

// A QAudioSink fed in push mode, whatever the amount: what the sink cannot take
// yet waits and is pushed by a timer. The sink stays open between sounds,
// because a new audio stream can take a noticeable time to start playing.
class PushedSink final : public QObject
{
public:
    // The sink's buffer is short, so that a cut is heard at once; what waits
    // is offered to it every kPumpMs.
    static constexpr int kBufferMs = 40;
    static constexpr int kPumpMs = 5;
    static constexpr int kFadeOutMs = 10;

    PushedSink();
    ~PushedSink() override;
    // Opens (or keeps) a sink for the device and format; false when it cannot.
    bool open(const QAudioDevice& device, const QAudioFormat& format);
    void push(const QByteArray& bytes);
    // Everything pushed has been played and the sink is waiting.
    bool drained() const;
    // The sink works (or merely ran out of data).
    bool healthy() const;
    qint64 processedUSecs() const;
    qint64 bufferedBytes() const;
    // Ends the sound without a click where it can: what waits is cut to a fade
    // of at most kFadeOutMs (16-bit sound), after what the device already
    // holds, and the sink stays open; otherwise the sink is closed.
    void cut();
    void dropPending();
    void close();
    bool isOpen() const { return sink_ != nullptr; }

private:
    void pump();

    std::unique_ptr<QAudioSink> sink_;
    QIODevice* io_ = nullptr;
    QAudioDevice device_;
    QAudioFormat format_;
    QByteArray pending_;
    QTimer pumpTimer_{this}; // a child, so that it moves with the sink to a thread
};

// A PushedSink on a thread of its own, so that a window busy drawing cannot
// starve its short buffer (it would click). Every use runs there, while the
// caller waits.
class SinkThread
{
public:
    SinkThread();
    ~SinkThread();
    SinkThread(const SinkThread&) = delete;
    SinkThread& operator=(const SinkThread&) = delete;

    // f(PushedSink&) run on the sink's thread; its result.
    template <typename F> auto run(F&& f) const;

private:
    QThread* thread_;
    PushedSink* sink_; // lives on thread_
};

// Speech audio, fed as synthesis goes. start() fails at once when there is no
// device or the sink cannot open; a sink that fails later says so (failed())
// and counts as played out, so speech never waits on it. stop() cannot take
// back what the sink already holds, so it lets that play out and fades what
// would have followed: a cut word dies away instead of clicking, and the next
// utterance follows the fade.
class QtPcmOutput final : public PcmOutput
{
public:
    explicit QtPcmOutput(AudioDeviceSource device = defaultAudioDevice());

    bool start(int sampleRate) override;
    void write(const QByteArray& pcm) override;
    qint64 playedSamples() const override;
    void stop() override;
    void finish() override;
    bool failed() const override;

private:
    AudioDeviceSource device_;
    SinkThread sink_;
    qint64 written_ = 0;    // samples of this utterance handed over
    qint64 startUSecs_ = 0; // what the sink had processed when the utterance began
    int rate_ = 0;
};

// Short sounds (WAV files) played without waiting; a new sound cuts the one
// still playing, so an answer's sound is never late behind an older one (a
// 16-bit sound followed by one of its own format fades out, without a click).
class QtSoundPlayer final : public SoundPlayer
{
public:
    explicit QtSoundPlayer(AudioDeviceSource device = defaultAudioDevice());

    // False (with the reason in lastError()) when the file cannot be read or
    // decoded, there is no audio device, or the device refuses the sound.
    bool play(const QString& wavPath) override;
    QString lastError() const { return lastError_; }

private:
    AudioDeviceSource device_;
    SinkThread sink_;
    QString lastError_;
};

} // namespace ortolino
