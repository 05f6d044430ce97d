#pragma once

namespace ortolino {

// Colour value as the profile stores it: &HBBGGRR (red in the low byte), or a
// system colour code (&H80000000 + index, negative as a signed 32-bit number).
using Colore = double;
inline constexpr Colore kColoreFacciaBottoni = -2147483633.0; // &H8000000F

} // namespace ortolino
