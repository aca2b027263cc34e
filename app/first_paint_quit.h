// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// For timing start-up only: leaves the event loop with status 0 as soon as the watched
// window is painted for the first time. Compiled into the entry only when
// QUORVEL_QUIT_ON_FIRST_PAINT is defined; the program itself never has it.

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace quorvel {

class FirstPaintQuit : public QObject {
 public:
  explicit FirstPaintQuit(QObject* window) : QObject(window) { window->installEventFilter(this); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && watched == parent()) {
      watched->removeEventFilter(this);
      // The paint goes on; the loop ends once this event has been handled.
      QCoreApplication::exit(0);
    }
    return false;
  }
};

}  // namespace quorvel
