#include "core/platform/Waiter.h"

#include "core/platform/Clock.h"

#include <ctime>
#include <gtest/gtest.h>
#include <QTimer>

namespace {

TEST(EventLoopWaiter, HandlesEventsUntilTheTimeIsUpWithoutSpinning)
{
    ortolino::SteadyClock clock;
    double firedAt = -1;
    QTimer::singleShot(20, [&] { firedAt = clock.seconds(); });
    const double start = clock.seconds();
    const std::clock_t cpuStart = std::clock();
    ortolino::EventLoopWaiter(clock).wait(0.2);
    EXPECT_GE(clock.seconds() - start, 0.2);
    EXPECT_TRUE(firedAt >= 0 && firedAt - start < 0.2) << "the timer did not fire inside the wait";
    EXPECT_LT(double(std::clock() - cpuStart) / CLOCKS_PER_SEC, 0.1)
        << "the wait kept the processor busy";
}

} // namespace
