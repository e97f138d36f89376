#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <cstdlib>
#include "ui/common/window_helpers.h"

int main(int argc, char** argv) {
  // Window tests see a 1366 x 768 laptop screen, the smallest the table must fit, also when the
  // test program is started by hand.
  setenv("QT_QPA_PLATFORM", "offscreen:configfile=" VESSARO_OFFSCREEN_SCREEN, 0);
  QApplication app(argc, argv);
  vessaro::SetUpJapaneseApplication();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
