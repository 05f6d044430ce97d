#include "core/platform/SwitchInput.h"
#include "support/Doubles.h"

#include <gtest/gtest.h>
#include <Qt>

using namespace ortolino;
using ortolino::test::ManualClock;

namespace {

// Repeats and a lost focus are the menu window's test (MenuScanWindowTest).
TEST(SwitchKeys, AReleaseCountsOnlyAfterItsPressAndASecondOneMakesTheFirstFinal)
{
    SwitchKeys keys;
    int earlier = -1;
    EXPECT_FALSE(keys.release(Qt::Key_Return, false, &earlier)); // pressed in another window
    keys.press(Qt::Key_A, false);
    keys.press(Qt::Key_B, false);
    EXPECT_TRUE(keys.release(Qt::Key_A, false, &earlier));
    EXPECT_EQ(earlier, 0); // it may still be a repeat
    EXPECT_TRUE(keys.release(Qt::Key_B, false, &earlier));
    EXPECT_EQ(earlier, Qt::Key_A);
    EXPECT_EQ(keys.takePendingRelease(), Qt::Key_B);
    EXPECT_EQ(keys.takePendingRelease(), 0);
}

// The edges the scanning tests do not reach (too short, too soon, the pause and
// the confirmation are theirs).
TEST(SwitchTiming, PressesAreTimedOnEachSwitchFromTheirLatestPress)
{
    ManualClock clock;
    SwitchTiming timing;
    timing.setTiming({1000, 1, 0, 0, 800}, &clock);
    timing.chose();
    clock.now = 0.799;
    timing.down(Qt::Key_Space);
    clock.now += 2;
    EXPECT_FALSE(timing.up(Qt::Key_Space)); // held past the ignore time: still ignored
    EXPECT_FALSE(timing.up(Qt::Key_Space)); // a release without its press is nothing
    timing.setTiming({0, 1, 0, 300, 0}, &clock);
    timing.down(Qt::Key_Space);
    timing.lost(); // the focus went: the release that comes back later is none
    clock.now += 1;
    EXPECT_FALSE(timing.up(Qt::Key_Space));
    // A press whose release was never seen is replaced by the next one.
    timing.down(Qt::Key_Space);
    clock.now += 1;
    timing.down(Qt::Key_Space);
    clock.now += 0.1;
    EXPECT_FALSE(timing.up(Qt::Key_Space)); // held 100 ms, not 1.1 s
    // Two switches: each press is timed on its own.
    timing.down(Qt::Key_Space);
    clock.now += 0.2;
    timing.down(Qt::Key_Return);
    clock.now += 0.2;
    EXPECT_TRUE(timing.up(Qt::Key_Space));
    EXPECT_FALSE(timing.up(Qt::Key_Return));
}

TEST(SwitchTiming, TheFirstItemIsHeldAtLeastAStepAndASpokenItemIsHeardWhole)
{
    SwitchTiming timing;
    timing.setTiming({1000, 0.5, 0, 0, 0}, nullptr);
    EXPECT_EQ(timing.holdMs(true), 1000); // never less than one step
    timing.setSpokenMs(300);              // a short item: the step still lasts its time
    EXPECT_EQ(timing.holdMs(false), 1000);
    timing.setSpokenMs(1200);
    EXPECT_EQ(timing.holdMs(false), 1200 + kSpokenGapMs);
    timing.pauseInsteadOfStep(false); // the next step forgets the spoken length
    EXPECT_EQ(timing.holdMs(false), 1000);
}

// Rounds of three items: the scan reaches the first item at steps 0, 3, 6...; a
// choice in the first round gives one more whole round before the pause.
TEST(SwitchTiming, AChoiceCountsTheRoundsBeforeThePauseAnew)
{
    SwitchTiming timing;
    timing.setTiming({1000, 1, 1, 0, 0}, nullptr);
    int step = 0;
    for (; step < 40; ++step) {
        if (step == 2)
            timing.chose();
        if (timing.pauseInsteadOfStep(step % 3 == 0))
            break;
    }
    EXPECT_EQ(step, 6);
}

} // namespace
