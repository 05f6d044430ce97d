#include "core/platform/Waiter.h"

#include "core/platform/Clock.h"

#include <chrono>
#include <cmath>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>

namespace ortolino {

void EventLoopWaiter::wait(double seconds)
{
    if (QCoreApplication::instance() == nullptr)
        return;
    // Only locals after the loop runs: whatever owns this waiter may be gone
    // by the time an event handled inside the wait returns here.
    const Clock& clock = clock_;
    const double end = clock.seconds() + seconds;
    for (double left = seconds; left > 0; left = end - clock.seconds()) {
        QEventLoop loop;
        const auto pause =
            std::chrono::milliseconds(static_cast<long long>(std::ceil(left * 1000)));
        QTimer::singleShot(pause, Qt::PreciseTimer, &loop, &QEventLoop::quit);
        // A loop that refuses to run (the application is quitting) ends the wait.
        if (loop.exec() != 0)
            return;
    }
}

} // namespace ortolino
