// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/qt/fonts.h"

#include <qpa/qplatformfontdatabase.h>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPointer>
#include <QStringList>

#include <array>
#include <string_view>

namespace quorvel::qt {

namespace {

// The designed families and their stand-ins (ui/form1_design.h).
constexpr std::array<const ui::FontDesign*, 2> kFamilies = {&ui::kWindowFont, &ui::kResultFont};
static_assert(std::string_view(ui::kTitleFont.family) == ui::kWindowFont.family);

// Whether `family` is in the toolkit's font list, which names a family installed from
// more than one foundry once for each, as "Family [Foundry]".
bool IsInstalled(const QStringList& installed, const QString& family) {
  for (QStringView name : installed) {
    if (const qsizetype foundry = name.indexOf(u" ["); foundry >= 0) name.truncate(foundry);
    if (name.compare(family, Qt::CaseInsensitive) == 0) return true;
  }
  return false;
}

// Where a designed family is missing and its stand-in is installed, the toolkit takes the
// designed name as another name of the stand-in: a font asking for "MS Sans Serif" then
// matches Liberation Sans at once, where a substitute is tried only after the toolkit has
// searched for the missing family and asked fontconfig for its fallbacks, and asked again
// for the substitute's own. Fonts keep the designed name as their family; QFontInfo
// reports the face drawn, and characters the face lacks still come from other fonts.
void ResolveDesignedFamilies() {
  const QStringList installed = QFontDatabase::families();
  for (const ui::FontDesign* family : kFamilies) {
    const QString designed = QString::fromUtf8(family->family);
    const QString standIn = QString::fromUtf8(family->standIn);
    if (!IsInstalled(installed, designed) && IsInstalled(installed, standIn)) {
      QPlatformFontDatabase::registerAliasToFontFamily(standIn, designed);
    }
  }
}

}  // namespace

void RegisterFontSubstitutes() {
  ResolveDesignedFamilies();
  // The toolkit forgets those names when it reloads its font list (fonts installed or
  // removed, application fonts added or removed): name them again each time.
  static QPointer<QGuiApplication> watched;
  if (watched != qGuiApp) {
    QObject::connect(qGuiApp, &QGuiApplication::fontDatabaseChanged, qGuiApp,
                     &ResolveDesignedFamilies);
    watched = qGuiApp;
  }
}

QFont FontFor(const ui::FontDesign& design) {
  QFont font(QString::fromUtf8(design.family));
  font.setPointSizeF(design.points);
  if (design.bold) font.setBold(true);
  if (design.italic) font.setItalic(true);
  return font;
}

QFont WindowFont() { return FontFor(ui::kWindowFont); }

}  // namespace quorvel::qt
