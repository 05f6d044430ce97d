#include "core/speech/PcmOutput.h"

#include <algorithm>

namespace ortolino {

bool ClockOutput::start(int sampleRate)
{
    rate_ = sampleRate;
    written_ = 0;
    clock_.invalidate();
    return true;
}

void ClockOutput::write(const QByteArray& pcm)
{
    if (!clock_.isValid())
        clock_.start();
    written_ += pcm.size() / 2;
}

qint64 ClockOutput::playedSamples() const
{
    if (!clock_.isValid())
        return 0;
    return std::min(written_, clock_.elapsed() * rate_ / 1000);
}

void ClockOutput::stop()
{
    written_ = 0;
    clock_.invalidate();
}

QByteArray fadedStart(const QByteArray& pcm, int channels, qint64 frames)
{
    channels = std::max(1, channels);
    const qint64 frameBytes = 2 * channels;
    frames = std::clamp<qint64>(frames, 0, pcm.size() / frameBytes);
    QByteArray faded = pcm.left(frames * frameBytes);
    auto* samples = reinterpret_cast<qint16*>(faded.data());
    for (qint64 f = 0; f < frames; ++f) {
        const double gain = double(frames - f) / double(frames + 1);
        for (int c = 0; c < channels; ++c) {
            qint16& sample = samples[f * channels + c];
            sample = qint16(sample * gain);
        }
    }
    return faded;
}

} // namespace ortolino
