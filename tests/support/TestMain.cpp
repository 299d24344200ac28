// SPDX-License-Identifier: MIT
// One main for every test executable: a QApplication on the offscreen
// platform (set by CTest), so forms and text drawing work without a display.
#include <gtest/gtest.h>
#include <QApplication>
#include <QSettings>
#include <QTemporaryDir>

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  // What the program remembers for the user goes to a folder of the run's
  // own, never to the user's configuration.
  QTemporaryDir config;
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, config.path());
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
