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

} // namespace ortolino
