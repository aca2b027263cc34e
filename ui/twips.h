#pragma once

// Twips, the unit the window is designed in: 1440 to the inch, 15 to a pixel at 96 dots
// per inch. Qt's high-DPI scaling maps those pixels onto larger screens.

#include <QRect>

namespace quorvel {

inline constexpr int kTwipsPerPixel = 15;

// A box given in twips, as the window's designer placed it.
struct TwipsBox {
  int left;
  int top;
  int width;
  int height;

  constexpr bool IsWholePixels() const {
    return left % kTwipsPerPixel == 0 && top % kTwipsPerPixel == 0 && width % kTwipsPerPixel == 0 &&
           height % kTwipsPerPixel == 0;
  }

  QRect ToPixels() const {
    return QRect(left / kTwipsPerPixel, top / kTwipsPerPixel, width / kTwipsPerPixel,
                 height / kTwipsPerPixel);
  }
};

}  // namespace quorvel
