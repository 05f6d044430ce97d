#include "core/platform/SwitchInput.h"
#include "support/Doubles.h"

#include <gtest/gtest.h>
#include <Qt>

using namespace ortolino;
using ortolino::test::ManualClock;

namespace {

TEST(SwitchKeys, AHeldKeyCountsOnceHoweverItRepeats)
{
    SwitchKeys keys;
    int earlier = -1;
    EXPECT_TRUE(keys.press(Qt::Key_Space, false));
    EXPECT_FALSE(keys.press(Qt::Key_Space, true));  // marked as a repeat
    EXPECT_FALSE(keys.press(Qt::Key_Space, false)); // down already
    // X servers may repeat as release-press pairs: the release only waits.
    EXPECT_TRUE(keys.release(Qt::Key_Space, false, &earlier));
    EXPECT_EQ(earlier, 0);
    EXPECT_FALSE(keys.press(Qt::Key_Space, false)); // still down
    EXPECT_EQ(keys.takePendingRelease(), 0);
    EXPECT_TRUE(keys.release(Qt::Key_Space, false, &earlier));
    EXPECT_EQ(keys.takePendingRelease(), Qt::Key_Space); // the one real release
    EXPECT_EQ(keys.takePendingRelease(), 0);
    EXPECT_TRUE(keys.press(Qt::Key_Space, false)); // a new press after it

    EXPECT_FALSE(keys.release(Qt::Key_Return, false, &earlier)); // pressed in another window

    keys.press(Qt::Key_A, false);
    keys.press(Qt::Key_B, false);
    keys.release(Qt::Key_A, false, &earlier);
    keys.release(Qt::Key_B, false, &earlier);
    EXPECT_EQ(earlier, Qt::Key_A); // a second release makes the first final
    EXPECT_EQ(keys.takePendingRelease(), Qt::Key_B);

    keys.press(Qt::Key_Space, false);
    keys.press(Qt::Key_Return, false);
    keys.release(Qt::Key_Return, false, &earlier);
    EXPECT_TRUE(keys.forget()); // the focus went elsewhere
    EXPECT_FALSE(keys.release(Qt::Key_Space, false, &earlier));
    EXPECT_EQ(keys.takePendingRelease(), 0);
    EXPECT_FALSE(keys.forget());
}

// Presses as the timing rules see them: each row presses at `at` for `heldMs`
// after a choice made at 0, and counts or not.
TEST(SwitchTiming, ShortPressesAndPressesRightAfterAChoiceAreIgnored)
{
    struct Case
    {
        int acceptanceMs, ignoreMs, atMs, heldMs;
        bool counts;
    };
    const Case cases[] = {
        {0, 0, 10, 0, true},         // the defaults: every press counts
        {300, 0, 1000, 299, false},  // shorter than the acceptance time
        {300, 0, 1000, 300, true},   // exactly the acceptance time
        {300, 0, 1000, 5000, true},  // held long: still one press
        {0, 800, 500, 100, false},   // starts inside the ignore time
        {0, 800, 799, 2000, false},  // held past it: still ignored
        {0, 800, 800, 50, true},     // starts as it ends
        {200, 800, 900, 150, false}, // after the ignore time but too short
    };
    for (const Case& c : cases) {
        ManualClock clock;
        SwitchTiming timing;
        timing.setTiming({1000, 1, 0, c.acceptanceMs, c.ignoreMs}, &clock);
        timing.chose();
        clock.now = c.atMs / 1000.0;
        timing.down(Qt::Key_Space);
        clock.now += c.heldMs / 1000.0;
        EXPECT_EQ(timing.up(Qt::Key_Space), c.counts)
            << c.acceptanceMs << " " << c.ignoreMs << " " << c.atMs << " " << c.heldMs;
        EXPECT_FALSE(timing.up(Qt::Key_Space)); // a release without its press is nothing
    }
    // A press whose release never comes (the focus went) does not count.
    ManualClock clock;
    SwitchTiming timing;
    timing.setTiming({0, 1, 0, 300, 0}, &clock);
    timing.down(Qt::Key_Space);
    timing.lost();
    EXPECT_FALSE(timing.up(Qt::Key_Space));
    // Two switches: each press is timed on its own.
    timing.down(Qt::Key_Space);
    clock.now += 0.2;
    timing.down(Qt::Key_Return);
    clock.now += 0.2;
    EXPECT_TRUE(timing.up(Qt::Key_Space));
    EXPECT_FALSE(timing.up(Qt::Key_Return));
    // Without a clock every press counts.
    timing.setTiming({1000, 1, 0, 500, 500}, nullptr);
    timing.down(Qt::Key_Space);
    EXPECT_TRUE(timing.up(Qt::Key_Space));
}

TEST(SwitchTiming, TheFirstItemIsHeldLongerAndASpokenItemIsHeardWhole)
{
    struct Case
    {
        int stepMs;
        double firstItemSteps;
        int spokenMs;
        int firstHold, otherHold;
    };
    const Case cases[] = {
        {1000, 1, 0, 1000, 1000},    {1000, 2.5, 0, 2500, 1000}, {1000, 0.5, 0, 1000, 1000},
        {1000, 2, 1200, 2000, 1350}, {250, 1, 400, 550, 550},    {1500, 1, 1000, 1500, 1500},
    };
    for (const Case& c : cases) {
        SwitchTiming timing;
        timing.setTiming({c.stepMs, c.firstItemSteps, 0, 0, 0}, nullptr);
        timing.setSpokenMs(c.spokenMs);
        EXPECT_EQ(timing.holdMs(true), c.firstHold) << c.stepMs << " " << c.spokenMs;
        EXPECT_EQ(timing.holdMs(false), c.otherHold) << c.stepMs << " " << c.spokenMs;
        timing.pauseInsteadOfStep(false); // the next step forgets the spoken length
        EXPECT_EQ(timing.holdMs(false), c.stepMs);
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
    EXPECT_TRUE(timing.paused());
    timing.resume(); // the scan stands on the first item again: one more round
    EXPECT_FALSE(timing.paused());
    EXPECT_FALSE(timing.pauseInsteadOfStep(false));
    EXPECT_TRUE(timing.pauseInsteadOfStep(true));
}

TEST(SwitchTiming, AConfirmationIsTheSameChoiceAgainWithinItsTime)
{
    ManualClock clock;
    SwitchTiming timing;
    timing.setTiming({}, &clock);
    EXPECT_FALSE(timing.confirm(4));
    EXPECT_EQ(timing.asking(), 4);
    clock.now = 4.9;
    EXPECT_EQ(timing.askingLeftMs(), 100);
    EXPECT_TRUE(timing.confirm(4));
    EXPECT_EQ(timing.asking(), -1);

    EXPECT_FALSE(timing.confirm(4));
    clock.now += kConfirmMs / 1000.0; // too late: asks again
    EXPECT_EQ(timing.asking(), -1);
    EXPECT_FALSE(timing.confirm(4));
    EXPECT_FALSE(timing.confirm(2)); // another item asks for itself
    EXPECT_FALSE(timing.confirm(4));
    timing.stopAsking();
    EXPECT_FALSE(timing.confirm(4));
}

} // namespace
