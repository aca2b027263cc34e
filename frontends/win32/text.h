// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The boundary between the program's UTF-8 texts and Windows' UTF-16 ones.

#include <windows.h>

#include <string>
#include <string_view>

namespace quorvel::win32 {

std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

// A window's whole text (WM_GETTEXT), in UTF-16.
std::wstring WindowText(HWND window);

}  // namespace quorvel::win32
