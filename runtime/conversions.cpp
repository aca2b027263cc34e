#include "runtime/conversions.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

#include "runtime/arithmetic_fault.h"

namespace quorvel {

namespace {

bool IsIgnoredSpace(char c) { return c == ' ' || c == '\t' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsOctalDigit(char c) { return c >= '0' && c <= '7'; }
bool IsHexDigit(char c) {
  return IsDigit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

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

// Converts a run of digits that std::from_chars has accepted in full. Only an
// overflow can be out of range for the whole numbers read here.
double WholeNumberFromHexDigits(std::string_view digits) {
  if (digits.empty()) return 0.0;
  double value = 0.0;
  const auto [end, ec] =
      std::from_chars(digits.data(), digits.data() + digits.size(), value, std::chars_format::hex);
  if (ec == std::errc::result_out_of_range) RaiseOverflow();
  (void)end;
  return value;
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

// Adds one decimal digit to a non-negative exponent magnitude, saturating far
// beyond any exponent a double can reach.
std::int64_t AccumulateExponent(std::int64_t magnitude, char digit) {
  constexpr std::int64_t kSaturated = std::int64_t{1} << 40;
  if (magnitude >= kSaturated) return kSaturated;
  return magnitude * 10 + (digit - '0');
}

double DecimalNumber(std::string_view text) {
  std::size_t pos = 0;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const std::size_t mantissaStart = pos;

  // Mantissa: digits, at most one period, digits. Track where the first
  // non-zero digit stands relative to the decimal point, to tell an overflow
  // from an underflow should the value fall out of range.
  std::size_t digitCount = 0;
  std::int64_t integerDigitsFromFirstNonZero = 0;
  bool seenNonZero = false;
  bool seenPoint = false;
  std::int64_t leadingFractionZeros = 0;
  for (; pos < text.size(); ++pos) {
    const char c = text[pos];
    if (IsDigit(c)) {
      ++digitCount;
      if (c != '0') seenNonZero = true;
      if (!seenPoint) {
        if (seenNonZero) ++integerDigitsFromFirstNonZero;
      } else if (!seenNonZero) {
        ++leadingFractionZeros;
      }
    } else if (c == '.' && !seenPoint) {
      seenPoint = true;
    } else {
      break;
    }
  }
  if (digitCount == 0) return 0.0;
  std::size_t numberEnd = pos;

  // Exponent: only when at least one digit follows the letter and its sign.
  std::int64_t exponent = 0;
  if (pos < text.size() && (text[pos] == 'e' || text[pos] == 'E')) {
    std::size_t e = pos + 1;
    bool exponentNegative = false;
    if (e < text.size() && (text[e] == '+' || text[e] == '-')) {
      exponentNegative = text[e] == '-';
      ++e;
    }
    if (e < text.size() && IsDigit(text[e])) {
      std::int64_t magnitude = 0;
      for (; e < text.size() && IsDigit(text[e]); ++e) {
        magnitude = AccumulateExponent(magnitude, text[e]);
      }
      exponent = exponentNegative ? -magnitude : magnitude;
      numberEnd = e;
    }
  }

  // std::from_chars takes a minus sign but no plus sign; the sign is applied below.
  const char* first = text.data() + mantissaStart;
  const char* last = text.data() + numberEnd;
  double value = 0.0;
  const auto [end, ec] = std::from_chars(first, last, value, std::chars_format::general);
  (void)end;
  if (ec == std::errc::result_out_of_range) {
    // Decimal order of magnitude of the leading non-zero digit.
    const std::int64_t order = seenNonZero && integerDigitsFromFirstNonZero > 0
                                   ? integerDigitsFromFirstNonZero - 1 + exponent
                                   : -(leadingFractionZeros + 1) + exponent;
    if (order > 0) RaiseOverflow();
    value = 0.0;  // too small for a double: underflows to zero
  }
  return negative ? -value : value;
}

}  // namespace

double TextToNumber(std::string_view utf8Text) {
  const std::string text = WithoutIgnoredSpace(utf8Text);
  if (text.size() >= 2 && text[0] == '&') {
    const char radix = text[1];
    if (radix == 'h' || radix == 'H' || radix == 'o' || radix == 'O') return RadixNumber(text);
    return 0.0;
  }
  return DecimalNumber(text);
}

std::string NumberToText(double value, std::string_view decimalSeparator) {
  if (value == 0.0) return "0";  // also negative zero

  std::array<char, 64> buffer{};
  const auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::general, 15);
  if (ec != std::errc{}) return "nan";  // cannot happen with 64 characters; stay readable

  std::string text;
  text.reserve(static_cast<std::size_t>(end - buffer.data()) + decimalSeparator.size());
  for (const char* p = buffer.data(); p != end; ++p) {
    if (*p == '.') {
      text.append(decimalSeparator);
    } else if (*p == 'e') {
      text.push_back('E');
    } else {
      text.push_back(*p);
    }
  }
  return text;
}

}  // namespace quorvel
