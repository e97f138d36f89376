#include <gtest/gtest.h>

#include <QCoreApplication>

// The HTTP client and the test server both run on this application's event loop.
int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
