// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The program's two pictures, drawn from vector shapes so that they stay sharp at any
// size: the car seen from the front (the window icon) and the emblem (Image1).

#include <QIcon>
#include <QImage>
#include <QRectF>
#include <QSize>

#include "ui/emblem.h"

class QPainter;

namespace quorvel::art {

// The emblem's designed size in pixels; the window shows it stretched to its box.
inline constexpr QSize kEmblemSize{ui::kEmblemWidth, ui::kEmblemHeight};

// Draws the car, front view, filling `box` (meant to be square).
void PaintCarFront(QPainter& painter, const QRectF& box);

// Draws the emblem, a shield with air flowing around a streamlined body, filling `box`.
void PaintEmblem(QPainter& painter, const QRectF& box);

// The car as a square picture of `pixelSize` pixels on a transparent background.
QImage CarPicture(int pixelSize);

// The emblem as a picture of `pixelSize` pixels on a transparent background.
QImage EmblemPicture(QSize pixelSize);

// The window icon: the car, rendered at whatever size is asked for.
QIcon CarIcon();

}  // namespace quorvel::art
