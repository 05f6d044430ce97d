#include "core/report/PageLayout.h"

#include <algorithm>

namespace ortolino {

TwipsRect drawingRect(const PaperGeometry& paper, const Margins& margins)
{
    return {margins.left - paper.offsetLeft, margins.top - paper.offsetTop,
            paper.width - margins.right - paper.offsetLeft,
            paper.height - margins.bottom - paper.offsetTop};
}

PageSlice slicePage(const std::vector<LineBox>& lines, int first, double pageHeight, int textLength)
{
    // The line holding `first` is the last one that starts at or before it.
    auto start =
        std::upper_bound(lines.begin(), lines.end(), first, [](int position, const LineBox& line) {
            return position < line.firstChar;
        });
    if (start != lines.begin())
        --start;
    if (start == lines.end())
        return {0, 0, textLength};

    constexpr double kTolerance = 1e-6; // layout positions are sums of fractions
    const double limit = start->top + pageHeight + kTolerance;
    auto end = start;
    while (end != lines.end() && end->bottom <= limit)
        ++end;
    if (end == start)
        return {start->top, start->top, first};
    return {start->top, std::prev(end)->bottom, end == lines.end() ? textLength : end->firstChar};
}

PrintRun printPages(int textLength, const std::function<int(int first)>& placePage,
                    const std::function<void()>& newPage)
{
    PrintRun run;
    int first = 0;
    for (;;) {
        ++run.pages;
        const int next = placePage(first);
        if (next >= textLength)
            break;
        if (next <= first) {
            run.complete = false;
            break;
        }
        first = next;
        newPage();
    }
    return run;
}

} // namespace ortolino
