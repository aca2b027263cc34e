// SPDX-License-Identifier: GPL-3.0-or-later
#include "art/pictures.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

#include <algorithm>
#include <cmath>

namespace quorvel::art {

namespace {

// Both pictures are drawn in a design space of their own and scaled onto the box; the
// outline width never drops below one device pixel, so small renderings keep their edges.
constexpr qreal kCarSpace = 100;

QPen OutlinePen(const QColor& colour, qreal designWidth, qreal scale) {
  QPen pen(colour, std::max(designWidth, 1.0 / scale));
  pen.setJoinStyle(Qt::RoundJoin);
  return pen;
}

void DrawCar(QPainter& p, qreal scale) {
  const QColor outline(0x5a, 0x0f, 0x0f);
  const qreal line = 1.6;

  // Shadow on the road.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 60));
  p.drawEllipse(QRectF(4, 86, 92, 10));

  // Tyres, seen below the body.
  p.setBrush(QColor(0x26, 0x26, 0x26));
  p.drawRoundedRect(QRectF(11, 66, 16, 26), 3, 3);
  p.drawRoundedRect(QRectF(73, 66, 16, 26), 3, 3);

  // Cabin: roof and pillars.
  QLinearGradient paint(0, 20, 0, 82);
  paint.setColorAt(0, QColor(0xe5, 0x39, 0x35));
  paint.setColorAt(1, QColor(0xa3, 0x1f, 0x1f));
  QPainterPath cabin;
  cabin.moveTo(24, 20);
  cabin.lineTo(76, 20);
  cabin.quadTo(80, 20, 82, 25);
  cabin.lineTo(91, 50);
  cabin.lineTo(9, 50);
  cabin.lineTo(18, 25);
  cabin.quadTo(20, 20, 24, 20);
  p.setPen(OutlinePen(outline, line, scale));
  p.setBrush(paint);
  p.drawPath(cabin);

  // Mirrors.
  p.drawRoundedRect(QRectF(2, 41, 9, 7), 2, 2);
  p.drawRoundedRect(QRectF(89, 41, 9, 7), 2, 2);

  // Lower body.
  p.drawRoundedRect(QRectF(5, 47, 90, 32), 7, 7);

  // Windscreen.
  QLinearGradient glass(0, 25, 0, 47);
  glass.setColorAt(0, QColor(0xd6, 0xee, 0xfa));
  glass.setColorAt(1, QColor(0x5f, 0x9c, 0xc0));
  QPainterPath screen;
  screen.moveTo(27, 25);
  screen.lineTo(73, 25);
  screen.lineTo(82, 46);
  screen.lineTo(18, 46);
  screen.closeSubpath();
  p.setPen(OutlinePen(QColor(0x30, 0x30, 0x30), line * 0.8, scale));
  p.setBrush(glass);
  p.drawPath(screen);

  // Headlights.
  p.setPen(OutlinePen(QColor(0x55, 0x55, 0x55), line * 0.7, scale));
  p.setBrush(QColor(0xff, 0xf3, 0xb0));
  p.drawEllipse(QRectF(9, 53, 20, 11));
  p.drawEllipse(QRectF(71, 53, 20, 11));
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(13, 55, 7, 4));
  p.drawEllipse(QRectF(75, 55, 7, 4));

  // Grille with its bars.
  p.setPen(OutlinePen(QColor(0x20, 0x20, 0x20), line * 0.7, scale));
  p.setBrush(QColor(0x3a, 0x3a, 0x3a));
  p.drawRoundedRect(QRectF(34, 53, 32, 13), 3, 3);
  p.setPen(OutlinePen(QColor(0x9e, 0x9e, 0x9e), 1.0, scale));
  p.drawLine(QPointF(37, 57.5), QPointF(63, 57.5));
  p.drawLine(QPointF(37, 61.5), QPointF(63, 61.5));

  // Bumper and the plate on it.
  p.setPen(OutlinePen(QColor(0x20, 0x20, 0x20), line * 0.7, scale));
  p.setBrush(QColor(0x4a, 0x4a, 0x4a));
  p.drawRoundedRect(QRectF(7, 69, 86, 9), 3, 3);
  p.setBrush(QColor(0xf5, 0xf5, 0xf5));
  p.drawRect(QRectF(40, 70.5, 20, 6));
}

void DrawEmblem(QPainter& p, qreal scale) {
  QPainterPath shield;
  shield.moveTo(5, 7);
  shield.quadTo(42, 0, 79, 7);
  shield.lineTo(79, 47);
  shield.quadTo(79, 75, 42, 89);
  shield.quadTo(5, 75, 5, 47);
  shield.closeSubpath();

  QLinearGradient field(0, 0, 0, 90);
  field.setColorAt(0, QColor(0x2f, 0x5f, 0xa8));
  field.setColorAt(1, QColor(0x14, 0x2d, 0x5a));
  p.setPen(Qt::NoPen);
  p.setBrush(field);
  p.drawPath(shield);

  // Air flowing around a streamlined body: each line bends away from it.
  p.save();
  p.setClipPath(shield);
  p.setBrush(Qt::NoBrush);
  const qreal centre = 46;
  for (int k = -3; k <= 3; ++k) {
    if (k == 0) continue;
    const qreal y = centre + k * 9.5;
    const qreal bend = (k < 0 ? -1 : 1) * 11.0 / std::abs(k);
    QPainterPath stream;
    stream.moveTo(0, y);
    stream.cubicTo(22, y, 30, y + bend, 44, y + bend);
    stream.cubicTo(58, y + bend, 64, y, 84, y);
    p.setPen(OutlinePen(QColor(255, 255, 255, 170), 2.0, scale));
    p.drawPath(stream);
  }
  p.restore();

  QPainterPath body;
  body.moveTo(17, centre);
  body.cubicTo(17, centre - 13, 38, centre - 13, 52, centre - 6);
  body.cubicTo(60, centre - 3, 67, centre - 1, 71, centre);
  body.cubicTo(67, centre + 1, 60, centre + 3, 52, centre + 6);
  body.cubicTo(38, centre + 13, 17, centre + 13, 17, centre);
  QLinearGradient silver(0, centre - 12, 0, centre + 12);
  silver.setColorAt(0, QColor(0xff, 0xff, 0xff));
  silver.setColorAt(1, QColor(0xb0, 0xbe, 0xc5));
  p.setPen(OutlinePen(QColor(0x26, 0x32, 0x38), 1.2, scale));
  p.setBrush(silver);
  p.drawPath(body);

  // Three gold bars in the point of the shield, and the gold rim.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0xd4, 0xa0, 0x17));
  for (int i = 0; i < 3; ++i) {
    p.drawRoundedRect(QRectF(33 + i * 7, 68, 4, 10), 1.5, 1.5);
  }
  p.setPen(OutlinePen(QColor(0xd4, 0xa0, 0x17), 3.0, scale));
  p.setBrush(Qt::NoBrush);
  p.drawPath(shield);
}

QImage TransparentImage(QSize size) {
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

class CarIconEngine : public QIconEngine {
 public:
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode, QIcon::State) override {
    PaintCarFront(*painter, rect);
  }

  QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override {
    const int side = std::min(size.width(), size.height());
    return QPixmap::fromImage(CarPicture(std::max(side, 1)));
  }

  QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
    return {QSize(16, 16), QSize(32, 32), QSize(48, 48), QSize(64, 64)};
  }

  QIconEngine* clone() const override { return new CarIconEngine; }
};

}  // namespace

void PaintCarFront(QPainter& painter, const QRectF& box) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(box.topLeft());
  const qreal scale = std::min(box.width(), box.height()) / kCarSpace;
  painter.scale(box.width() / kCarSpace, box.height() / kCarSpace);
  DrawCar(painter, scale);
  painter.restore();
}

void PaintEmblem(QPainter& painter, const QRectF& box) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.translate(box.topLeft());
  const qreal sx = box.width() / kEmblemSize.width();
  const qreal sy = box.height() / kEmblemSize.height();
  painter.scale(sx, sy);
  DrawEmblem(painter, std::min(sx, sy));
  painter.restore();
}

QImage CarPicture(int pixelSize) {
  QImage image = TransparentImage(QSize(pixelSize, pixelSize));
  QPainter painter(&image);
  PaintCarFront(painter, QRectF(0, 0, pixelSize, pixelSize));
  return image;
}

QImage EmblemPicture(QSize pixelSize) {
  QImage image = TransparentImage(pixelSize);
  QPainter painter(&image);
  PaintEmblem(painter, QRectF(QPointF(0, 0), pixelSize));
  return image;
}

QIcon CarIcon() { return QIcon(new CarIconEngine); }

}  // namespace quorvel::art
