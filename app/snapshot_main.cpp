// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the window as it opens to a PNG, for people to look at (`make screenshot`).
//
//   quorvel_snapshot OUT.png                   the window at the current scale factor
//   quorvel_snapshot --side-by-side OUT.png A.png B.png...
//                                              the given pictures in one row
#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTimer>

#include <cstdio>
#include <vector>

#include "frontends/qt/form1_window.h"
#include "frontends/qt/program.h"

namespace {

int SnapshotWindow(const QString& out) {
  quorvel::qt::Form1 form;
  form.show();
  int status = 1;
  // Grab once the window has been shown and laid out by the event loop.
  QTimer::singleShot(200, &form, [&] {
    const QPixmap picture = form.grab();
    status = picture.save(out, "PNG") ? 0 : 1;
    QApplication::quit();
  });
  QApplication::exec();
  if (status != 0) std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
  return status;
}

int SideBySide(const QString& out, const QStringList& inputs) {
  constexpr int kGap = 24;
  std::vector<QImage> images;
  int width = kGap;
  int height = 0;
  for (const QString& path : inputs) {
    QImage image(path);
    if (image.isNull()) {
      std::fprintf(stderr, "cannot read %s\n", qPrintable(path));
      return 1;
    }
    image.setDevicePixelRatio(1);
    width += image.width() + kGap;
    height = std::max(height, image.height());
    images.push_back(image);
  }
  QImage sheet(width, height + 2 * kGap, QImage::Format_RGB32);
  sheet.fill(QColor(0x80, 0x80, 0x80));
  QPainter painter(&sheet);
  int x = kGap;
  for (const QImage& image : images) {
    painter.drawImage(x, kGap, image);
    x += image.width() + kGap;
  }
  painter.end();
  if (!sheet.save(out, "PNG")) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(out));
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const QStringList args = QApplication::arguments().mid(1);
  if (args.size() >= 3 && args[0] == QLatin1String("--side-by-side")) {
    return SideBySide(args[1], args.mid(2));
  }
  if (args.size() == 1) {
    quorvel::qt::PrepareApplication();
    return SnapshotWindow(args[0]);
  }
  std::fprintf(stderr, "usage: quorvel_snapshot OUT.png | --side-by-side OUT.png IN.png...\n");
  return 2;
}
