// Build-time tool: renders the program's car picture, the same drawing the window
// uses for its icon, to a square PNG for the desktop's icon theme.
//
// Usage: quorvel_render_icon SIZE OUTPUT.png
//
// The picture is drawn from shapes onto a QImage, which needs no display and no
// application object.
#include <QImage>
#include <QString>

#include <cstdio>

#include "ui/pictures.h"

int main(int argc, char** argv) {
  bool sizeOk = false;
  const int size = argc == 3 ? QString::fromLocal8Bit(argv[1]).toInt(&sizeOk) : 0;
  if (!sizeOk || size < 16 || size > 1024) {
    std::fprintf(stderr, "usage: quorvel_render_icon SIZE OUTPUT.png (SIZE 16 to 1024)\n");
    return 2;
  }
  const QImage picture = quorvel::CarPicture(size);
  if (picture.size() != QSize(size, size)) {
    std::fprintf(stderr, "quorvel_render_icon: the car picture came out %dx%d, not %dx%d\n",
                 picture.width(), picture.height(), size, size);
    return 1;
  }
  if (!picture.save(QString::fromLocal8Bit(argv[2]), "PNG")) {
    std::fprintf(stderr, "quorvel_render_icon: cannot write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
