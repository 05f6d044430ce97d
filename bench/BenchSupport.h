#pragma once

// What the benchmarks share: an audio output that notes when a sound's first
// sample arrives, message boxes that never show, and the real program on its
// shipped data (the folder beside the benchmark) with the real clock.
#include "core/app/Program.h"
#include "core/platform/Clock.h"
#include "core/platform/MessageBoxes.h"
#include "core/platform/Random.h"
#include "core/platform/Waiter.h"
#include "core/speech/PcmOutput.h"

#include <QCoreApplication>
#include <QElapsedTimer>

namespace ortolino::bench {

// Notes in *firstNs when the first sample arrives and plays nothing. A sound
// counts as heard at once, or (Played::Never) as cut before any of it played.
class TimingOutput final : public PcmOutput
{
public:
    enum class Played
    {
        AtOnce,
        Never
    };
    TimingOutput(qint64* firstNs, const QElapsedTimer& clock, Played played = Played::AtOnce)
        : first_(firstNs), clock_(clock), played_(played)
    {
    }
    bool start(int) override
    {
        written_ = 0;
        return true;
    }
    void write(const QByteArray& pcm) override
    {
        if (*first_ < 0 && !pcm.isEmpty())
            *first_ = clock_.nsecsElapsed();
        written_ += pcm.size() / 2;
    }
    qint64 playedSamples() const override { return played_ == Played::AtOnce ? written_ : 0; }
    void stop() override { written_ = 0; }

private:
    qint64* first_;
    const QElapsedTimer& clock_;
    Played played_;
    qint64 written_ = 0;
};

class SilentMessages final : public MessageBoxes
{
public:
    Answer show(const Message&) override { return Answer::Ok; }
};

struct BenchProgram
{
    SystemRandom random;
    SteadyClock clock;
    SilentMessages messages;
    EventLoopWaiter waiter{clock};
    Program program{Environment::fromSystem(QCoreApplication::applicationDirPath()), services()};

private:
    Services services()
    {
        Services wired;
        wired.random = &random;
        wired.clock = &clock;
        wired.messages = &messages;
        wired.waiter = &waiter;
        return wired;
    }
};

} // namespace ortolino::bench
