#include "ui/fonts.h"

namespace quorvel {

namespace {
const QString kSansSerif = QStringLiteral("MS Sans Serif");
const QString kSerif = QStringLiteral("Times New Roman");
}  // namespace

void RegisterFontSubstitutes() {
  // Liberation Serif has the widths of Times New Roman; Liberation Sans runs close to
  // MS Sans Serif, where the usual default sans face runs much wider than the boxes allow.
  QFont::insertSubstitution(kSansSerif, QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(kSerif, QStringLiteral("Liberation Serif"));
}

QFont WindowFont() {
  QFont font(kSansSerif);
  font.setPointSizeF(8);
  return font;
}

QFont TitleFont() {
  QFont font(kSansSerif);
  font.setPointSizeF(13.5);
  return font;
}

QFont ResultFont() {
  QFont font(kSerif);
  font.setPointSizeF(21.75);
  font.setBold(true);
  font.setItalic(true);
  return font;
}

}  // namespace quorvel
