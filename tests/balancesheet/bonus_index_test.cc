#include <gtest/gtest.h>

#include <map>

#include "balancesheet/bonus.h"
#include "balancesheet/entry_page.h"
#include "balancesheet/sample_reports.h"
#include "balancesheet/search_index.h"
#include "balancesheet/sheet_texts.h"
#include "common/cp932.h"
#include "common/names.h"
#include "common/text.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using F = ReportField;
using testing::FakeClock;
using testing::FakeDialogs;
using testing::FakeEventPump;
using testing::ReportFields;
using testing::TempFolder;
namespace st = sheet_text;

TEST(SearchIndexTest, ValuesAreKeptOnceRegardlessOfCase) {
  TempFolder home;
  for (const char* place : {"A", "a", "B"}) {
    DailyReport r;
    r[F::kPlace] = place;
    r[F::kProfit] = "5";
    UpdateIndex(home.path(), r);
  }
  EXPECT_EQ(ReadIndexValues(home.path(), 3), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(ReadIndexValues(home.path(), 8), std::vector<std::string>{"5"});
  EXPECT_FALSE(FileExists(IndexFilePath(home.path(), 4)));  // no game was ever given
  EXPECT_EQ(IndexFilePath(home.path(), 28).filename(), "col_28.txt");
  EXPECT_EQ(kIndexFields[21], F::kBalanceDetail);

  IndexBuilder builder;
  for (const char* place : {"A", "a", "B"}) {
    DailyReport r;
    r[F::kPlace] = place;
    builder.Add(r);
  }
  TempFolder other;
  builder.WriteTo(other.path());
  EXPECT_EQ(ReadWholeFile(IndexFilePath(other.path(), 3)), ReadWholeFile(IndexFilePath(home.path(), 3)));
}

class RegenerationTest : public ::testing::Test {
 protected:
  RegenerationTest() : folders(home.path()) {}

  struct Recorder : RegenerationObserver {
    void OnRegenerationStarted() override { events.push_back("start"); }
    void OnRegenerationProgress(const std::string& text) override { events.push_back(text); }
    void OnRegenerationFinished() override { events.push_back("end"); }
    std::vector<std::string> events;
  };

  TempFolder home;
  SheetFolders folders;
  FakeDialogs dialogs;
  FakeClock clock;
  FakeEventPump pump;
  Recorder recorder;
};

// Every file of the tree but the reports, with its bytes.
std::map<std::string, std::string> Derived(const fs::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file() && !Contains(entry.path().string(), "03_day"))
      files[fs::relative(entry.path(), root).string()] = ReadWholeFile(entry.path());
  return files;
}

TEST_F(RegenerationTest, RebuildsWhatTheSavesWouldHaveWritten) {
  testing::SaveSampleReports(home.path(), 2024, 40);
  const auto saved = Derived(folders.root);
  // Stale lines of an overwritten report, a value no report holds any more, a stray file.
  AppendLine("0101,999,\"x\",\"y\"", folders.year / "2024.txt");
  AppendLine("stale", IndexFilePath(folders.index, 3));
  WriteTextFile(folders.week / "20200105-0111.txt", "old\r\n");

  dialogs.answers = {true};
  clock.monotonic_step = 10;  // a yield every other file
  ASSERT_TRUE(RegenerateIndex(folders, dialogs, pump, clock, recorder));
  EXPECT_EQ(dialogs.questions, std::vector<std::string>{st::kRegenerateQuestion});
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kRegenerateDone});
  EXPECT_TRUE(Derived(folders.root) == saved);

  EXPECT_EQ(recorder.events.front(), "start");
  EXPECT_EQ(recorder.events.back(), "end");
  EXPECT_EQ(recorder.events[1], "検索INDEXの再生成を行っています(0/48)");  // 40 reports, 8 lists
  EXPECT_EQ(recorder.events[recorder.events.size() - 2], "検索INDEXの再生成を行っています(48/48)");
  EXPECT_GT(pump.process_calls, 10);
  EXPECT_TRUE(pump.pauses.empty());
  EXPECT_TRUE(pump.sleeps.empty());
}

TEST_F(RegenerationTest, NoChangesNothingAndAFailureKeepsTheOldFolders) {
  testing::SaveSampleReports(home.path(), 2024, 5);
  const std::string year = ReadWholeFile(folders.year / "2024.txt");
  dialogs.answers = {false};
  EXPECT_FALSE(RegenerateIndex(folders, dialogs, pump, clock, recorder));
  EXPECT_TRUE(recorder.events.empty());

  // A failure after the reports were read (the place where the old folders go is taken) ends the
  // rebuild with an error; the old folders stay as they were.
  AppendLine("kept", folders.year / "2024.txt");
  const std::string year_with_extra = ReadWholeFile(folders.year / "2024.txt");
  WriteWholeFile(folders.root / ".retired", "");
  EXPECT_THROW(RebuildIndex(folders, pump, clock, recorder), IoError);
  EXPECT_EQ(recorder.events.back(), "end");
  EXPECT_EQ(ReadWholeFile(folders.year / "2024.txt"), year_with_extra);
  fs::remove(folders.root / ".retired");
  EXPECT_EQ(RebuildIndex(folders, pump, clock, recorder).reports, 5);
  EXPECT_EQ(ReadWholeFile(folders.year / "2024.txt"), year);
  EXPECT_FALSE(FolderExists(folders.root / ".regenerating"));
  EXPECT_FALSE(FolderExists(folders.root / ".retired"));
}

TEST(BonusTest, RegisteringWritesFiveLines) {
  TempFolder home;
  FakeDialogs dialogs;
  BonusMakeModel make(home.path(), dialogs);
  const std::pair<std::pair<const char*, const char*>, std::string> refused[] = {
      {{" ", "10000"}, st::kEnterBonusName},       {{"初回", "0"}, st::kBonusAmountRange},
      {{"初回", "100001"}, st::kBonusAmountRange}, {{"初回", "１０"}, st::kBonusAmountRange},
      {{"初/回", "10"}, ForbiddenCharactersMessage(NameKind::kFile)}};
  for (const auto& [typed, message] : refused) {
    make.name = typed.first;
    make.amount = typed.second;
    EXPECT_FALSE(make.Add());
    EXPECT_EQ(dialogs.messages.back(), message);
  }
  EXPECT_TRUE(ListFiles(home.path()).empty());
  make.name = " 初回 ";
  make.amount = "10000";
  ASSERT_TRUE(make.Add());
  EXPECT_EQ(ReadTextFile(home.path() / "初回_bonus.txt"),
            "bonusname=初回_bonus.txt\r\nbonuscondition=10000\r\nbettotal=0\r\nadvance=0\r\nleftover=10000\r\n");
  EXPECT_EQ(ListBonusNames(home.path()), std::vector<std::string>{"初回"});

  // Registering again asks; No keeps the dialog open and the file as it was.
  make.amount = "500";
  dialogs.answers = {false};
  EXPECT_FALSE(make.Add());
  EXPECT_EQ(dialogs.questions.back(), st::kBonusExists);
  EXPECT_EQ(ReadBonusFile(home.path() / "初回_bonus.txt")->condition, "10000");
  dialogs.answers = {true};
  EXPECT_TRUE(make.Add());
  EXPECT_EQ(ReadBonusFile(home.path() / "初回_bonus.txt")->leftover, "500");

  make.name = "";
  dialogs.messages.clear();
  EXPECT_FALSE(make.EnterInName());
  make.amount = "";
  EXPECT_FALSE(make.EnterInAmount());
  EXPECT_EQ(dialogs.messages, (std::vector<std::string>{st::kBlank, st::kBlank}));
}

TEST(BonusTest, ProgressIsTruncatedAndChecksItsPairs) {
  FakeDialogs dialogs;
  BonusProgressModel p(dialogs);
  p.rates[0] = "10";
  p.bets[0] = "5000";
  p.rates[1] = "100";
  p.bets[1] = "2000";
  EXPECT_EQ(p.Confirm().increment, 2500);
  const BonusProgressTexts texts = AddProgress("10000", "0", 2500);
  EXPECT_EQ(texts.wagered, "2500");
  EXPECT_EQ(texts.rate, "25%");
  EXPECT_EQ(texts.left, "7500");

  BonusProgressModel half(dialogs);
  half.rates[3] = "50";
  half.bets[3] = "1";
  EXPECT_EQ(half.Confirm().increment, 0);
  half.rates[4] = "50";
  half.bets[4] = "1";
  EXPECT_EQ(half.Confirm().increment, 1);

  struct Case {
    const char* rate;
    const char* bet;
    const char* message;
    BonusProgressModel::Focus focus;
  };
  for (const Case& c : {Case{"10", "", st::kRateAndBetPair, BonusProgressModel::Focus::kBet},
                        Case{"", "10", st::kRateAndBetPair, BonusProgressModel::Focus::kRate},
                        Case{"101", "10", st::kRateRange, BonusProgressModel::Focus::kRate},
                        Case{"0", "10", st::kRateRange, BonusProgressModel::Focus::kRate},
                        Case{"10", "100001", st::kBetRange, BonusProgressModel::Focus::kBet},
                        Case{"10", "-1", st::kBetRange, BonusProgressModel::Focus::kBet}}) {
    BonusProgressModel m(dialogs);
    m.rates[2] = c.rate;
    m.bets[2] = c.bet;
    auto result = m.Confirm();
    EXPECT_FALSE(result.increment) << c.rate << "/" << c.bet;
    EXPECT_EQ(dialogs.messages.back(), c.message);
    EXPECT_EQ(result.focus, c.focus);
    EXPECT_EQ(result.row, 2);
  }

  // Wagering past the requirement.
  const BonusProgressTexts past = AddProgress("10000", "9000", 3000);
  EXPECT_EQ(past.rate, "120%");
  EXPECT_EQ(past.left, "-2000");
  EXPECT_EQ(AddProgress("", "abc", 5).rate, "0%");
}

TEST(BonusTest, EntryPageReadsDeletesAndSavesBonuses) {
  TempFolder home;
  FakeDialogs dialogs;
  FakeClock clock;
  FakeEventPump pump;
  SheetFolders folders(home.path());
  EntryPageModel page(home.path(), dialogs, clock, pump);
  page.Open();
  WriteBonusFile(BonusFilePath(folders.bonus, "初回"), "初回", {"10000", "0", "0", "10000"});
  WriteTextFile(folders.bonus / "damaged_bonus.txt", "bonusname=x\r\n\x82\r\n");
  WriteTextFile(folders.bonus / "other.txt", "");
  page.BonusDialogClosed();
  EXPECT_EQ(page.bonus_names(), (std::vector<std::string>{"damaged", "初回"}));

  page.ChooseBonus(1);  // the check box is off: nothing happens
  EXPECT_FALSE(page.bonus_read());
  page.SetBonusPlay(true);
  EXPECT_FALSE(page.CanAddBonusProgress());
  EXPECT_EQ(dialogs.messages.back(), st::kBonusNotRead);
  page.DeleteBonus();
  EXPECT_EQ(dialogs.messages.back(), st::kChooseBonusToDelete);
  page.ChooseBonus(0);
  EXPECT_TRUE(page.bonus_read());
  EXPECT_EQ(page.field(F::kBonusRequired), "");  // a missing bonuscondition reads empty
  EXPECT_EQ(page.field(F::kBonusWagered), "0");
  EXPECT_EQ(page.field(F::kBonusRate), "0%");
  page.ChooseBonus(1);
  ASSERT_TRUE(page.CanAddBonusProgress());
  page.AddBonusProgress(2500);
  page.AddBonusProgress(0);  // a cancelled dialog adds nothing
  EXPECT_EQ(page.field(F::kBonusWagered), "2500");
  EXPECT_EQ(page.field(F::kBonusRate), "25%");

  // Saving without a chosen bonus writes no bonus file.
  page.SetBonusPlay(false);
  page.SetBonusPlay(true);
  page.PickStartDate({{2024, 1, 5}, 10, 0});
  page.PickEndDate({{2024, 1, 5}, 12, 0});
  for (F f : {F::kStartBalance, F::kDeposit, F::kEndBalance, F::kWithdrawal, F::kBets, F::kWins, F::kLosses,
              F::kTies, F::kTotalBet, F::kHighestBet, F::kWinStreak, F::kLoseStreak})
    page.SetField(f, "1");
  const std::string before = ReadWholeFile(BonusFilePath(folders.bonus, "初回"));
  ASSERT_TRUE(page.Save());
  EXPECT_EQ(ReadWholeFile(BonusFilePath(folders.bonus, "初回")), before);
  EXPECT_EQ(ListFiles(folders.bonus).size(), 3u);

  // A loaded report shows its bonus even when the bonus file is gone; reading it changes nothing.
  DailyReport r = ReadReportFile(folders.day / "2024010501収支日報_day.txt");
  r[F::kBonusName] = "消えた";
  r[F::kBonusRate] = "40";
  r[F::kBonusPlay] = "true";
  WriteTextFile(folders.day / "2024010501収支日報_day.txt", SerializeReport(r));
  page.SetBonusPlay(false);
  page.ChooseReport(0);
  EXPECT_TRUE(page.bonus_play());
  EXPECT_FALSE(page.bonus_read());
  EXPECT_EQ(page.bonus_names()[page.chosen_bonus()], "消えた");
  EXPECT_EQ(page.field(F::kBonusRate), "40%");
  page.ReadBonus();
  EXPECT_FALSE(page.bonus_read());
  page.DeleteBonus();
  EXPECT_EQ(dialogs.messages.back(), st::kSettingsFileMissing);

  page.ChooseBonus(1);
  page.DeleteBonus();
  EXPECT_FALSE(FileExists(BonusFilePath(folders.bonus, "初回")));
  EXPECT_EQ(page.chosen_bonus(), -1);
  EXPECT_EQ(page.field(F::kBonusRequired), "");
}

}  // namespace
}  // namespace vessaro
