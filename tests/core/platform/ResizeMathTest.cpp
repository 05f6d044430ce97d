#include "core/platform/ResizeMath.h"

#include <gtest/gtest.h>
#include <limits>

using namespace ortolino;

namespace {

// Scaling by tags and its rounding are seen on real controls (ResizerTest); the
// text's growth also in LettereLifeTest.
TEST(ResizeMathTest, FactorsAndTextSizesStayFiniteAndTextFitsItsBoxInFewMeasures)
{
    Geometry out;
    EXPECT_FALSE(scaleGeometry({}, {}, {}, std::numeric_limits<double>::infinity(), 1.0, out));
    EXPECT_DOUBLE_EQ(textScale(0, 2), 2); // a window with no width yet
    EXPECT_DOUBLE_EQ(textScale(std::numeric_limits<double>::quiet_NaN(), 0), 1);

    // The text fits up to `limit` points.
    const std::tuple<double, double, double, double> cases[] = {
        {6, 40, 17.3, 17.3}, // found to a tenth of a point
        {6, 40, 99, 40},     // room to spare: the ceiling
        {6, 40, 2, 6},       // nothing fits: the floor, never less
    };
    for (const auto& [smallest, largest, limit, expected] : cases) {
        int measured = 0;
        const double size = largestFittingSize(smallest, largest, [&](double points) {
            ++measured;
            return points <= limit;
        });
        EXPECT_NEAR(size, expected, 0.1) << limit;
        EXPECT_LE(size, std::max(limit, smallest)) << limit;
        EXPECT_LE(measured, 12) << limit;
    }

    // A line 100 wide and 20 high (ascent 16): ink within it needs the line;
    // ink reaching 6 past its right and 4 under it counts on both sides.
    EXPECT_EQ(centredTextBox(QRectF(0, -16, 100, 20), QRectF(2, -12, 90, 14)), QSizeF(100, 20));
    EXPECT_EQ(centredTextBox(QRectF(0, -16, 100, 20), QRectF(2, -12, 104, 20)), QSizeF(112, 28));
}

} // namespace
