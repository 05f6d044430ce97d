#include "core/platform/Waiter.h"

#include "core/platform/Clock.h"

#include <ctime>
#include <gtest/gtest.h>
#include <QTimer>

using namespace ortolino;

namespace {

TEST(EventLoopWaiter, HandlesEventsUntilTheTimeIsUpWithoutSpinning)
{
    SteadyClock clock;
    EventLoopWaiter waiter(clock);
    double firedAt = -1;
    QTimer::singleShot(20, [&] { firedAt = clock.seconds(); });

    const double start = clock.seconds();
    const std::clock_t cpuStart = std::clock();
    waiter.wait(0.2);
    const double cpu = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;

    EXPECT_GE(clock.seconds() - start, 0.2);
    ASSERT_GE(firedAt, 0) << "the timer did not fire inside the wait";
    EXPECT_LT(firedAt - start, 0.2);
    EXPECT_LT(cpu, 0.1) << "the wait kept the processor busy";
}

} // namespace
