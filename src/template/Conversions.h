#pragma once

#include "core/Rounding.h"

#include <QString>

namespace zet {

// The leading-number reading of element text: space, tab and line feed are
// skipped anywhere; an optional sign; digits with "." as the only decimal
// point; an optional exponent (E or D, either case); "&H" / "&O" (either case)
// read an unsigned hexadecimal / octal integer. Reading stops at the first
// other character; no number at all gives 0. The locale plays no part.
// Raises zet::Error 6 (overflow) when the value does not fit a double, so the
// result is always finite; values too small for a double read as 0.
double parseNumber(const QString &text);

// ParseNumber rounded half to even; error 6 outside 32 bits (so "&HFFFFFFFF",
// read unsigned, is an overflow too).
int parseInteger(const QString &text);

// False for empty text, "0", and (ignoring case) "null", "falso", "false";
// true for anything else.
bool parseBoolean(const QString &text);

} // namespace zet
