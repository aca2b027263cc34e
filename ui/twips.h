// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Twips, the unit the window is designed in: 1440 to the inch, 15 to a pixel at 96 dots per
// inch. Each front end maps them onto its toolkit's units and the screen's density.

namespace quorvel::ui {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kTwipsPerPixel = 15;  // at 96 dots per inch

// A box given in twips, as the window's designer placed it.
struct TwipsBox {
  int left;
  int top;
  int width;
  int height;

  constexpr int right() const { return left + width; }
  constexpr int bottom() const { return top + height; }

  constexpr bool IsWholePixels() const {
    return left % kTwipsPerPixel == 0 && top % kTwipsPerPixel == 0 && width % kTwipsPerPixel == 0 &&
           height % kTwipsPerPixel == 0;
  }
};

}  // namespace quorvel::ui
