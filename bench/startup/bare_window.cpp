// SPDX-License-Identifier: GPL-3.0-or-later
// The floors for the program's start-up: one empty top-level QWidget of the
// program's client size, built with the same flags, that leaves its event loop
// with status 0 at its first paint event.
//
// Built a second time with QUORVEL_BARE_WITH_LABEL, the window also shows one
// line of text: the least any window that shows text pays, since the first text
// starts the font system (fontconfig's configuration, the font list, a font
// engine). run.sh measures the program against this one; the empty window is
// reported for information.
#include <QApplication>
#include <QWidget>
#ifdef QUORVEL_BARE_WITH_LABEL
#include <QLabel>
#endif

namespace {

class BareWindow final : public QWidget {
 protected:
  void paintEvent(QPaintEvent* /*event*/) override { QCoreApplication::exit(0); }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  BareWindow window;
  window.resize(495, 440);
#ifdef QUORVEL_BARE_WITH_LABEL
  auto* label = new QLabel(QStringLiteral("Velocidad Inicial"), &window);
  label->move(24, 104);
#endif
  window.show();
  return QApplication::exec();
}
