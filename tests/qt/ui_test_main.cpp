// SPDX-License-Identifier: GPL-3.0-or-later
// Runs the window tests inside one QApplication. Without a display the tests still run:
// the offscreen platform is the default here, also when CTest lists the tests.
#include <QApplication>

#include <gtest/gtest.h>

#include "frontends/qt/program.h"

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  quorvel::qt::PrepareApplication();
  return RUN_ALL_TESTS();
}
