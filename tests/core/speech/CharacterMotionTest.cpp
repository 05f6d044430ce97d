#include "core/speech/CharacterMotion.h"

#include <gtest/gtest.h>

using namespace ortolino;

namespace {

TEST(CharacterMotion, ShowHideAndBlinkComeAndGo)
{
    CharacterMotion motion;
    EXPECT_FALSE(motion.visibleAt(0));
    motion.show(1000);
    EXPECT_TRUE(motion.visibleAt(1000));
    EXPECT_LT(motion.poseAt(1000, false).opacity, 0.1); // hops in
    const CharacterPose settled = motion.poseAt(2000, false);
    EXPECT_DOUBLE_EQ(settled.scale, 1.0);
    EXPECT_DOUBLE_EQ(settled.opacity, 1.0);
    motion.hide(3000);
    EXPECT_TRUE(motion.visibleAt(3100)); // shrinks away
    EXPECT_FALSE(motion.visibleAt(3000 + MotionTiming{}.hideMs));
    motion.hide(4000); // hiding twice changes nothing
    EXPECT_FALSE(motion.visibleAt(4000));

    // The eyes close briefly about once an interval, and open again.
    MotionTiming timing;
    timing.blinkEveryMs = 1000;
    timing.blinkMs = 100;
    CharacterMotion blinking(timing);
    int closedMs = 0, blinks = 0;
    bool wasClosed = false;
    for (qint64 t = 0; t < 20000; ++t) {
        const bool closed = blinking.poseAt(t, false).eyesClosed;
        closedMs += closed;
        blinks += closed && !wasClosed;
        wasClosed = closed;
    }
    EXPECT_GE(blinks, 18);
    EXPECT_LE(blinks, 21);
    EXPECT_EQ(closedMs, blinks * 100);
}

TEST(CharacterMotion, GesturesEndAndQuietTimeBringsTheIdleGesture)
{
    MotionTiming timing;
    timing.idleEveryMs = 5000;
    CharacterMotion motion(timing);
    motion.show(0);
    motion.play("write", 4, 100, 2, 1000);
    EXPECT_EQ(motion.poseAt(1000, false).gesture, "write");
    EXPECT_EQ(motion.poseAt(1450, true).gestureFrame, 0); // the second loop
    EXPECT_TRUE(motion.gestureRunning(1799));
    EXPECT_FALSE(motion.gestureRunning(1800));
    EXPECT_EQ(motion.poseAt(1800, false).gestureFrame, -1);
    motion.play("write", 4, 100, 2, 2000);
    motion.stopGesture();
    EXPECT_TRUE(motion.poseAt(2100, false).gesture.isEmpty());

    EXPECT_FALSE(motion.takeIdleTurn(6000, false));
    EXPECT_FALSE(motion.takeIdleTurn(8000, true)); // speaking counts as activity
    EXPECT_FALSE(motion.takeIdleTurn(12000, false));
    EXPECT_TRUE(motion.takeIdleTurn(13000, false));
    EXPECT_FALSE(motion.takeIdleTurn(13040, false));
    motion.hide(14000);
    EXPECT_FALSE(motion.takeIdleTurn(30000, false));
}

TEST(BalloonPlacement, AboveWhenThereIsRoomElseBesideAndAlwaysOnScreen)
{
    const QRect screen(0, 0, 1280, 800);
    const QSize body(300, 100);
    // Room above: the tail tip is the anchor, the body centred over it.
    const BalloonPlacement above = placeBalloon({500, 400, 160, 192}, {580, 430}, body, 20, screen);
    EXPECT_EQ(above.tip, QPoint(580, 430));
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
