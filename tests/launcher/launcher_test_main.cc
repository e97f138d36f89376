#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "ui/common/window_helpers.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  // The tests give every root themselves.
  unsetenv("VESSARO_UPDATE_ROOT");
  QApplication app(argc, argv);
  vessaro::SetUpJapaneseApplication();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
