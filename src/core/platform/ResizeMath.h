#pragma once

#include <functional>
#include <QRectF>
#include <QString>

namespace ortolino {

// Which of a control's four values follow the window's size. A tag that is
// empty or does not begin with "@" scales all four; otherwise the letters
// L, T, W and H found anywhere in it (any case) choose them.
struct ResizeTag
{
    bool left = true, top = true, width = true, height = true;
    static ResizeTag parse(const QString& tag);
};

// Position and size of a control (for a line: its two end points X1 Y1 X2 Y2).
struct Geometry
{
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const Geometry&, const Geometry&) = default;
};

// A recorded geometry scaled by the window's present size over its recorded
// size. Values a tag does not select keep their present value. False, and
// nothing scaled, when a factor is not a number (a window recorded with no area).
bool scaleGeometry(const Geometry& recorded, const Geometry& present, const ResizeTag& tag,
                   double horizontalFactor, double verticalFactor, Geometry& result);

// A window of p percent of the screen, centred on it.
Geometry sizeToScreen(int screenWidth, int screenHeight, int percent);

// Twips (1440 to the inch) to pixels at a logical DPI, and back.
int twipsToPixels(int twips, double dpi);
int pixelsToTwips(int pixels, double dpi);

// How much a text designed at a window's design size grows at the window's
// present size: with the window's width, the way a child sees a wider screen
// (a 1920 pixel screen shows the word 1.5 times as large as a 1280 one).
// Fitting the text to its box (below) then keeps it inside when the window is
// wide but low.
double textScale(double horizontalFactor, double verticalFactor);

// The largest point size from `smallest` up to `largest`, to a tenth of a
// point, at which fits(points) holds; `smallest` when none does. A text that
// fits at one size must fit at every smaller one.
double largestFittingSize(double smallest, double largest, const std::function<bool(double)>& fits);

// The box a text needs so that, drawn centred by its line (its advance and
// its font's line height, the line's origin at 0,0 with the baseline at y 0),
// all its ink stays inside: ink beyond the line on one side counts on both,
// because centring splits the box evenly.
QSizeF centredTextBox(const QRectF& line, const QRectF& ink);

} // namespace ortolino
