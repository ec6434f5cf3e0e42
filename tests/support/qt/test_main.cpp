// Test main: a QApplication on the offscreen platform (unless QT_QPA_PLATFORM names
// another), so that the tests of windows and of Qt run without a display.
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>
#include <vector>

int main(int argc, char** argv) {
  std::vector<char*> qtArguments(argv, argv + argc);
  char platformOption[] = "-platform";
  char offscreen[] = "offscreen";
  if (!std::getenv("QT_QPA_PLATFORM")) qtArguments.insert(qtArguments.begin() + 1, {platformOption, offscreen});
  int qtCount = static_cast<int>(qtArguments.size());
  qtArguments.push_back(nullptr);
  QApplication app(qtCount, qtArguments.data());
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
