// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/qt/fonts.h"

namespace quorvel {

void RegisterFontSubstitutes() {
  // Liberation Serif has the widths of Times New Roman; Liberation Sans runs close to
  // MS Sans Serif, where the usual default sans face runs much wider than the boxes allow.
  QFont::insertSubstitution(QString::fromUtf8(ui::kWindowFont.family),
                            QStringLiteral("Liberation Sans"));
  QFont::insertSubstitution(QString::fromUtf8(ui::kResultFont.family),
                            QStringLiteral("Liberation Serif"));
}

QFont FontFor(const ui::FontDesign& design) {
  QFont font(QString::fromUtf8(design.family));
  font.setPointSizeF(design.points);
  if (design.bold) font.setBold(true);
  if (design.italic) font.setItalic(true);
  return font;
}

QFont WindowFont() { return FontFor(ui::kWindowFont); }

}  // namespace quorvel
