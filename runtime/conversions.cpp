// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime/conversions.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>
#include <version>

#include "runtime/arithmetic_fault.h"

// The standard library's floating-point from_chars and to_chars round correctly and read and
// write exactly the grammar used here. Where a standard library has no floating-point
// from_chars and to_chars (libc++ as Emscripten ships it), the same work is done by
// fast_float, the reader GCC's own from_chars is built on, and by {fmt}, whose precision
// formatting rounds correctly; hexadecimal whole numbers are then read by the C library's
// strtod, which rounds them correctly too.
#if defined(__cpp_lib_to_chars)
#define QUORVEL_STD_FLOAT_CHARCONV 1
#else
#define QUORVEL_STD_FLOAT_CHARCONV 0
#include <cstdlib>

#include <fast_float/fast_float.h>
#include <fmt/compile.h>
#include <fmt/format.h>
#endif

namespace quorvel {

namespace {

constexpr bool IsIgnoredSpace(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// The one copy of the text: the same characters without blanks, tabs and line feeds.
std::string WithoutIgnoredSpace(std::string_view text) {
  std::string compact;
  compact.reserve(text.size());
  for (char c : text) {
    if (!IsIgnoredSpace(c)) compact.push_back(c);
  }
  return compact;
}

[[noreturn]] void RaiseOverflow() { RaiseArithmeticFault(ArithmeticFault::Kind::Overflow); }

struct DecimalRead {
  const char* end;  // just past the characters read
  std::errc ec;     // result_out_of_range when the value is beyond the double range either way
};

// Reads the longest decimal number (digits with at most one period, an optional exponent) at
// the start of [first, last), after an optional minus sign, correctly rounded. On
// result_out_of_range, `value` is unspecified.
DecimalRead ReadDecimal(const char* first, const char* last, double& value) {
#if QUORVEL_STD_FLOAT_CHARCONV
  const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  return {end, ec};
#else
  const auto [end, ec] =
      fast_float::from_chars(first, last, value, fast_float::chars_format::general);
  // Older fast_float returns an infinity, and a zero for a value too small, without a range
  // error; a zero of the right sign is what this program reads then anyway.
  if (ec == std::errc{} && std::isinf(value)) return {end, std::errc::result_out_of_range};
  return {end, ec};
#endif
}

// Converts a run of hexadecimal digits, read as a whole number and correctly rounded. Only an
// overflow can be out of range for a whole number.
double WholeNumberFromHexDigits(std::string_view digits) {
  if (digits.empty()) return 0.0;
  double value = 0.0;
#if QUORVEL_STD_FLOAT_CHARCONV
  const auto [end, ec] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::hex);
  if (ec == std::errc::result_out_of_range) RaiseOverflow();
  (void)end;
#else
  std::string prefixed = "0x";
  prefixed.append(digits);
  value = std::strtod(prefixed.c_str(), nullptr);
  if (std::isinf(value)) RaiseOverflow();
#endif
  return value;
}

// Writes a finite, non-zero double as printf's "%.15g" does, correctly rounded, into `buffer`;
// returns the end of the text.
char* WriteFifteenDigits(double value, std::array<char, 64>& buffer) {
#if QUORVEL_STD_FLOAT_CHARCONV
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::general, 15);
  (void)ec;  // 64 characters hold any double at 15 digits
  return end;
#else
  return fmt::format_to_n(buffer.data(), buffer.size(), FMT_COMPILE("{:.15g}"), value).out;
#endif
}

// Regroups octal digits (3 bits each) as hexadecimal digits (4 bits each), so
// that the correctly rounded hexadecimal reader can convert them.
std::string OctalToHexDigits(std::string_view octal) {
  static constexpr std::array<char, 16> kHex = {'0', '1', '2', '3', '4', '5', '6', '7',
                                                '8', '9', 'a', 'b', 'c', 'd', 'e', 'f'};
  std::string reversed;
  reversed.reserve(octal.size() * 3 / 4 + 2);
  unsigned bits = 0;
  int bitCount = 0;
  for (auto it = octal.rbegin(); it != octal.rend(); ++it) {
    bits |= static_cast<unsigned>(*it - '0') << bitCount;
    bitCount += 3;
    while (bitCount >= 4) {
      reversed.push_back(kHex[bits & 0xFu]);
      bits >>= 4;
      bitCount -= 4;
    }
  }
  if (bitCount > 0) reversed.push_back(kHex[bits & 0xFu]);
  return std::string(reversed.rbegin(), reversed.rend());
}

// "&H..." or "&O...": the digits after the prefix, up to the first that does not belong.
double RadixNumber(std::string_view text) {
  const char radix = text[1];
  std::size_t end = 2;
  if (radix == 'h' || radix == 'H') {
    while (end < text.size() && IsHexDigit(text[end])) ++end;
    return WholeNumberFromHexDigits(text.substr(2, end - 2));
  }
  while (end < text.size() && IsOctalDigit(text[end])) ++end;
  return WholeNumberFromHexDigits(OctalToHexDigits(text.substr(2, end - 2)));
}

// Adds one decimal digit to a non-negative magnitude, saturating far beyond
// any decimal exponent a double can reach.
std::int64_t AccumulateSaturated(std::int64_t magnitude, char digit) {
  constexpr std::int64_t kSaturated = std::int64_t{1} << 40;
  if (magnitude >= kSaturated) return kSaturated;
  return magnitude * 10 + (digit - '0');
}

// True when the decimal number in [first, last), which ReadDecimal found
// out of range, is too large rather than too small: the decimal order of
// magnitude of its leading non-zero digit is above zero. Only reached on that
// rare path, so the common one scans the text just once.
bool IsTooLarge(const char* first, const char* last) {
  if (first != last && *first == '-') ++first;
  std::int64_t order = -1;  // order of the digit before the point, counting from the first non-zero
  bool seenNonZero = false;
  bool seenPoint = false;
  const char* p = first;
  for (; p != last && (IsDigit(*p) || *p == '.'); ++p) {
    if (*p == '.') {
      seenPoint = true;
    } else if (!seenPoint) {
      if (seenNonZero || *p != '0') {
        seenNonZero = true;
        order = std::min<std::int64_t>(order + 1, std::int64_t{1} << 40);
      }
    } else if (!seenNonZero) {
      if (*p != '0') {
        seenNonZero = true;
      } else {
        order = std::max<std::int64_t>(order - 1, -(std::int64_t{1} << 40));
      }
    }
  }
  std::int64_t exponent = 0;
  if (p != last && (*p == 'e' || *p == 'E')) {
    ++p;
    const bool negative = p != last && *p == '-';
    if (p != last && (*p == '+' || *p == '-')) ++p;
    for (; p != last && IsDigit(*p); ++p) exponent = AccumulateSaturated(exponent, *p);
    if (negative) exponent = -exponent;
  }
  return order + exponent >= 0;
}

// A decimal number: an optional sign, digits with at most one period, and an
// exponent when digits follow its letter. ReadDecimal reads exactly that
// grammar, rounding correctly, once the sign has been looked at: it takes no
// plus sign, and the words "inf" and "nan" it would read are no number here.
double DecimalNumber(std::string_view text) {
  const char* first = text.data();
  const char* last = first + text.size();
  const char* digits = first;
  if (digits != last && (*digits == '+' || *digits == '-')) ++digits;
  if (digits == last || !(IsDigit(*digits) || *digits == '.')) return 0.0;
  if (*first == '+') first = digits;

  double value = 0.0;
  const auto [end, ec] = ReadDecimal(first, last, value);
  if (ec == std::errc::invalid_argument) return 0.0;  // a period with no digit
  if (ec == std::errc::result_out_of_range) {
    if (IsTooLarge(first, end)) RaiseOverflow();
    return *first == '-' ? -0.0 : 0.0;  // too small for a double: underflows to zero
  }
  return value;
}

// The number at the start of a text that holds no blank, tab or line feed.
double NumberFromCompactText(std::string_view text) {
  if (text.size() >= 2 && text[0] == '&') {
    const char radix = text[1];
    if (radix == 'h' || radix == 'H' || radix == 'o' || radix == 'O') return RadixNumber(text);
    return 0.0;
  }
  return DecimalNumber(text);
}

}  // namespace

double TextToNumber(std::string_view utf8Text) {
  // Most field texts hold no blank at all: those are read in place, without a copy.
  bool hasIgnoredSpace = false;
  for (const char c : utf8Text) hasIgnoredSpace |= IsIgnoredSpace(c);
  if (!hasIgnoredSpace) {
    return NumberFromCompactText(utf8Text);
  }
  return NumberFromCompactText(WithoutIgnoredSpace(utf8Text));
}

std::string NumberToText(double value, std::string_view decimalSeparator) {
  if (value == 0.0) return "0";         // also negative zero
  if (std::isnan(value)) return "nan";  // whatever its sign bit
  if (std::isinf(value)) return value > 0 ? "inf" : "-inf";

  std::array<char, 64> buffer{};
  // The exponent letter is written in capitals ("1.5E-07").
  std::string text(buffer.data(), WriteFifteenDigits(value, buffer));
  const std::size_t e = text.find('e');
  if (e != std::string::npos) text[e] = 'E';
  const std::size_t point = text.find('.');
  if (point != std::string::npos) text.replace(point, 1, decimalSeparator);
  return text;
}

}  // namespace quorvel
