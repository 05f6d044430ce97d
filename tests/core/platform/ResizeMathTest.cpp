#include "core/platform/ResizeMath.h"

#include <gtest/gtest.h>
#include <limits>

using namespace ortolino;

namespace {

TEST(ResizeMathTest, TagsChooseTheScaledValues)
{
    auto is = [](const char* tag, bool l, bool t, bool w, bool h) {
        ResizeTag r = ResizeTag::parse(QString::fromLatin1(tag));
        return r.left == l && r.top == t && r.width == w && r.height == h;
    };
    EXPECT_TRUE(is("", true, true, true, true));
    EXPECT_TRUE(is("size", true, true, true, true)); // no "@": everything scales
    EXPECT_TRUE(is("@L,T", true, true, false, false));
    EXPECT_TRUE(is("@LT", true, true, false, false));
    EXPECT_TRUE(is("@w", false, false, true, false));
    EXPECT_TRUE(is("@", false, false, false, false));
}

TEST(ResizeMathTest, ScalingStartsFromTheRecordAndKeepsUnselectedValues)
{
    Geometry recorded{100, 50, 200, 40};
    Geometry present{7, 8, 9, 10};
    Geometry out;
    ASSERT_TRUE(scaleGeometry(recorded, present, ResizeTag::parse("@L,T"), 2.0, 3.0, out));
    EXPECT_EQ(out, (Geometry{200, 150, 9, 10}));
    ASSERT_TRUE(scaleGeometry(recorded, out, ResizeTag{}, 1.0, 1.0, out));
    EXPECT_EQ(out, recorded); // back to the recorded size restores exactly
    EXPECT_FALSE(scaleGeometry(recorded, present, ResizeTag{},
                               std::numeric_limits<double>::infinity(), 1.0, out));
}

TEST(ResizeMathTest, SeventyFivePercentIsCentred)
{
    // 15360 x 11520 twips -> 11520 x 8640 at 1920, 1440.
    EXPECT_EQ(sizeToScreen(15360, 11520, 75), (Geometry{1920, 1440, 11520, 8640}));
    EXPECT_EQ(twipsToPixels(1440, 96.0), 96);
    EXPECT_EQ(twipsToPixels(15, 96.0), 1);
    EXPECT_EQ(pixelsToTwips(96, 96.0), 1440);
}

} // namespace
