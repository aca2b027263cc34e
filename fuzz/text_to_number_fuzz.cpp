// SPDX-License-Identifier: GPL-3.0-or-later
// Any text must read without a crash or a sanitizer report; a finite result,
// written with 17 significant digits, must read back as the very same double.
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "runtime/arithmetic_fault.h"
#include "runtime/conversions.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  double value = 0.0;
  try {
    value = quorvel::TextToNumber(text);
  } catch (const quorvel::ArithmeticFault& fault) {
    if (fault.kind() != quorvel::ArithmeticFault::Kind::Overflow) std::abort();
    return 0;
  }
  if (!std::isfinite(value)) std::abort();

  std::array<char, 64> buffer{};
  const auto written = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                     std::chars_format::general, 17);
  if (written.ec != std::errc{}) std::abort();
  const double back = quorvel::TextToNumber(std::string_view(buffer.data(), written.ptr));
  if (std::memcmp(&back, &value, sizeof value) != 0) std::abort();
  return 0;
}
