#pragma once

#include "platform/SpeakingCharacter.h"
#include "platform/speech/PcmOutput.h"

#include <functional>
#include <memory>
#include <QAudioDevice>
#include <QBuffer>
#include <QObject>
#include <QTimer>

class QAudioSink;

namespace ortolino {

// Which audio device to use; by default the system's default output, asked
// each time (a null device means there is none).
using AudioDeviceSource = std::function<QAudioDevice()>;
AudioDeviceSource defaultAudioDevice();

// Speech audio through a QAudioSink in push mode, fed as synthesis goes.
// start() fails at once when there is no device or the sink cannot open; a
// sink that fails later counts as finished, so speech never waits on it.
class QtPcmOutput final : public QObject, public PcmOutput
{
public:
    explicit QtPcmOutput(AudioDeviceSource device = defaultAudioDevice());
    ~QtPcmOutput() override;

    bool start(int sampleRate) override;
    void write(const QByteArray& pcm) override;
    qint64 playedSamples() const override;
    void stop() override;

private:
    void pump();

    AudioDeviceSource device_;
    std::unique_ptr<QAudioSink> sink_;
    QIODevice* io_ = nullptr;
    QByteArray pending_;
    qint64 written_ = 0; // samples handed over, pending included
    int rate_ = 0;
    QTimer pumpTimer_;
};

// Short sounds (WAV files) played without waiting; a new sound cuts the one
// playing, as the original sound call did.
class QtSoundPlayer final : public QObject, public SoundPlayer
{
public:
    explicit QtSoundPlayer(AudioDeviceSource device = defaultAudioDevice());
    ~QtSoundPlayer() override;

    // False (with the reason in lastError()) when the file cannot be read or
    // decoded, there is no audio device, or the device refuses the sound.
    bool play(const QString& wavPath) override;
    QString lastError() const { return lastError_; }

private:
    void release();

    AudioDeviceSource device_;
    std::unique_ptr<QAudioSink> sink_;
    QBuffer buffer_;
    quint64 generation_ = 0; // counts the sounds started
    QString lastError_;
};

} // namespace ortolino
