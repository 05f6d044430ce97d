#include "core/speech/CharacterMotion.h"

#include <gtest/gtest.h>

using namespace ortolino;

namespace {

// Blinking, hopping in, gestures and the idle gesture are looks only; here
// whether the character is there at all (Show and Hide: the window's test).
TEST(CharacterMotion, ItComesFullyIntoViewAndGoesAfterShrinkingOnce)
{
    CharacterMotion motion;
    EXPECT_FALSE(motion.visibleAt(0));
    motion.show(0);
    const CharacterPose settled = motion.poseAt(1000, false);
    EXPECT_EQ(std::pair(settled.scale, settled.opacity), std::pair(1.0, 1.0));
    motion.hide(14000);
    EXPECT_TRUE(motion.visibleAt(14100)); // shrinks away
    EXPECT_FALSE(motion.visibleAt(14000 + MotionTiming{}.hideMs));
    motion.hide(15000); // hiding twice changes nothing
    EXPECT_FALSE(motion.visibleAt(15000));
}

TEST(BalloonPlacement, AboveWhenThereIsRoomElseBesideAndAlwaysOnScreen)
{
    const QRect screen(0, 0, 1280, 800);
    const QSize body(300, 100);
    // Room above: the body centred over the anchor.
    const BalloonPlacement above = placeBalloon({500, 400, 160, 192}, {580, 430}, body, 20, screen);
    EXPECT_EQ(above.body, QRect(430, 310, 300, 100));
    // Near the left edge: still inside the screen.
    EXPECT_EQ(placeBalloon({0, 400, 160, 192}, {80, 430}, body, 20, screen).body.left(), 0);
    // At the top: beside the character, to its right, or to its left at the right edge.
    const QRect top(200, 10, 160, 192);
    const BalloonPlacement right = placeBalloon(top, {280, 40}, body, 20, screen);
    EXPECT_GE(right.body.left(), top.right());
    const QRect topRight(1100, 10, 160, 192);
    const BalloonPlacement left = placeBalloon(topRight, {1180, 40}, body, 20, screen);
    EXPECT_LE(left.body.right(), topRight.left());
    // A screen too narrow for either side: below the character.
    const BalloonPlacement below =
        placeBalloon({100, 0, 160, 192}, {180, 30}, body, 20, QRect(0, 0, 500, 800));
    EXPECT_GT(below.body.top(), 192);
    for (const BalloonPlacement& p : {above, right, left, below})
        EXPECT_TRUE(QRect(0, 0, 1280, 800).contains(p.body));
}

} // namespace
