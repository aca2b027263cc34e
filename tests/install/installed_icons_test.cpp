// SPDX-License-Identifier: GPL-3.0-or-later
// The icons an install put into the hicolor theme: real PNGs of the sizes their
// folders promise, a picture on a transparent ground, and at every size the very
// picture the window shows as its icon.
//
// The install prefix, application id and sizes come from the environment that
// the test registration sets (QUORVEL_INSTALL_PREFIX, QUORVEL_APP_ID,
// QUORVEL_ICON_SIZES as a comma-separated list).
#include <gtest/gtest.h>

#include <QByteArray>
#include <QColor>
#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>
#include <QStringList>

#include <cmath>
#include <cstdlib>
#include <vector>

#include "art/pictures.h"

namespace {

QString Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? QString::fromUtf8(value) : QString();
}

std::vector<int> IconSizes() {
  std::vector<int> sizes;
  for (const QString& size : Env("QUORVEL_ICON_SIZES").split(',', Qt::SkipEmptyParts)) {
    sizes.push_back(size.toInt());
  }
  return sizes;
}

QString IconPath(int size) {
  return QStringLiteral("%1/share/icons/hicolor/%2x%2/apps/%3.png")
      .arg(Env("QUORVEL_INSTALL_PREFIX"))
      .arg(size)
      .arg(Env("QUORVEL_APP_ID"));
}

QImage LoadIcon(int size) {
  QImage image;
  image.load(IconPath(size), "PNG");
  return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Mean absolute difference of the premultiplied channels, 0 (same) to 255.
double MeanDifference(const QImage& a, const QImage& b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y);
      const QRgb q = b.pixel(x, y);
      sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
             std::abs(qBlue(p) - qBlue(q)) + std::abs(qAlpha(p) - qAlpha(q));
    }
  }
  return sum / (4.0 * a.width() * a.height());
}

// Below this mean difference two renderings count as the same picture. Scaling
// a large rendering down blurs its edges a little; a different picture, or the
// same one upside down, lies well above it (checked below).
constexpr double kSamePicture = 15.0;

class InstalledIcons : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(Env("QUORVEL_INSTALL_PREFIX").isEmpty()) << "run through ctest";
    sizes_ = IconSizes();
    ASSERT_GE(sizes_.size(), 2u) << "the 32 by 32 icon and at least one larger rendering";
    ASSERT_EQ(sizes_.front(), 32) << "the window's own icon size comes first";
  }
  std::vector<int> sizes_;
};

TEST_F(InstalledIcons, AreSquarePngsOfTheirFolderSizeWithAnAlphaChannel) {
  for (int size : sizes_) {
    SCOPED_TRACE(IconPath(size).toStdString());
    QImage image;
    ASSERT_TRUE(image.load(IconPath(size), "PNG"));
    EXPECT_EQ(image.size(), QSize(size, size));
    EXPECT_TRUE(image.hasAlphaChannel());
  }
}

TEST_F(InstalledIcons, ShowAPictureOnATransparentGround) {
  for (int size : sizes_) {
    SCOPED_TRACE(IconPath(size).toStdString());
    const QImage image = LoadIcon(size);
    ASSERT_FALSE(image.isNull());
    int covered = 0;
    for (int y = 0; y < size; ++y) {
      for (int x = 0; x < size; ++x) covered += qAlpha(image.pixel(x, y)) > 127;
    }
    const double share = double(covered) / (size * size);
    EXPECT_GT(share, 0.15) << "hardly anything is drawn";
    EXPECT_LT(share, 0.95) << "the picture fills its square: no transparent ground";
    EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << "the corner is not transparent";
  }
}

TEST_F(InstalledIcons, AreTheWindowIconAtEverySize) {
  for (int size : sizes_) {
    SCOPED_TRACE(IconPath(size).toStdString());
    const QImage installed = LoadIcon(size);
    ASSERT_FALSE(installed.isNull());
    const QImage window = quorvel::art::CarIcon()
                              .pixmap(QSize(size, size))
                              .toImage()
                              .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    ASSERT_EQ(window.size(), installed.size());
    EXPECT_LT(MeanDifference(installed, window), kSamePicture);
    // The comparison tells pictures apart: the icon upside down is not the icon.
    EXPECT_GT(MeanDifference(installed, window.mirrored(false, true)), 2 * kSamePicture);
  }
}

TEST_F(InstalledIcons, LargerRenderingsReduceToThe32PixelIcon) {
  const QImage icon = LoadIcon(32);
  ASSERT_FALSE(icon.isNull());
  for (std::size_t i = 1; i < sizes_.size(); ++i) {
    SCOPED_TRACE(IconPath(sizes_[i]).toStdString());
    const QImage large = LoadIcon(sizes_[i]);
    ASSERT_FALSE(large.isNull());
    const QImage reduced = large.scaled(32, 32, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    EXPECT_LT(MeanDifference(icon, reduced), kSamePicture);
  }
}

}  // namespace

int main(int argc, char** argv) {
  // The window icon is a QIcon; its pixmaps need an application, not a display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
