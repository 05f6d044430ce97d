#include "core/report/PageLayout.h"

#include <gtest/gtest.h>

using namespace ortolino;

namespace {

constexpr Margins kOneInch{1440, 1440, 1440, 1440};
constexpr int kA4Width = 11906, kA4Height = 16838; // twips

// Pages filling and a line taller than a page are seen in print (ReportPrintingTest).
TEST(PageLayoutTest, MarginsHoldFromThePapersEdge)
{
    // A printable area a quarter inch in: the far edges come from the whole paper.
    const TwipsRect rect = drawingRect({kA4Width, kA4Height, 360, 240}, kOneInch);
    EXPECT_EQ(rect, (TwipsRect{1080, 1200, kA4Width - 1440 - 360, kA4Height - 1440 - 240}));
}

} // namespace
