// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows program's icon file, made from the car drawing the Linux window icon uses.
// It runs on the build machine, with Qt, which the Windows build does not have; so the
// icon is committed beside the resource script, and the Linux test suite checks that it
// still matches the drawing.
//
//   quorvel_car_icon write quorvel.ico   renders the car at every size into an icon file
//                                        (run by hand after changing the drawing)
//   quorvel_car_icon check quorvel.ico   exits 1, naming the first difference, unless the
//                                        file holds exactly those pictures
//
// Each picture is stored as a 32-bit bitmap with straight (not premultiplied) alpha and the
// transparency mask older systems read.
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "art/pictures.h"

namespace {

constexpr std::array<int, 4> kSizes = {16, 24, 32, 48};
constexpr int kDirectoryEntrySize = 16;
constexpr int kBitmapHeaderSize = 40;

void Put16(QByteArray& out, std::uint16_t value) {
  out.append(static_cast<char>(value & 0xFF));
  out.append(static_cast<char>(value >> 8));
}

void Put32(QByteArray& out, std::uint32_t value) {
  Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
  Put16(out, static_cast<std::uint16_t>(value >> 16));
}

int MaskRowBytes(int size) { return (size + 31) / 32 * 4; }

// One picture as the icon file stores it: a bitmap header (the height counts the colour
// rows and the mask rows), the colour rows bottom to top, then the mask rows.
QByteArray IconImage(int size) {
  const QImage car = quorvel::art::CarPicture(size).convertToFormat(QImage::Format_ARGB32);
  QByteArray out;
  const int maskBytes = MaskRowBytes(size) * size;
  Put32(out, kBitmapHeaderSize);
  Put32(out, static_cast<std::uint32_t>(size));
  Put32(out, static_cast<std::uint32_t>(2 * size));
  Put16(out, 1);   // planes
  Put16(out, 32);  // bits per pixel
  Put32(out, 0);   // uncompressed
  Put32(out, static_cast<std::uint32_t>(size * size * 4 + maskBytes));
  for (int i = 0; i < 4; ++i) Put32(out, 0);
  for (int y = size - 1; y >= 0; --y) {
    // ARGB32 words lie in memory as blue, green, red, alpha: the bitmap's own order.
    out.append(reinterpret_cast<const char*>(car.constScanLine(y)), size * 4);
  }
  for (int y = size - 1; y >= 0; --y) {
    QByteArray row(MaskRowBytes(size), '\0');
    const auto* pixels = reinterpret_cast<const QRgb*>(car.constScanLine(y));
    for (int x = 0; x < size; ++x) {
      if (qAlpha(pixels[x]) == 0) row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
    }
    out.append(row);
  }
  return out;
}

QByteArray IconFile() {
  QByteArray directory;
  Put16(directory, 0);
  Put16(directory, 1);  // an icon
  Put16(directory, static_cast<std::uint16_t>(kSizes.size()));
  QByteArray images;
  std::uint32_t offset = 6 + kDirectoryEntrySize * kSizes.size();
  for (int size : kSizes) {
    const QByteArray image = IconImage(size);
    directory.append(static_cast<char>(size));
    directory.append(static_cast<char>(size));
    directory.append('\0');  // no palette
    directory.append('\0');
    Put16(directory, 1);
    Put16(directory, 32);
    Put32(directory, static_cast<std::uint32_t>(image.size()));
    Put32(directory, offset);
    offset += static_cast<std::uint32_t>(image.size());
    images.append(image);
  }
  return directory + images;
}

}  // namespace

int main(int argc, char** argv) {
  static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "ARGB32 words are stored as B, G, R, A bytes");
  if (argc != 3 || (std::strcmp(argv[1], "write") != 0 && std::strcmp(argv[1], "check") != 0)) {
    std::fprintf(stderr, "usage: quorvel_car_icon write|check FILE.ico\n");
    return 2;
  }
  const QByteArray expected = IconFile();
  QFile file(QString::fromLocal8Bit(argv[2]));
  if (std::strcmp(argv[1], "write") == 0) {
    if (!file.open(QIODevice::WriteOnly) || file.write(expected) != expected.size()) {
      std::fprintf(stderr, "quorvel_car_icon: cannot write %s\n", argv[2]);
      return 1;
    }
    return 0;
  }
  if (!file.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "quorvel_car_icon: cannot read %s\n", argv[2]);
    return 1;
  }
  const QByteArray actual = file.readAll();
  if (actual == expected) return 0;
  qsizetype at = 0;
  while (at < actual.size() && at < expected.size() && actual[at] == expected[at]) ++at;
  std::fprintf(stderr,
               "%s differs from the car drawing from byte %lld on (%lld bytes, %lld expected); "
               "run quorvel_car_icon write %s\n",
               argv[2], static_cast<long long>(at), static_cast<long long>(actual.size()),
               static_cast<long long>(expected.size()), argv[2]);
  return 1;
}
