#include "common/single_instance.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"

namespace vessaro {
namespace {

TEST(SingleInstanceLockTest, SecondHolderIsRefusedUntilTheFirstEnds) {
  testing::TempFolder dir;
  auto first = std::make_unique<SingleInstanceLock>("Baccarat", dir.path());
  EXPECT_TRUE(first->owned());
  {
    SingleInstanceLock second("Baccarat", dir.path());
    EXPECT_FALSE(second.owned());
    SingleInstanceLock other("Kindlet", dir.path());
    EXPECT_TRUE(other.owned());
  }
  first.reset();
  SingleInstanceLock third("Baccarat", dir.path());
  EXPECT_TRUE(third.owned());
}

}  // namespace
}  // namespace vessaro
