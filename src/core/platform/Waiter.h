#pragma once

namespace ortolino {

class Clock;

// A wait of a fixed time during which the program keeps answering: events that
// arrive meanwhile (a key chosen, a timer tick) are handled inside the wait.
// Tests replace it with a double that moves a manual clock.
class Waiter
{
public:
    virtual ~Waiter() = default;
    virtual void wait(double seconds) = 0;
};

// Runs a nested event loop until the clock has moved on by the time asked,
// sleeping in between (a single-shot timer wakes it), so it never spins.
class EventLoopWaiter final : public Waiter
{
public:
    explicit EventLoopWaiter(const Clock& clock) : clock_(clock) {}
    void wait(double seconds) override;

private:
    const Clock& clock_;
};

} // namespace ortolino
