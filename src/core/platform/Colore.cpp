#include "core/platform/Colore.h"

#include <algorithm>
#include <cmath>

namespace ortolino {

namespace {

double luminance(std::uint32_t bgr)
{
    auto channel = [](std::uint32_t value) {
        const double c = static_cast<double>(value & 0xFFu) / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(bgr) + 0.7152 * channel(bgr >> 8) + 0.0722 * channel(bgr >> 16);
}

} // namespace

double contrastRatio(std::uint32_t first, std::uint32_t second)
{
    const double a = luminance(first);
    const double b = luminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

} // namespace ortolino
