// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

namespace quorvel {

// Reads the number at the start of a field's text.
//
// Blanks, tabs and line feeds anywhere in the text are ignored. Then come an
// optional sign, digits with at most one period as the decimal point, and an
// optional exponent (E or e, an optional sign, digits); reading stops at the
// first character that cannot continue the number, and a text with no leading
// number reads as 0. The comma is never a decimal separator: "1,06" reads as 1.
// "&H" or "&O" (either case) introduce hexadecimal or octal digits, read as a
// non-negative whole number.
//
// The value is the correctly rounded nearest double of the digits read. A
// magnitude too small for a double underflows quietly; one beyond the double
// range throws ArithmeticFault of kind Overflow. Nothing else ever throws.
double TextToNumber(std::string_view utf8Text);

// Writes a double as the result label shows it: at most 15 significant digits,
// correctly rounded, trailing zeros dropped, no digit grouping, the given
// decimal separator; plain form for decimal exponents -4 to 14, exponent form
// ("1.5E-07", "1E+15") outside them. Negative zero prints "0". Infinities and
// NaN, which the calculation never returns, print as "inf", "-inf" and "nan".
std::string NumberToText(double value, std::string_view decimalSeparator);

}  // namespace quorvel
