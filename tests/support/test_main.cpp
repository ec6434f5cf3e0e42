// Test main: a QApplication on the offscreen platform, so that window tests and the
// engine's renderer run without a display; files removed let window events run first, as
// in the windowed program.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "platform/files.h"

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QApplication app(argc, argv);
  tallowmere::SetPendingEventsRunner([] { QCoreApplication::processEvents(); });
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
