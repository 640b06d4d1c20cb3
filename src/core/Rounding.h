#pragma once

namespace zet {

// Nearest integer, halves to even. Raises zet::Error 6 (overflow) outside the
// signed 32-bit range (and for NaN or infinity).
int roundHalfEven(double value);

// Nearest whole value, halves to even, kept as a double (never raises).
double roundedHalfEven(double value);

// The value rounded toward zero into the int range; NaN gives 0.
int clampToInt(double value);

} // namespace zet
