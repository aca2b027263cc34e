// SPDX-License-Identifier: GPL-3.0-or-later
// Quorvel's entry: hands the program's description to the runtime, which opens Form1.
#include <memory>

#include "frontends/qt/form1_window.h"
#include "frontends/qt/program.h"
#ifdef QUORVEL_QUIT_ON_FIRST_PAINT
#include "app/first_paint_quit.h"
#endif

int main(int argc, char** argv) {
  const quorvel::qt::ProjectDescription project{
      .applicationName = QStringLiteral("Quorvel"),
      .applicationVersion = QStringLiteral(QUORVEL_VERSION),
      .desktopFileName = QStringLiteral("io.github.quorvel.Quorvel"),
      .createStartupForm = []() -> std::unique_ptr<QWidget> {
        auto form = std::make_unique<quorvel::qt::Form1>();
#ifdef QUORVEL_QUIT_ON_FIRST_PAINT
        new quorvel::FirstPaintQuit(form.get());
#endif
        return form;
      },
  };
  return quorvel::qt::Start(argc, argv, project);
}
