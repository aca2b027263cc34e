// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// UTF-16 texts of the Windows API as UTF-8, for the test programs' output.

#include <windows.h>

#include <string>

namespace quorvel::test {

inline std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr,
                                    0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), n,
                      nullptr, nullptr);
  return out;
}

}  // namespace quorvel::test
