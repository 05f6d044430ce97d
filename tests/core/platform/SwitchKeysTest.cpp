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

// The edges the scanning tests do not reach; each row presses at `at` for
// `heldMs` after a choice made at 0.
TEST(SwitchTiming, ShortPressesAndPressesRightAfterAChoiceAreIgnored)
{
    const std::tuple<int, int, int, int, bool> cases[] = {
        {0, 0, 10, 0, true},        // the defaults: every press counts
        {300, 0, 1000, 300, true},  // exactly the acceptance time
        {0, 800, 799, 2000, false}, // held past the ignore time: still ignored
    };
    for (const auto& [acceptanceMs, ignoreMs, atMs, heldMs, counts] : cases) {
        ManualClock clock;
        SwitchTiming timing;
        timing.setTiming({1000, 1, 0, acceptanceMs, ignoreMs}, &clock);
        timing.chose();
        clock.now = atMs / 1000.0;
        timing.down(Qt::Key_Space);
        clock.now += heldMs / 1000.0;
        EXPECT_EQ(timing.up(Qt::Key_Space), counts)
            << acceptanceMs << " " << ignoreMs << " " << atMs << " " << heldMs;
        EXPECT_FALSE(timing.up(Qt::Key_Space)); // a release without its press is nothing
    }
    // A press whose release never comes (the focus went) does not count.
    ManualClock clock;
    SwitchTiming timing;
    timing.setTiming({0, 1, 0, 300, 0}, &clock);
    timing.down(Qt::Key_Space);
    timing.lost();
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

TEST(SwitchTiming, TheFirstItemIsHeldLongerAndASpokenItemIsHeardWhole)
{
    const std::tuple<int, double, int, int, int> cases[] = {
        {1000, 2.5, 0, 2500, 1000}, // whole steps are not required
        {1000, 0.5, 0, 1000, 1000}, // never less than one step
        {1000, 2, 1200, 2000, 1350},
        {1000, 1, 300, 1000, 1000}, // a short item: the step still lasts its time
    };
    for (const auto& [stepMs, firstItemSteps, spokenMs, firstHold, otherHold] : cases) {
        SwitchTiming timing;
        timing.setTiming({stepMs, firstItemSteps, 0, 0, 0}, nullptr);
        timing.setSpokenMs(spokenMs);
        EXPECT_EQ(timing.holdMs(true), firstHold) << stepMs << " " << spokenMs;
        EXPECT_EQ(timing.holdMs(false), otherHold) << stepMs << " " << spokenMs;
        timing.pauseInsteadOfStep(false); // the next step forgets the spoken length
        EXPECT_EQ(timing.holdMs(false), stepMs);
    }
}

// Rounds of three items: the scan reaches the first item at steps 0, 3, 6...
TEST(SwitchTiming, TheScanPausesAfterTheSetRoundsAndAChoiceOrAResumeCountsAnew)
{
    auto pausesAt = [](int loops, int choiceAtStep) {
        SwitchTiming timing;
        timing.setTiming({1000, 1, loops, 0, 0}, nullptr);
        for (int step = 0; step < 40; ++step) {
            if (step == choiceAtStep)
                timing.chose();
            if (timing.pauseInsteadOfStep(step % 3 == 0))
                return step;
        }
        return -1;
    };
    EXPECT_EQ(pausesAt(0, -1), -1); // never
    EXPECT_EQ(pausesAt(1, -1), 3);  // one whole round shown, then the pause
    EXPECT_EQ(pausesAt(3, -1), 9);
    EXPECT_EQ(pausesAt(1, 2), 6); // a choice in the first round: one more whole round

    SwitchTiming timing;
    timing.setTiming({1000, 1, 1, 0, 0}, nullptr);
    EXPECT_FALSE(timing.pauseInsteadOfStep(true));
    EXPECT_TRUE(timing.pauseInsteadOfStep(true));
    timing.resume(); // the scan stands on the first item again: one more round
    EXPECT_FALSE(timing.pauseInsteadOfStep(false));
    EXPECT_TRUE(timing.pauseInsteadOfStep(true));
}

TEST(SwitchTiming, AConfirmationIsTheSameChoiceAgainWithinItsTime)
{
    ManualClock clock;
    SwitchTiming timing;
    timing.setTiming({}, &clock);
    EXPECT_FALSE(timing.confirm(4));
    clock.now = 4.9;
    EXPECT_EQ(timing.askingLeftMs(), 100);
    EXPECT_TRUE(timing.confirm(4));

    EXPECT_FALSE(timing.confirm(4));
    clock.now += kConfirmMs / 1000.0; // too late: asks again, for its whole time
    EXPECT_FALSE(timing.confirm(4));
    EXPECT_EQ(timing.askingLeftMs(), kConfirmMs);
}

} // namespace
