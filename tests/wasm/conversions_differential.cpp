// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds a fixed pseudo-random stream of field-like texts and of doubles through TextToNumber
// and NumberToText and prints what came out, so that the same program built natively and for
// WebAssembly can be compared (compare_conversions.py). The stream is made with integer
// arithmetic and exactly rounded IEEE operations only, so it is the same on every platform.
//
//   conversions_differential digest          one line per block: its number and a hash of
//                                            every result in it, then the count of cases
//   conversions_differential dump BLOCK      every case of one block, input and results
#include <algorithm>
#include <array>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/arithmetic_fault.h"
#include "runtime/conversions.h"

namespace {

constexpr int kBlocks = 200;
constexpr int kCasesPerBlock = 10'000;  // half texts, half doubles: a million of each

// std::mt19937_64's output is fixed by the standard; its distributions are not, so every
// draw below is made from raw output.
class Stream {
 public:
  explicit Stream(std::uint64_t start) : engine_(start) {}
  std::uint64_t Bits() { return engine_(); }
  std::uint64_t Below(std::uint64_t n) { return engine_() % n; }
  bool OneIn(std::uint64_t n) { return Below(n) == 0; }
  char Digit() { return static_cast<char>('0' + Below(10)); }

 private:
  std::mt19937_64 engine_;
};

void AppendDigits(Stream& s, std::string& text, std::uint64_t count) {
  for (std::uint64_t i = 0; i < count; ++i) text.push_back(s.Digit());
}

// An exponent reaching past the double range either way, now and then beyond any range.
void AppendExponent(Stream& s, std::string& text) {
  text.push_back(s.OneIn(2) ? 'E' : 'e');
  if (!s.OneIn(3)) text.push_back(s.OneIn(2) ? '-' : '+');
  const std::uint64_t magnitude = s.OneIn(50) ? 99999999999ull : s.Below(s.OneIn(4) ? 400 : 30);
  text += std::to_string(magnitude);
}

// Digits, signs, separators, exponents, blanks and junk, as a user might type them.
std::string FieldText(Stream& s) {
  std::string text;
  static constexpr std::string_view kJunk[] = {
      ",", "%", "/", "x", "km/h", "\r", "\xC3\xA9", "\xC2\xA0", "inf", "nan", "0x", "$", ";"};
  const auto junk = [&] { text += kJunk[s.Below(std::size(kJunk))]; };
  const auto blank = [&] { text.push_back(" \t\n"[s.Below(3)]); };
  switch (s.Below(8)) {
    case 0: {  // any of the characters a field sees, in any order
      static constexpr std::string_view kAlphabet = "0123456789012345.,+-eE &HhOoabcdefFx\t\n";
      const std::uint64_t length = s.Below(16);
      for (std::uint64_t i = 0; i < length; ++i) {
        if (s.OneIn(12)) {
          junk();
        } else {
          text.push_back(kAlphabet[s.Below(kAlphabet.size())]);
        }
      }
      return text;
    }
    case 1: {  // &H and &O numbers, up to well past 2^53 and past the double range
      if (s.OneIn(8)) blank();
      text += s.OneIn(2) ? "&H" : (s.OneIn(2) ? "&o" : "&O");
      const bool hex = text.back() == 'H';
      const std::uint64_t length = s.OneIn(20) ? 200 + s.Below(200) : s.Below(24);
      for (std::uint64_t i = 0; i < length; ++i) {
        text.push_back(hex ? "0123456789abcdefABCDEF"[s.Below(22)] : "01234567"[s.Below(8)]);
      }
      if (s.OneIn(4)) junk();
      return text;
    }
    default: {  // a decimal number, perhaps with blanks inside and something after it
      if (s.OneIn(6)) text.push_back("+-"[s.Below(2)]);
      if (s.OneIn(10)) blank();
      const bool longMantissa = s.OneIn(8);
      AppendDigits(s, text, longMantissa ? 17 + s.Below(30) : s.Below(6));
      if (!s.OneIn(4)) {
        text.push_back('.');
        if (s.OneIn(5)) AppendDigits(s, text, s.Below(4));  // leading zeros of a fraction
        AppendDigits(s, text, longMantissa ? 17 + s.Below(30) : s.Below(8));
      }
      if (s.OneIn(10)) blank();
      if (s.OneIn(2)) AppendExponent(s, text);
      if (s.OneIn(5)) junk();
      if (s.OneIn(6)) AppendDigits(s, text, s.Below(3));
      return text;
    }
  }
}

// The exact decimal expansion of m * 2^e, m < 2^55: its digits, and how many of them are
// after the decimal point.
struct ExactDecimal {
  std::string digits;
  int fractionDigits;
};

ExactDecimal ExpandExactly(std::uint64_t m, int e) {
  std::vector<std::uint32_t> limbs;  // least significant first, base 10^9
  for (std::uint64_t v = m; v != 0; v /= 1'000'000'000) limbs.push_back(v % 1'000'000'000);
  // m * 2^e = m * 5^-e / 10^-e for negative e; several factors at a time, as many as keep a
  // limb's product within 64 bits.
  const int base = e >= 0 ? 2 : 5;
  const int perStep = e >= 0 ? 29 : 13;
  for (int left = e >= 0 ? e : -e; left > 0; left -= perStep) {
    std::uint64_t factor = 1;
    for (int k = 0; k < std::min(left, perStep); ++k) factor *= base;
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs) {
      const std::uint64_t product = limb * factor + carry;
      limb = static_cast<std::uint32_t>(product % 1'000'000'000);
      carry = product / 1'000'000'000;
    }
    if (carry != 0) limbs.push_back(static_cast<std::uint32_t>(carry));
  }
  std::string digits = std::to_string(limbs.back());
  for (auto it = limbs.rbegin() + 1; it != limbs.rend(); ++it) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%09" PRIu32, *it);
    digits += buffer;
  }
  return {digits, e >= 0 ? 0 : -e};
}

// A text lying exactly halfway between two neighbouring doubles, or a hair either side of it:
// the hardest texts to round.
std::string HalfwayText(Stream& s) {
  // Two neighbouring doubles a * 2^e and (a + 1) * 2^e: the midpoint is (2a + 1) * 2^(e-1).
  const bool subnormal = s.OneIn(8);
  const std::uint64_t a =
      subnormal ? s.Below(std::uint64_t{1} << 52) : (std::uint64_t{1} << 52) | (s.Bits() >> 12);
  // Mostly of ordinary size; now and then anywhere in the double range.
  const bool anywhere = s.OneIn(4);
  const int e = subnormal
                    ? -1074
                    : static_cast<int>(s.Below(anywhere ? 2046 : 200)) - (anywhere ? 1074 : 150);
  const ExactDecimal exact = ExpandExactly(2 * a + 1, e - 1);
  std::string digits = exact.digits;
  switch (s.Below(3)) {
    case 0:
      break;  // exactly halfway: ties go to even
    case 1:
      digits += std::string(s.Below(40), '0') + "1";  // a hair above
      break;
    default:  // a hair below: the last digit, always 5, one less and nines after it
      digits.back() = '4';
      digits += std::string(1 + s.Below(40), '9');
      break;
  }
  const int fraction = exact.fractionDigits + static_cast<int>(digits.size() - exact.digits.size());
  // Written as an integer with an exponent, so that the point need not be placed.
  return (s.OneIn(2) ? "-" : "") + digits + "e-" + std::to_string(fraction);
}

// Powers of ten made by repeated multiplication: every step is one correctly rounded IEEE
// operation, the same everywhere, unlike a library's pow.
const std::array<double, 700>& PowersOfTen() {
  static const std::array<double, 700> powers = [] {
    std::array<double, 700> p{};
    p[350] = 1.0;
    for (int i = 351; i < 700; ++i) p[i] = p[i - 1] * 10.0;
    for (int i = 349; i >= 0; --i) p[i] = p[i + 1] / 10.0;
    return p;
  }();
  return powers;
}

// Random bit patterns (subnormals, infinities and NaNs among them), and values that are hard
// to write with 15 digits: the very large, the very small, and those whose sixteenth
// significant digit is a 5 followed by zeros, or nearly so.
double AnyDouble(Stream& s) {
  std::uint64_t bits = s.Bits();
  switch (s.Below(6)) {
    case 0:
      break;  // any pattern at all
    case 1:
      bits &= 0x800FFFFFFFFFFFFFull;  // subnormal
      break;
    case 2:
      bits = (bits & 0x800FFFFFFFFFFFFFull) | (std::uint64_t{0x7C0 + s.Below(63)} << 52);  // huge
      break;
    case 3:
      bits = (bits & 0x800FFFFFFFFFFFFFull) | (std::uint64_t{1 + s.Below(63)} << 52);  // tiny
      break;
    default: {  // d.dddddddddddddd5 times a power of ten, and its neighbours
      // Below 2^53, so exact as a double.
      const std::uint64_t sixteenDigits =
          (1'000'000'000'000'000ull + s.Below(8'000'000'000'000'000ull)) / 10 * 10 + 5;
      // Times 10^-300 to 10^292: the normal range, whole.
      double value = static_cast<double>(sixteenDigits) *
                     PowersOfTen()[static_cast<std::size_t>(s.Below(593) + 50)] / 1e15;
      std::memcpy(&bits, &value, sizeof bits);
      bits += s.Below(5) - 2;  // the double itself or up to two steps either way
      if (s.OneIn(2)) bits |= 0x8000000000000000ull;
      break;
    }
  }
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// What TextToNumber makes of a text: the double's bits, or the fault it raised.
std::string ReadResult(std::string_view text) {
  try {
    const double value = quorvel::TextToNumber(text);
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "%016" PRIx64, bits);
    return buffer;
  } catch (const quorvel::ArithmeticFault& fault) {
    return std::string("fault ") + quorvel::FaultName(fault.kind());
  }
}

std::string Escaped(std::string_view text) {
  std::string out;
  for (const unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out.push_back(static_cast<char>(c));
    } else {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02X", c);
      out += buffer;
    }
  }
  return out;
}

// One case as a line: what went in and everything that came out.
std::string Case(Stream& s, int index) {
  if (index % 2 == 0) {
    const std::string text = s.OneIn(10) ? HalfwayText(s) : FieldText(s);
    return "text \"" + Escaped(text) + "\" -> " + ReadResult(text);
  }
  const double value = AnyDouble(s);
  std::uint64_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  char hex[24];
  std::snprintf(hex, sizeof hex, "%016" PRIx64, bits);
  const std::string written = quorvel::NumberToText(value, ".");
  return std::string("double ") + hex + " -> \"" + written + "\" \"" +
         quorvel::NumberToText(value, ",") + "\" -> " + ReadResult(written);
}

std::uint64_t Fnv1a(std::uint64_t hash, std::string_view bytes) {
  for (const unsigned char c : bytes) hash = (hash ^ c) * 0x100000001B3ull;
  return hash;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string_view mode = argc > 1 ? argv[1] : "";
  const int only = argc > 2 ? std::atoi(argv[2]) : -1;
  if (!(mode == "digest" || (mode == "dump" && only >= 0 && only < kBlocks))) {
    std::fprintf(stderr, "usage: %s digest | dump BLOCK (0 to %d)\n", argv[0], kBlocks - 1);
    return 2;
  }
  long long cases = 0;
  for (int block = 0; block < kBlocks; ++block) {
    if (mode == "dump" && block != only) continue;
    Stream s(0x51A7C0DEull * 1'000'003 + static_cast<std::uint64_t>(block));
    std::uint64_t hash = 0xCBF29CE484222325ull;
    for (int i = 0; i < kCasesPerBlock; ++i) {
      const std::string line = Case(s, i);
      if (mode == "dump") std::printf("%d.%d %s\n", block, i, line.c_str());
      hash = Fnv1a(Fnv1a(hash, line), "\n");
      ++cases;
    }
    if (mode == "digest") std::printf("block %d %016" PRIx64 "\n", block, hash);
  }
  std::printf("cases %lld\n", cases);
  return 0;
}
