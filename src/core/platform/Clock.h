#pragma once

#include <QElapsedTimer>

namespace ortolino {

// A clock in seconds. Waits and scan timing read it; tests move it by hand.
class Clock
{
public:
    virtual ~Clock() = default;
    virtual double seconds() const = 0;
};

class SteadyClock final : public Clock
{
public:
    SteadyClock() { timer_.start(); }
    double seconds() const override { return static_cast<double>(timer_.nsecsElapsed()) / 1e9; }

private:
    QElapsedTimer timer_;
};

} // namespace ortolino
