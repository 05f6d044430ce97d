#include "core/platform/ResizeMath.h"

#include <algorithm>
#include <cmath>

namespace ortolino {

ResizeTag ResizeTag::parse(const QString& tag)
{
    const QString upper = tag.toUpper();
    if (!upper.startsWith(QLatin1Char('@')))
        return {};
    return {upper.contains(QLatin1Char('L')), upper.contains(QLatin1Char('T')),
            upper.contains(QLatin1Char('W')), upper.contains(QLatin1Char('H'))};
}

bool scaleGeometry(const Geometry& recorded, const Geometry& present, const ResizeTag& tag,
                   double horizontalFactor, double verticalFactor, Geometry& result)
{
    if (!std::isfinite(horizontalFactor) || !std::isfinite(verticalFactor))
        return false;
    auto scaled = [](int value, double factor) {
        return static_cast<int>(std::lround(value * factor));
    };
    result = present;
    if (tag.left)
        result.left = scaled(recorded.left, horizontalFactor);
    if (tag.top)
        result.top = scaled(recorded.top, verticalFactor);
    if (tag.width)
        result.width = scaled(recorded.width, horizontalFactor);
    if (tag.height)
        result.height = scaled(recorded.height, verticalFactor);
    return true;
}

Geometry sizeToScreen(int screenWidth, int screenHeight, int percent)
{
    Geometry g;
    g.height = static_cast<int>(std::floor(percent / 100.0 * screenHeight));
    g.width = static_cast<int>(std::floor(percent / 100.0 * screenWidth));
    g.top = (screenHeight - g.height) / 2;
    g.left = (screenWidth - g.width) / 2;
    return g;
}

int twipsToPixels(int twips, double dpi)
{
    return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

int pixelsToTwips(int pixels, double dpi)
{
    return static_cast<int>(std::lround(pixels * 1440.0 / dpi));
}

double textScale(double horizontalFactor, double verticalFactor)
{
    if (!std::isfinite(horizontalFactor) || horizontalFactor <= 0)
        return std::isfinite(verticalFactor) && verticalFactor > 0 ? verticalFactor : 1.0;
    return horizontalFactor;
}

double largestFittingSize(double smallest, double largest, const std::function<bool(double)>& fits)
{
    if (largest <= smallest || !fits(smallest))
        return smallest;
    if (fits(largest))
        return largest;
    double low = smallest, high = largest; // fits at low, not at high
    while (high - low > 0.1) {
        const double middle = (low + high) / 2;
        (fits(middle) ? low : high) = middle;
    }
    return low;
}

QSizeF centredTextBox(const QRectF& line, const QRectF& ink)
{
    if (ink.isEmpty())
        return line.size();
    const QPointF centre = line.center();
    const double halfWidth =
        std::max({line.width() / 2, centre.x() - ink.left(), ink.right() - centre.x()});
    const double halfHeight =
        std::max({line.height() / 2, centre.y() - ink.top(), ink.bottom() - centre.y()});
    return {2 * halfWidth, 2 * halfHeight};
}

} // namespace ortolino
