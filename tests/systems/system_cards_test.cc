#include "systems/system_cards.h"

#include <gtest/gtest.h>

#include "support/temp_folder.h"
#include "systems/messages.h"

namespace vessaro {
namespace {

using testing::TempFolder;

LoadedSystem OneCard(const std::string& stake) {
  std::vector<CardFields> cards(kSystemCardCount);
  cards[0] = {stake, "1", "1"};
  LoadedSystem system;
  system.Assign(cards);
  return system;
}

struct StakeCase {
  const char* why;
  const char* card_stake;
  Cents balance;
  const char* stake;
  bool error;
};

void PrintTo(const StakeCase& c, std::ostream* os) { *os << c.why; }

class SystemStakeTest : public ::testing::TestWithParam<StakeCase> {};

TEST_P(SystemStakeTest, StakeOfCardOne) {
  const StakeCase& c = GetParam();
  StakeResult r = GetSystemBet(OneCard(c.card_stake), c.balance, 1);
  EXPECT_EQ(r.stake, c.stake);
  EXPECT_EQ(r.error, c.error ? systems_text::kPercentStakeError : "");
}

INSTANTIATE_TEST_SUITE_P(
    SystemCards, SystemStakeTest,
    ::testing::Values(
        StakeCase{"5% of 1000.00", "5%", 100000, "50", false},
        StakeCase{"5% of 1010: 50.5 to even", "5%", 101000, "50", false},
        StakeCase{"5% of 1030: 51.5 to even", "5%", 103000, "52", false},
        StakeCase{"5% of 39", "5%", 3900, "2", false},
        StakeCase{"5% of 9 stakes 0, which the run refuses", "5%", 900, "0", false},
        StakeCase{"balance 1234.50 rounds to 1234 first", "10%", 123450, "123", false},
        StakeCase{"balance 1235.50 rounds to 1236 first", "10%", 123550, "124", false},
        StakeCase{"fractional percent", "12.5%", 100000, "125", false},
        StakeCase{"units stake is returned unchanged", "10", 100, "10", false},
        StakeCase{"a units text that is not a number is still returned", "abc", 100000, "abc",
                  false},
        StakeCase{"full-width percent in a file is not a percent card", "10％", 100000, "10％",
                  false},
        StakeCase{"percent of abc", "abc%", 100000, "0", true},
        StakeCase{"percent sign alone", "%", 100000, "0", true},
        StakeCase{"a stake beyond 64 bits", "99999999999999999999999%", 90000000000000000, "0",
                  true},
        StakeCase{"huge percent of a zero balance", "99999999999999999999999%", 0, "0", false},
        StakeCase{"empty card", "", 100000, "", false}));

TEST(SystemCardsTest, BalanceTextThatIsNotMoneyFailsOnlyPercentCards) {
  EXPECT_EQ(GetSystemBet(OneCard("5%"), std::string_view("1030"), 1).stake, "52");
  StakeResult bad = GetSystemBet(OneCard("5%"), std::string_view("x"), 1);
  EXPECT_EQ(bad.stake, "0");
  EXPECT_EQ(bad.error, systems_text::kPercentStakeError);
  EXPECT_EQ(GetSystemBet(OneCard("10"), std::string_view("x"), 1).stake, "10");
}

class SystemJumpTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::vector<CardFields> cards(kSystemCardCount);
    cards[0] = {"10", "1", "2"};     // stays on a win
    cards[1] = {"20", "x", "1"};     // hand-edited: a win jumps nowhere
    cards[2] = {"5", "9999", " 3"};  // jumps far outside the deck
    system.Assign(cards);
  }
  LoadedSystem system;
};

TEST_F(SystemJumpTest, OutcomeMovesTheCard) {
  struct Case {
    BetOutcome outcome;
    int card;
    int next;
  } cases[] = {
      {BetOutcome::kWin, 1, 1},           {BetOutcome::kLoss, 1, 2},
      {BetOutcome::kTie, 2, 2},           {BetOutcome::kWin, 2, 0},
      {BetOutcome::kLoss, 2, 1},          {BetOutcome::kWin, 3, 9999},
      {BetOutcome::kLoss, 3, 3},          {BetOutcome::kWin, 9999, 0},
      {BetOutcome::kTie, 9999, 9999},     {BetOutcome::kWin, 4, 0},
      {BetOutcome::kLoss, 0, 0},          {BetOutcome::kWin, -5, 0},
      {static_cast<BetOutcome>(7), 1, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(GetNextCard(c.outcome, system, c.card), c.next)
        << "outcome " << static_cast<int>(c.outcome) << " on card " << c.card;
}

TEST_F(SystemJumpTest, CardsOutsideTheDeckStakeNothing) {
  EXPECT_EQ(GetSystemBet(system, 100000, 9999).stake, "");
  EXPECT_EQ(GetSystemBet(system, 100000, 0).stake, "");
  EXPECT_EQ(GetSystemBet(system, 100000, 61).stake, "");
}

TEST(SystemFileTest, ReadsKeysRegardlessOfCaseAndMissingFieldsAsEmpty) {
  TempFolder dir;
  dir.Write("betpattern/s_syspattern.txt",
            "[betpattern]\r\ncardno1=5%,1,2\r\nCardNo2=7\r\nCardNo3=20,x,1\r\nCardNo61=1,1,1\r\n");
  LoadedSystem system;
  ASSERT_TRUE(system.Load(dir / "betpattern/s_syspattern.txt").ok());
  EXPECT_EQ(GetSystemBet(system, 103000, 1).stake, "52");
  EXPECT_EQ(*system.Card(2), (CardFields{"7", "", ""}));
  EXPECT_EQ(GetNextCard(BetOutcome::kWin, system, 3), 0);
  EXPECT_EQ(system.count(), kSystemCardCount);
}

TEST(SystemFileTest, MissingFileIsReported) {
  TempFolder dir;
  LoadedSystem system;
  LoadStatus status = system.Load(dir / "betpattern/none_syspattern.txt");
  EXPECT_EQ(status.error, LoadError::kMissing);
  EXPECT_EQ(status.message, systems_text::kSystemFileMissing);
  EXPECT_EQ(GetSystemBet(system, 100000, 1).stake, "");
}

}  // namespace
}  // namespace vessaro
