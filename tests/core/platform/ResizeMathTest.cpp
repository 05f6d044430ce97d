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

TEST(ResizeMathTest, TextGrowsWithTheWidthAndFitsItsBox)
{
    EXPECT_DOUBLE_EQ(textScale(1920.0 / 684, 1050.0 / 536) / textScale(1280.0 / 684, 770.0 / 536),
                     1.5);
    EXPECT_DOUBLE_EQ(textScale(0, 2), 2); // a window with no width yet
    EXPECT_DOUBLE_EQ(textScale(std::numeric_limits<double>::quiet_NaN(), 0), 1);

    struct Case
    {
        double smallest, largest, limit; // the text fits up to `limit` points
        double expected;
    };
    const Case cases[] = {
        {6, 40, 17.3, 17.3}, // found to a tenth of a point
        {6, 40, 99, 40},     // room to spare: the ceiling
        {6, 40, 2, 6},       // nothing fits: the floor, never less
        {6, 4, 99, 6},       // a ceiling under the floor
    };
    for (const Case& c : cases) {
        int measured = 0;
        const double size = largestFittingSize(c.smallest, c.largest, [&](double points) {
            ++measured;
            return points <= c.limit;
        });
        EXPECT_NEAR(size, c.expected, 0.1) << c.limit;
        EXPECT_LE(size, std::max(c.limit, c.smallest)) << c.limit;
        EXPECT_LE(measured, 12) << c.limit;
    }

    // A line 100 wide and 20 high (ascent 16): ink within it needs the line;
    // ink reaching 6 past its right and 4 under it counts on both sides.
    EXPECT_EQ(centredTextBox(QRectF(0, -16, 100, 20), QRectF(2, -12, 90, 14)), QSizeF(100, 20));
    EXPECT_EQ(centredTextBox(QRectF(0, -16, 100, 20), QRectF(2, -12, 104, 20)), QSizeF(112, 28));
    EXPECT_EQ(centredTextBox(QRectF(0, -16, 100, 20), QRectF()), QSizeF(100, 20));
}

} // namespace
