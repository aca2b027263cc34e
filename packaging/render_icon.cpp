// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program's pictures from their drawings, the same ones the window uses.
//
//   quorvel_render_icon SIZE OUTPUT.png    the car, square, for the desktop's icon theme
//                                          (run at build time)
//   quorvel_render_icon --emblem OUTPUT    the emblem at its designed 84 by 93 pixels, as the
//                                          raw premultiplied BGRA rows the program embeds
//                                          (run by hand after changing the drawing; the
//                                          window tests check that the two still agree)
//   quorvel_render_icon --emblem-png SCALE OUTPUT.png
//                                          the emblem at SCALE times its designed size, for
//                                          the web page (run at build time)
//
// The pictures are drawn from shapes onto a QImage, which needs no display and no
// application object.
#include <QFile>
#include <QImage>
#include <QString>

#include <cstdio>
#include <cstring>

#include "art/pictures.h"

namespace {

// A PNG's "quality" is the inverse of its compression effort: 0 is the most compressed.
constexpr int kSmallestPng = 0;

int RenderEmblem(const char* out) {
  const QImage emblem = quorvel::art::EmblemPicture(quorvel::art::kEmblemSize);
  static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "ARGB32 words are stored as B, G, R, A bytes");
  QFile file(QString::fromLocal8Bit(out));
  if (!file.open(QIODevice::WriteOnly)) {
    std::fprintf(stderr, "quorvel_render_icon: cannot write %s\n", out);
    return 1;
  }
  for (int y = 0; y < emblem.height(); ++y) {
    const auto* row = reinterpret_cast<const char*>(emblem.constScanLine(y));
    if (file.write(row, emblem.width() * 4) != emblem.width() * 4) return 1;
  }
  return 0;
}

int RenderEmblemPng(const char* scaleText, const char* out) {
  bool scaleOk = false;
  const int scale = QString::fromLocal8Bit(scaleText).toInt(&scaleOk);
  if (!scaleOk || scale < 1 || scale > 8) {
    std::fprintf(stderr, "quorvel_render_icon: --emblem-png SCALE must be 1 to 8\n");
    return 2;
  }
  const QImage emblem = quorvel::art::EmblemPicture(quorvel::art::kEmblemSize * scale);
  if (!emblem.save(QString::fromLocal8Bit(out), "PNG", kSmallestPng)) {
    std::fprintf(stderr, "quorvel_render_icon: cannot write %s\n", out);
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--emblem") == 0) return RenderEmblem(argv[2]);
  if (argc == 4 && std::strcmp(argv[1], "--emblem-png") == 0) {
    return RenderEmblemPng(argv[2], argv[3]);
  }
  bool sizeOk = false;
  const int size = argc == 3 ? QString::fromLocal8Bit(argv[1]).toInt(&sizeOk) : 0;
  if (!sizeOk || size < 16 || size > 1024) {
    std::fprintf(stderr,
                 "usage: quorvel_render_icon SIZE OUTPUT.png (SIZE 16 to 1024)\n"
                 "       quorvel_render_icon --emblem OUTPUT.bgra\n"
                 "       quorvel_render_icon --emblem-png SCALE OUTPUT.png\n");
    return 2;
  }
  const QImage picture = quorvel::art::CarPicture(size);
  if (picture.size() != QSize(size, size)) {
    std::fprintf(stderr, "quorvel_render_icon: the car picture came out %dx%d, not %dx%d\n",
                 picture.width(), picture.height(), size, size);
    return 1;
  }
  if (!picture.save(QString::fromLocal8Bit(argv[2]), "PNG", kSmallestPng)) {
    std::fprintf(stderr, "quorvel_render_icon: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
