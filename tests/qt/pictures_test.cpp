// SPDX-License-Identifier: GPL-3.0-or-later
// The pictures are drawn at whatever size is asked for, on a transparent background.
#include <QColor>
#include <QImage>
#include <QSet>

#include <gtest/gtest.h>

#include <cstring>
#include <span>

#include "art/pictures.h"

namespace quorvel::art {
namespace {

int DistinctOpaqueColours(const QImage& image) {
  QSet<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb pixel = image.pixel(x, y);
      if (qAlpha(pixel) == 255) colours.insert(pixel);
    }
  }
  return colours.size();
}

double OpaqueShare(const QImage& image) {
  int opaque = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) opaque += qAlpha(image.pixel(x, y)) > 128;
  }
  return static_cast<double>(opaque) / (image.width() * image.height());
}

TEST(Pictures, CarFillsMostOfItsSquareAtEverySize) {
  for (int size : {16, 32, 48, 256}) {
    SCOPED_TRACE(size);
    const QImage car = CarPicture(size);
    ASSERT_EQ(car.size(), QSize(size, size));
    EXPECT_EQ(qAlpha(car.pixel(0, 0)), 0);
    EXPECT_EQ(qAlpha(car.pixel(size - 1, 0)), 0);
    // Drawn with the same proportions whatever the size.
    EXPECT_NEAR(OpaqueShare(car), OpaqueShare(CarPicture(256)), 0.08);
    EXPECT_GE(DistinctOpaqueColours(car), 6);
  }
}

TEST(Pictures, EmblemStretchesToTheSizeAskedFor) {
  for (QSize size : {kEmblemSize, kEmblemSize * 2, QSize(69, 77)}) {
    SCOPED_TRACE(size.width());
    const QImage emblem = EmblemPicture(size);
    ASSERT_EQ(emblem.size(), size);
    EXPECT_EQ(qAlpha(emblem.pixel(0, size.height() - 1)), 0);  // outside the shield's point
    EXPECT_EQ(qAlpha(emblem.pixel(size.width() / 2, size.height() / 2)), 255);
    EXPECT_NEAR(OpaqueShare(emblem), OpaqueShare(EmblemPicture(kEmblemSize * 4)), 0.05);
  }
}

TEST(Pictures, IconIsTheCarAtEachSizeAWindowManagerAsksFor) {
  const QIcon icon = CarIcon();
  EXPECT_TRUE(icon.availableSizes().contains(QSize(32, 32)));
  for (int size : {16, 32, 64}) {
    const QImage drawn = icon.pixmap(QSize(size, size))
                             .toImage()
                             .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(drawn, CarPicture(size)) << size;
  }
}

// The program carries the emblem pre-rendered; it must be what the drawing gives today.
// After a change to the drawing: quorvel_render_icon --emblem ui/pictures/emblem-84x93.bgra
TEST(Pictures, EmbeddedEmblemIsTheDrawingAtItsDesignedSize) {
  const QImage drawn = EmblemPicture(kEmblemSize);
  ASSERT_EQ(drawn.format(), QImage::Format_ARGB32_Premultiplied);
  const std::span<const std::uint8_t> embedded = ui::EmblemBgra();
  ASSERT_EQ(embedded.size(), std::size_t(drawn.width()) * drawn.height() * 4);
  int differing = 0;
  for (int y = 0; y < drawn.height(); ++y) {
    const auto* row = drawn.constScanLine(y);
    differing += std::memcmp(row, embedded.data() + std::size_t(y) * drawn.width() * 4,
                             std::size_t(drawn.width()) * 4) != 0;
  }
  EXPECT_EQ(differing, 0) << "rows that differ from the drawing";
}

}  // namespace
}  // namespace quorvel::art
