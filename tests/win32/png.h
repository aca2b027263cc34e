// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Writes pictures as PNG files without any library: the image data goes in stored
// (uncompressed) deflate blocks, which every PNG reader accepts.

#include <cstdint>
#include <string>
#include <vector>

namespace quorvel::test {

// `bgra` holds `height` rows top to bottom of `width` pixels, four bytes each (blue, green,
// red, and a fourth byte that is ignored). Returns false when the file cannot be written.
bool WritePng(const std::wstring& path, int width, int height,
              const std::vector<std::uint8_t>& bgra);

}  // namespace quorvel::test
