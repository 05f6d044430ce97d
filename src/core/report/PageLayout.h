#pragma once

#include <functional>
#include <vector>

namespace ortolino {

// Margins in twips (1440 to the inch), each measured from the paper's edge.
struct Margins
{
    int left = 0, top = 0, right = 0, bottom = 0;
};

// A printer's sheet in twips: the whole paper, and where its printable area
// (where drawing starts) lies from the paper's top-left corner.
struct PaperGeometry
{
    int width = 0, height = 0;
    int offsetLeft = 0, offsetTop = 0;
};

struct TwipsRect
{
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

// The area inside the margins, relative to the printable area: the physical
// offset is subtracted so that the margins hold from the paper's edge, and the
// right and bottom edges come from the paper's full size.
TwipsRect drawingRect(const PaperGeometry& paper, const Margins& margins);

// One laid-out line of the text: the character it starts with and its
// vertical extent, in any unit, growing downwards.
struct LineBox
{
    int firstChar = 0;
    double top = 0;
    double bottom = 0;
};

// What one page holds: the vertical band [top, bottom) of the layout, and the
// first character that did not fit (the text's length when all is placed).
struct PageSlice
{
    double top = 0;
    double bottom = 0;
    int next = 0;
};

// The whole lines that fit in pageHeight, starting with the line that holds
// character `first`. Lines are in text order. When even that line is taller
// than the page, nothing is placed and `next` equals `first`.
PageSlice slicePage(const std::vector<LineBox>& lines, int first, double pageHeight,
                    int textLength);

struct PrintRun
{
    int pages = 0;
    bool complete = true; // false when a page placed nothing and the job stopped
};

// Page after page: placePage(first) draws what fits from character `first`
// and returns the first character it did not place; newPage() starts the next
// sheet. Stops when every character is placed, and also when a page places
// nothing, which would otherwise repeat for ever. An empty text prints one page.
PrintRun printPages(int textLength, const std::function<int(int first)>& placePage,
                    const std::function<void()>& newPage);

} // namespace ortolino
