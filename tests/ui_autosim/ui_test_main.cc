#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <cstdlib>
#include "ui/common/window_helpers.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  QApplication app(argc, argv);
  vessaro::SetUpJapaneseApplication();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
