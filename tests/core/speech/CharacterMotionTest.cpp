#include "core/speech/CharacterMotion.h"

#include <gtest/gtest.h>

using namespace ortolino;

namespace {

// Blinking, hopping in and gestures are looks only; here whether the character is there at all.
TEST(CharacterMotion, ItComesFullyIntoViewAndGoesAfterShrinking)
{
    CharacterMotion motion;
    EXPECT_FALSE(motion.visibleAt(0));
    motion.show(0);
    const CharacterPose settled = motion.poseAt(1000, false);
    EXPECT_EQ(std::pair(settled.scale, settled.opacity), std::pair(1.0, 1.0));
    motion.hide(14000);
    EXPECT_FALSE(motion.visibleAt(14000 + MotionTiming{}.hideMs));
}

// Above the character, beside it at the top, below it on a narrow screen: always on the screen.
TEST(BalloonPlacement, TheBalloonIsOnTheScreenWhereverTheCharacterStands)
{
    const QRect screen(0, 0, 1280, 800);
    const std::tuple<QRect, QPoint, QRect> cases[] = {
        {{500, 400, 160, 192}, {580, 430}, screen},
        {{0, 400, 160, 192}, {80, 430}, screen},
        {{200, 10, 160, 192}, {280, 40}, screen},
        {{1100, 10, 160, 192}, {1180, 40}, screen},
        {{100, 0, 160, 192}, {180, 30}, {0, 0, 500, 800}},
    };
    for (const auto& [figure, anchor, room] : cases)
        EXPECT_TRUE(room.contains(placeBalloon(figure, anchor, {300, 100}, 20, room).body))
            << figure.x() << "," << figure.y();
}

} // namespace
