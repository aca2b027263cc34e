// SPDX-License-Identifier: GPL-3.0-or-later
#include "frontends/qt/program.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "frontends/qt/font_configuration.h"
#include "frontends/qt/fonts.h"
#include "frontends/qt/window_accessibility.h"

namespace quorvel::qt {

namespace {

// Qt's own texts (the context menu of a text box, for example) in Spanish, when the
// translations are installed; without them the program works all the same.
void InstallSpanishToolkitTexts(QApplication& app, QTranslator& translator) {
  if (translator.load(QLocale(QLocale::Spanish, QLocale::Spain), QStringLiteral("qtbase"),
                      QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    app.installTranslator(&translator);
  }
}

}  // namespace

void PrepareApplication() {
  PresentForm1AsWindow();
  RegisterFontSubstitutes();
  QApplication::setFont(WindowFont());
}

int Start(int& argc, char** argv, const ProjectDescription& project) {
  // The font configuration is read while the toolkit starts, not after it.
  FontConfigurationPreload fontConfiguration;
  QApplication app(argc, argv);
  QApplication::setApplicationName(project.applicationName);
  QApplication::setApplicationVersion(project.applicationVersion);
  QGuiApplication::setDesktopFileName(project.desktopFileName);
  QTranslator toolkitTexts;
  InstallSpanishToolkitTexts(app, toolkitTexts);

  fontConfiguration.Wait();
  PrepareApplication();
  std::unique_ptr<QWidget> form = project.createStartupForm();
  form->show();
  // Closing the last window (its close button, or End) leaves the loop with status 0.
  return QApplication::exec();
}

}  // namespace quorvel::qt
