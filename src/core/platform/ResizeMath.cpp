#include "core/platform/ResizeMath.h"

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

} // namespace ortolino
