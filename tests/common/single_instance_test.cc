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

// Two users of one machine each run their own simulator.
TEST(SingleInstanceLockTest, AnotherUsersCopyDoesNotBlockYours) {
  testing::TempFolder dir;
  SingleInstanceLock theirs("Baccarat", dir.path(), 1001);
  SingleInstanceLock yours("Baccarat", dir.path(), 1002);
  SingleInstanceLock your_second("Baccarat", dir.path(), 1002);
  EXPECT_TRUE(theirs.owned());
  EXPECT_TRUE(yours.owned());
  EXPECT_FALSE(your_second.owned());
}

}  // namespace
}  // namespace vessaro
