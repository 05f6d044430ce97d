#include "core/platform/TerminationSignals.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QTimer>

namespace {

// Each signal a stopping system sends ends the event loop as an exit does (the
// test process would die of it otherwise), and the signal's default handling
// comes back afterwards.
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
