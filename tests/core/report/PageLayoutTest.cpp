#include "core/report/PageLayout.h"

#include <gtest/gtest.h>

using namespace ortolino;

namespace {

constexpr Margins kOneInch{1440, 1440, 1440, 1440};
constexpr int kA4Width = 11906, kA4Height = 16838; // twips

TEST(PageLayoutTest, MarginsHoldFromThePapersEdge)
{
    // A printable area starting a quarter inch in: the text still starts one
    // inch from the edge, and the far edges come from the whole paper.
    const TwipsRect rect = drawingRect({kA4Width, kA4Height, 360, 240}, kOneInch);
    EXPECT_EQ(rect, (TwipsRect{1080, 1200, kA4Width - 1440 - 360, kA4Height - 1440 - 240}));

    const TwipsRect full = drawingRect({kA4Width, kA4Height, 0, 0}, {720, 1440, 360, 2880});
    EXPECT_EQ(full, (TwipsRect{720, 1440, kA4Width - 360, kA4Height - 2880}));
}

// Lines of 10 characters, 100 units high, stacked.
std::vector<LineBox> evenLines(int count)
{
    std::vector<LineBox> lines;
    for (int i = 0; i < count; ++i)
        lines.push_back({i * 10, i * 100.0, (i + 1) * 100.0});
    return lines;
}

TEST(PageLayoutTest, APageHoldsTheWholeLinesThatFitAndATallerOneNothing)
{
    const auto lines = evenLines(5);
    PageSlice page = slicePage(lines, 0, 250, 50);
    EXPECT_EQ(page.next, 20);
    EXPECT_DOUBLE_EQ(page.top, 0);
    EXPECT_DOUBLE_EQ(page.bottom, 200);

    page = slicePage(lines, 20, 300, 50); // exactly three lines fit
    EXPECT_EQ(page.next, 50);
    EXPECT_DOUBLE_EQ(page.top, 200);
    EXPECT_DOUBLE_EQ(page.bottom, 500);

    EXPECT_EQ(slicePage(lines, 25, 100, 50).next, 30); // from inside a line: that line first
    EXPECT_EQ(slicePage({}, 0, 100, 0).next, 0);

    // A line taller than the page places nothing.
    const std::vector<LineBox> tall = {{0, 0, 50}, {5, 50, 400}, {9, 400, 450}};
    EXPECT_EQ(slicePage(tall, 0, 100, 12).next, 5);
    const PageSlice stuck = slicePage(tall, 5, 100, 12);
    EXPECT_EQ(stuck.next, 5);
    EXPECT_DOUBLE_EQ(stuck.bottom, stuck.top);
}

TEST(PageLayoutTest, PagesFollowUntilEveryCharacterIsPlaced)
{
    const struct
    {
        int perPage, length, pages;
        bool complete;
        std::vector<int> firsts; // the first character of each page
    } cases[] = {
        {100, 80, 1, true, {0}},
        {40, 120, 3, true, {0, 40, 80}},
        {0, 0, 1, true, {0}},
        {0, 120, 1, false, {0}}, // a page that places nothing ends the job, not for ever
    };
    for (const auto& c : cases) {
        std::vector<int> firsts;
        int newPages = 0;
        const PrintRun run = printPages(
            c.length,
            [&](int first) {
                firsts.push_back(first);
                return first + c.perPage;
            },
            [&] { ++newPages; });
        EXPECT_EQ(run.pages, c.pages) << c.perPage << " " << c.length;
        EXPECT_EQ(run.complete, c.complete) << c.perPage << " " << c.length;
        EXPECT_EQ(firsts, c.firsts) << c.perPage << " " << c.length;
        EXPECT_EQ(newPages, c.pages - 1) << c.perPage << " " << c.length;
    }
}

} // namespace
