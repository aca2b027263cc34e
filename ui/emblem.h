// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The emblem Image1 shows, at its designed 84 by 93 pixels, as the program carries it:
// rendered once from its drawing and kept in the program, so that no front end has to draw
// or decode it while the window opens.

#include <array>
#include <cstdint>
#include <span>

namespace quorvel::ui {

inline constexpr int kEmblemWidth = 84;
inline constexpr int kEmblemHeight = 93;

// Rows top to bottom, each pixel four bytes: blue, green, red and alpha, with the colours
// premultiplied by alpha. This is the memory layout of both Qt's premultiplied 32-bit
// images and a Windows 32-bit device-independent bitmap, so either takes it as it is.
extern const std::array<std::uint8_t, kEmblemWidth * kEmblemHeight * 4> kEmblemBgra;

inline std::span<const std::uint8_t> EmblemBgra() { return kEmblemBgra; }

}  // namespace quorvel::ui
