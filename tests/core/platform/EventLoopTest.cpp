// The event loop's ends: a wait that keeps it turning, and a stopping system.
#include "core/platform/Clock.h"
#include "core/platform/TerminationSignals.h"
#include "core/platform/Waiter.h"

#include <ctime>
#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTimer>

namespace {

TEST(EventLoopWaiter, HandlesEventsUntilTheTimeIsUpWithoutSpinning)
{
    ortolino::SteadyClock clock;
    double firedAt = -1;
    QTimer::singleShot(20, [&] { firedAt = clock.seconds(); });
    const double start = clock.seconds();
    const std::clock_t cpuStart = std::clock();
    // Long beside the timer, so a loaded machine still fires it inside the wait;
    // a spinning wait would take far more processor time than this allows.
    ortolino::EventLoopWaiter(clock).wait(0.5);
    EXPECT_GE(clock.seconds() - start, 0.5);
    EXPECT_TRUE(firedAt >= 0 && firedAt - start < 0.5) << "the timer did not fire inside the wait";
    EXPECT_LT(double(std::clock() - cpuStart) / CLOCKS_PER_SEC, 0.15)
        << "the wait kept the processor busy";
}

// Each signal a stopping system sends ends the event loop as an exit does (else the test
// process dies of it), and the signal's default handling comes back afterwards.
TEST(TerminationSignals, EndTheEventLoopsLikeAnExit)
{
    for (const int signal : {SIGTERM, SIGHUP, SIGINT}) {
        {
            ortolino::TerminationSignals taken;
            ASSERT_TRUE(taken.active());
            QTimer notEnded; // the loop's end when the signal does not end it
            QObject::connect(&notEnded, &QTimer::timeout, [] { QCoreApplication::exit(1); });
            notEnded.start(5000);
            QTimer::singleShot(0, [signal] { std::raise(signal); });
            EXPECT_EQ(QCoreApplication::exec(), 0) << signal;
        }
        struct sigaction now = {};
        sigaction(signal, nullptr, &now);
        EXPECT_EQ(now.sa_handler, SIG_DFL) << signal;
    }
}

} // namespace
