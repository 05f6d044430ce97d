#pragma once

#include <cstdint>

namespace ortolino {

// Colour value as the profile stores it: &HBBGGRR (red in the low byte), or a
// system colour code (&H80000000 + index, negative as a signed 32-bit number).
using Colore = double;
inline constexpr Colore kColoreFacciaBottoni = -2147483633.0; // &H8000000F

// How far apart two colours (&HBBGGRR) are for the eye: the ratio of their
// relative luminances (WCAG 2.x), from 1 (the same) to 21 (black on white).
// Text wants at least 4.5, a mark or an outline at least 3.
double contrastRatio(std::uint32_t first, std::uint32_t second);

} // namespace ortolino
