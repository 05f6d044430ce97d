#include "core/platform/SwitchInput.h"

#include <gtest/gtest.h>
#include <Qt>

using namespace ortolino;

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

} // namespace
