#include "balancesheet/entry_page.h"

#include <gtest/gtest.h>

#include <map>

#include "balancesheet/bonus.h"
#include "balancesheet/sample_reports.h"
#include "balancesheet/search_index.h"
#include "balancesheet/sheet_texts.h"
#include "common/cp932.h"
#include "common/names.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using F = ReportField;
using testing::FakeClock;
using testing::FakeDialogs;
using testing::FakeEventPump;
using testing::TempFolder;
namespace st = sheet_text;

// Every file below the folder with its bytes: "nothing changed" compares two of these.
std::map<std::string, std::string> Snapshot(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file()) files[entry.path().string()] = ReadWholeFile(entry.path());
  return files;
}

class EntryPageTest : public ::testing::Test {
 protected:
  EntryPageTest() : page(home.path(), dialogs, clock, pump), folders(home.path()) {
    clock.local = {2024, 1, 8, 21, 45, 0, 0};
    page.Open();
  }

  // A visit of 5 January 2024 from 20:00 to 22:30: profit 500 at 1000 bet in 10 bets.
  void FillValidPage(const std::string& date = "2024/01/05") {
    DatePick start{*ParseSlashDate(date), 20, 0};
    DatePick end{*ParseSlashDate(date), 22, 30};
    page.PickStartDate(start);
    page.PickEndDate(end);
    const std::pair<F, const char*> typed[] = {
        {F::kStartBalance, "1000"}, {F::kDeposit, "0"}, {F::kEndBalance, "1500"}, {F::kWithdrawal, "200"},
        {F::kBets, "10"},           {F::kWins, "6"},    {F::kLosses, "4"},        {F::kTies, "0"},
        {F::kTotalBet, "1000"},     {F::kHighestBet, "200"}, {F::kWinStreak, "3"}, {F::kLoseStreak, "2"}};
    for (const auto& [field, text] : typed) {
      page.SetField(field, text);
      ASSERT_TRUE(page.EnterIn(field)) << kReportKeys[Index(field)];
    }
  }

  std::string ReportText(const std::string& name) {
    return ReadTextFile(folders.day / ReportFileName(name));
  }

  TempFolder home;
  FakeDialogs dialogs;
  FakeClock clock;
  FakeEventPump pump;
  EntryPageModel page;
  SheetFolders folders;
};

TEST_F(EntryPageTest, OpeningCreatesTheTree) {
  for (const fs::path& f : {folders.year, folders.month, folders.week, folders.day, folders.bonus,
                            folders.patterns, folders.index})
    EXPECT_TRUE(FolderExists(f)) << f;
  EXPECT_TRUE(FileExists(folders.place_list));
  EXPECT_TRUE(FileExists(folders.game_list));
}

TEST_F(EntryPageTest, SaveWritesTheReportItsAggregatesAndIndex) {
  page.SetField(F::kPlace, "A");
  page.SetField(F::kGame, "B");
  page.SetField(F::kRemarks, "初回ボーナス\n消化");
  FillValidPage();
  EXPECT_EQ(page.report_name(), "2024010501収支日報");
  EXPECT_EQ(page.field(F::kPlayTime), "02:30");
  EXPECT_EQ(page.field(F::kProfit), "500");
  EXPECT_EQ(page.field(F::kHourlyRate), "200");
  EXPECT_EQ(page.field(F::kAverageBet), "100.00");
  EXPECT_EQ(page.field(F::kPayout), "150.00");
  EXPECT_EQ(page.focus(), F::kRemarks);

  ASSERT_TRUE(page.Save());
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kSaved});
  EXPECT_TRUE(page.saved());
  EXPECT_EQ(ReportText("2024010501収支日報"),
            "開始日付年月日=2024/01/05\r\n開始時刻=20:00\r\n終了日付年月日=2024/01/05\r\n終了時刻=22:30\r\n"
            "プレー時間=02:30\r\nプレー場所=A\r\nプレーゲーム=B\r\n開始残高=1000\r\n追加入金=0\r\n"
            "終了残高=1500\r\n収支=500\r\n出金=200\r\n時給=200\r\nベット数=10\r\n勝敗詳細勝=6\r\n"
            "勝敗詳細負=4\r\n勝敗詳細分=0\r\nトータルベット=1000\r\n最高ベット=200\r\n平均ベット=100.00\r\n"
            "ペイアウト=150.00\r\n最大連勝数=3\r\n最大連敗数=2\r\n残高詳細情報=\r\nボーナスプレー中=False\r\n"
            "ボーナス種別=\r\n必要額=\r\n現在までの賭け額=\r\n達成率=\r\n残ベット数=\r\n"
            "備考=初回ボーナス<BR>消化\r\n");
  // The file is code page 932.
  EXPECT_EQ(ReadWholeFile(folders.day / "2024010501収支日報_day.txt").substr(0, 4), "\x8A\x4A\x8E\x6E");
  for (const fs::path& f : {folders.year / "2024.txt", folders.month / "202401.txt",
                            folders.week / "20231231-0106.txt"})
    EXPECT_EQ(ReadTextFile(f), "0105,500,\"A\",\"B\"\r\n") << f;
  EXPECT_EQ(ReadIndexValues(folders.index, 3), std::vector<std::string>{"A"});
  EXPECT_EQ(ReadIndexValues(folders.index, 28), std::vector<std::string>{"初回ボーナス<BR>消化"});
  EXPECT_EQ(page.reports(), std::vector<std::string>{"2024010501収支日報"});

  // Loading it gives the page back, remarks on two lines.
  page.AllClear();
  page.ChooseReport(0);
  EXPECT_TRUE(page.loaded());
  EXPECT_EQ(page.field(F::kRemarks), "初回ボーナス\n消化");
  EXPECT_EQ(page.field(F::kPayout), "150.00");
  EXPECT_EQ(page.report_name(), "2024010501収支日報");
}

TEST_F(EntryPageTest, SavingTwiceLeavesTwoEqualAggregateLines) {
  page.SetField(F::kPlace, "A");
  page.SetField(F::kGame, "B");
  FillValidPage();
  ASSERT_TRUE(page.Save());
  dialogs.answers = {true};
  ASSERT_TRUE(page.Save());
  EXPECT_EQ(dialogs.questions, std::vector<std::string>{st::kReportExists});
  for (const fs::path& f : {folders.year / "2024.txt", folders.month / "202401.txt",
                            folders.week / "20231231-0106.txt"})
    EXPECT_EQ(ReadTextFile(f), "0105,500,\"A\",\"B\"\r\n0105,500,\"A\",\"B\"\r\n") << f;
  EXPECT_EQ(page.reports().size(), 1u);
}

TEST_F(EntryPageTest, AnsweringNoToTheOverwriteChangesNoFile) {
  FillValidPage();
  ASSERT_TRUE(page.Save());
  page.SetField(F::kEndBalance, "900");
  ASSERT_TRUE(page.EnterIn(F::kEndBalance));
  const auto before = Snapshot(home.path());
  dialogs.answers = {false};
  EXPECT_FALSE(page.Save());
  EXPECT_EQ(Snapshot(home.path()), before);
}

TEST_F(EntryPageTest, NegativePayoutIsShownAndTheSaveStopsAtTheTotalBetCheck) {
  FillValidPage();
  page.SetField(F::kStartBalance, "1000");
  page.SetField(F::kEndBalance, "880");
  ASSERT_TRUE(page.EnterIn(F::kEndBalance));
  EXPECT_EQ(page.field(F::kProfit), "-120");
  page.SetField(F::kTotalBet, "100");
  dialogs.messages.clear();
  EXPECT_FALSE(page.EnterIn(F::kTotalBet));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kNegativePayout});
  EXPECT_EQ(page.field(F::kPayout), "150.00");  // Enter keeps the old payout
  EXPECT_EQ(page.focus(), F::kTotalBet);

  dialogs.messages.clear();
  EXPECT_FALSE(page.Save());
  EXPECT_EQ(dialogs.messages, (std::vector<std::string>{st::kNegativePayout, st::kPayoutNotComputed}));
  EXPECT_TRUE(ListFiles(folders.day).empty());
}

struct EnterCase {
  ReportField field;
  const char* typed;
  const char* message;  // "" when accepted
};

void PrintTo(const EnterCase& c, std::ostream* os) { *os << kReportKeys[Index(c.field)] << "=" << c.typed; }

class EnterCheckTest : public EntryPageTest, public ::testing::WithParamInterface<EnterCase> {};

TEST_P(EnterCheckTest, ChecksTheFieldAndMovesOn) {
  const EnterCase& c = GetParam();
  page.SetField(c.field, c.typed);
  const bool accepted = page.EnterIn(c.field);
  EXPECT_EQ(accepted, *c.message == '\0');
  if (accepted) {
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(page.focus(), EntryPageModel::NextField(c.field));
  } else {
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{c.message});
    EXPECT_EQ(page.focus(), c.field);
  }
}

INSTANTIATE_TEST_SUITE_P(
    EntryPage, EnterCheckTest,
    ::testing::Values(EnterCase{F::kStartBalance, "0", ""}, EnterCase{F::kStartBalance, " 100000 ", ""},
                      EnterCase{F::kStartBalance, "100001", st::kRange0To100000},
                      EnterCase{F::kDeposit, "", st::kRange0To100000},
                      EnterCase{F::kWithdrawal, "-1", st::kRange0To100000},
                      EnterCase{F::kTies, "１", st::kRange0To100000},
                      EnterCase{F::kTotalBet, "0", st::kRange1To100000},
                      EnterCase{F::kHighestBet, "1.5", st::kRange1To100000},
                      EnterCase{F::kWinStreak, "100", ""}, EnterCase{F::kLoseStreak, "150", st::kRange0To100}));

TEST_F(EntryPageTest, EnterOrderEndsInTheRemarks) {
  EXPECT_EQ(EntryPageModel::NextField(F::kStartBalance), F::kDeposit);
  EXPECT_EQ(EntryPageModel::NextField(F::kEndBalance), F::kWithdrawal);
  EXPECT_EQ(EntryPageModel::NextField(F::kTies), F::kTotalBet);
  EXPECT_EQ(EntryPageModel::NextField(F::kLoseStreak), F::kRemarks);
  EXPECT_EQ(EntryPageModel::NextField(F::kRemarks), std::nullopt);
}

TEST_F(EntryPageTest, AStreakOf150PassesTheSaveCheckWithoutEnter) {
  FillValidPage();
  page.SetField(F::kWinStreak, "150");
  EXPECT_TRUE(page.Save());
  EXPECT_NE(ReportText(page.report_name()).find("最大連勝数=150\r\n"), std::string::npos);
}

struct SaveCheckCase {
  const char* name;
  std::function<void(EntryPageModel&)> spoil;
  std::string message;
  std::optional<ReportField> focus;
};

void PrintTo(const SaveCheckCase& c, std::ostream* os) { *os << c.name; }

class SaveCheckTest : public EntryPageTest, public ::testing::WithParamInterface<SaveCheckCase> {};

TEST_P(SaveCheckTest, StopsAtTheFirstFailureAndWritesNothing) {
  FillValidPage();
  GetParam().spoil(page);
  dialogs.messages.clear();
  EXPECT_FALSE(page.Save());
  ASSERT_FALSE(dialogs.messages.empty());
  EXPECT_EQ(dialogs.messages.back(), GetParam().message);
  EXPECT_EQ(page.focus(), GetParam().focus);
  EXPECT_TRUE(ListFiles(folders.day).empty());
}

INSTANTIATE_TEST_SUITE_P(
    EntryPage, SaveCheckTest,
    ::testing::Values(
        SaveCheckCase{"dates", [](EntryPageModel& p) { p.SetField(F::kEndTime, ""); }, st::kDatesRequired, {}},
        SaveCheckCase{"money", [](EntryPageModel& p) { p.SetField(F::kWithdrawal, " "); }, st::kMoneyRequired, {}},
        SaveCheckCase{"whole", [](EntryPageModel& p) { p.SetField(F::kWins, "6.5"); }, st::kWholeNumber, F::kWins},
        SaveCheckCase{"range", [](EntryPageModel& p) { p.SetField(F::kHighestBet, "100001"); }, st::kWholeNumber,
                      F::kHighestBet},
        // A start balance out of range makes the payout negative before the range is checked.
        SaveCheckCase{"payout", [](EntryPageModel& p) { p.SetField(F::kStartBalance, "100001"); },
                      st::kPayoutNotComputed, {}},
        SaveCheckCase{"emoji", [](EntryPageModel& p) { p.SetField(F::kRemarks, "勝った😀"); },
                      kUnstorableCharacterMessage, F::kRemarks}),
    [](const auto& info) { return info.param.name; });

TEST_F(EntryPageTest, ThirdReportOfADayAndAFreedNumber) {
  testing::ReportFields fields;
  SaveSampleReport(home.path(), fields);
  SaveSampleReport(home.path(), fields);
  FillValidPage("2024/01/05");
  EXPECT_EQ(page.report_name(), "2024010503収支日報");
  fs::remove(folders.day / "2024010502収支日報_day.txt");
  FillValidPage("2024/01/05");
  EXPECT_EQ(page.report_name(), "2024010502収支日報");
}

TEST_F(EntryPageTest, DateDialogStartsOnTheFieldsOrOnToday) {
  DatePick start = page.DialogStart(false);
  EXPECT_EQ(start.date, (CivilDate{2024, 1, 8}));
  EXPECT_EQ(start.hour, 0);
  EXPECT_EQ(start.minute, 0);
  page.PickEndDate({{2024, 2, 29}, 9, 5});
  EXPECT_EQ(page.field(F::kEndDate), "2024/02/29");
  EXPECT_EQ(page.field(F::kEndTime), "9:05");
  EXPECT_EQ(page.focus(), F::kStartBalance);
  DatePick end = page.DialogStart(true);
  EXPECT_EQ(end.date, (CivilDate{2024, 2, 29}));
  EXPECT_EQ(end.hour, 9);
  EXPECT_EQ(end.minute, 5);
}

TEST_F(EntryPageTest, ProvisionalBalanceListMovesToTheReportAtSave) {
  FillValidPage();
  BalanceDetailModel detail = page.OpenBalanceDetail();
  EXPECT_TRUE(detail.lines().empty());
  for (const char* v : {"1000", "1200", "1500"}) ASSERT_TRUE(detail.Append(v));
  auto path = detail.Save();
  ASSERT_TRUE(path);
  EXPECT_EQ(path->filename(), "202401082145_detailed.txt");
  page.BalanceDetailSaved(*path);
  ASSERT_TRUE(page.Save());
  const fs::path target = folders.day / "2024010501_detailed.txt";
  EXPECT_FALSE(FileExists(*path));
  EXPECT_EQ(ReadTextFile(target), "1000\r\n1200\r\n1500\r\n");
  EXPECT_EQ(page.field(F::kBalanceDetail), "【有】" + target.string());
  EXPECT_NE(ReportText("2024010501収支日報").find("残高詳細情報=【有】" + target.string()), std::string::npos);
}

TEST_F(EntryPageTest, ANewReportFromALoadedOneCopiesItsListAndLeavesTheOldReportsList) {
  testing::ReportFields fields;
  const fs::path old_list = folders.day / "2024010501_detailed.txt";
  WriteTextFile(old_list, "5\r\n6\r\n");
  fields.detail = "【有】C:\\old\\place\\2024010501_detailed.txt";  // only its file name counts
  SaveSampleReport(home.path(), fields);
  page.AllClear();
  page.ChooseReport(0);
  FillValidPage("2024/01/05");  // a new start date gives a new report
  EXPECT_EQ(page.report_name(), "2024010502収支日報");
  ASSERT_TRUE(page.Save());
  EXPECT_EQ(ReadTextFile(folders.day / "2024010502_detailed.txt"), "5\r\n6\r\n");
  EXPECT_EQ(ReadTextFile(old_list), "5\r\n6\r\n");
}

TEST_F(EntryPageTest, AListThatCannotBeCopiedStaysWhereItIsAndTheReportIsSaved) {
  FillValidPage();
  page.SetField(F::kBalanceDetail, "【有】/nowhere/202401010000_detailed.txt");
  ASSERT_TRUE(page.Save());
  EXPECT_EQ(page.field(F::kBalanceDetail), "【有】/nowhere/202401010000_detailed.txt");
  EXPECT_TRUE(pump.pauses.empty());  // a missing file is not retried
}

TEST_F(EntryPageTest, BalanceDetailDialogEditsItsList) {
  WriteTextFile(folders.day / "2024010501_detailed.txt", "10\r\n20\r\n\r\n30\r\n");
  page.SetField(F::kBalanceDetail, "【有】x\\2024010501_detailed.txt");
  BalanceDetailModel d = page.OpenBalanceDetail();
  EXPECT_EQ(d.lines(), (std::vector<std::string>{"10", "20", "30"}));
  EXPECT_FALSE(d.Append("100001"));
  EXPECT_FALSE(d.Modify(-1, "5"));
  EXPECT_FALSE(d.Modify(0, " "));
  EXPECT_FALSE(d.Insert(-1, "5"));
  EXPECT_FALSE(d.Insert(1, "abc"));
  EXPECT_FALSE(d.Remove(-1));
  EXPECT_EQ(dialogs.messages,
            (std::vector<std::string>{st::kRange0To100000, st::kChooseLineToEdit, st::kValueBlank,
                                      st::kChooseLineToInsert, st::kRange0To100000, st::kChooseLineToDelete}));
  EXPECT_TRUE(d.Modify(0, "11"));
  EXPECT_TRUE(d.Insert(1, "15"));
  EXPECT_TRUE(d.Remove(3));
  auto path = d.Save();
  ASSERT_TRUE(path);
  EXPECT_EQ(*path, folders.day / "2024010501_detailed.txt");
  EXPECT_EQ(ReadTextFile(*path), "11\r\n15\r\n20\r\n");

  BalanceDetailModel empty(folders.day, "", dialogs, clock);
  EXPECT_FALSE(empty.Save());
  EXPECT_EQ(dialogs.messages.back(), st::kListBlank);

  page.ClearBalanceDetail();
  EXPECT_FALSE(FileExists(*path));
  EXPECT_EQ(page.field(F::kBalanceDetail), "");
}

TEST_F(EntryPageTest, DeleteNeedsALoadedReportAndOffersTheRegeneration) {
  RegenerationObserver observer;
  EXPECT_FALSE(page.Delete(observer));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kLoadReportToDelete});

  testing::ReportFields fields;
  fields.place = "Gone";
  const std::string name = SaveSampleReport(home.path(), fields);
  WriteTextFile(folders.day / DetailFileName(name), "1\r\n");
  fields.place = "Kept";
  SaveSampleReport(home.path(), fields);
  page.AllClear();
  page.ChooseReport(0);
  dialogs.messages.clear();
  dialogs.answers = {true, true};  // delete, then regenerate
  EXPECT_TRUE(page.Delete(observer));
  EXPECT_EQ(dialogs.questions, (std::vector<std::string>{st::kDeleteQuestion, st::kRegenerateQuestion}));
  EXPECT_EQ(dialogs.messages, (std::vector<std::string>{st::kRegenerateDone, st::kDeleted}));
  EXPECT_FALSE(FileExists(folders.day / ReportFileName(name)));
  EXPECT_FALSE(FileExists(folders.day / DetailFileName(name)));
  EXPECT_FALSE(page.loaded());
  EXPECT_EQ(page.reports(), std::vector<std::string>{"2024010502収支日報"});
  EXPECT_EQ(ReadIndexValues(folders.index, 3), std::vector<std::string>{"Kept"});
  EXPECT_EQ(ReadTextFile(folders.year / "2024.txt"), "0105,500,\"Kept\",\"バカラ\"\r\n");
}

TEST_F(EntryPageTest, CloseAsksUnlessSaved) {
  dialogs.answers = {false, true};
  EXPECT_FALSE(page.ConfirmClose());
  EXPECT_TRUE(page.ConfirmClose());
  EXPECT_EQ(dialogs.questions, (std::vector<std::string>{st::kCloseUnsaved, st::kCloseUnsaved}));
  FillValidPage();
  ASSERT_TRUE(page.Save());
  EXPECT_TRUE(page.ConfirmClose());
  EXPECT_EQ(dialogs.questions.size(), 2u);
}

TEST_F(EntryPageTest, DateSearchLoadsTheFirstReportOfTheDay) {
  testing::ReportFields fields;
  fields.place = "first";
  SaveSampleReport(home.path(), fields);
  fields.place = "second";
  SaveSampleReport(home.path(), fields);
  page.AllClear();
  const std::pair<const char*, const char*> refused[] = {
      {" ", st::kSearchValueBlank},  {"202401051", st::kEightDigits}, {"20240230", st::kBadDate},
      {"2024ab05", st::kBadDate},    {"２０２４０１０５", st::kBadDate}, {"20240106", st::kNoSearchResult}};
  for (const auto& [typed, message] : refused) {
    dialogs.messages.clear();
    EXPECT_FALSE(page.DateSearch(typed)) << typed;
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{message}) << typed;
  }
  EXPECT_TRUE(page.DateSearch(" 20240105 "));
  EXPECT_TRUE(page.loaded());
  EXPECT_EQ(page.chosen_report(), 0);
  EXPECT_EQ(page.field(F::kPlace), "first");
}

TEST_F(EntryPageTest, PickListsStaySortedAndARemovedEntryStaysRemoved) {
  EXPECT_FALSE(page.AddToList(PickKind::kPlace, "  "));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kBlank});
  for (const char* p : {"ミラージュ", "Sky", "カジノA", "Sky"}) EXPECT_TRUE(page.AddToList(PickKind::kPlace, p));
  EXPECT_EQ(page.list(PickKind::kPlace).entries(),
            (std::vector<std::string>{"Sky", "Sky", "カジノA", "ミラージュ"}));
  EXPECT_EQ(ReadTextFile(folders.place_list), "Sky\r\nSky\r\nカジノA\r\nミラージュ\r\n");
  page.PickFromList(PickKind::kPlace, 3);
  EXPECT_EQ(page.field(F::kPlace), "ミラージュ");
  page.RemoveFromList(PickKind::kPlace, -1);
  EXPECT_EQ(dialogs.messages.back(), st::kChooseListToDelete);
  page.RemoveFromList(PickKind::kPlace, 3);
  EXPECT_EQ(page.field(F::kPlace), "");
  EXPECT_TRUE(page.AddToList(PickKind::kGame, "バカラ"));

  EntryPageModel reopened(home.path(), dialogs, clock, pump);
  reopened.Open();
  EXPECT_EQ(reopened.list(PickKind::kPlace).entries(), (std::vector<std::string>{"Sky", "Sky", "カジノA"}));
  EXPECT_EQ(reopened.list(PickKind::kGame).entries(), std::vector<std::string>{"バカラ"});
}

TEST_F(EntryPageTest, DamagedReportFilesLoadWithoutHarm) {
  home.Write("balancesheet/03_day/2024010501収支日報_day.txt",
             std::string("\x00\xFF\x82=\r\n", 6) + EncodeCp932Lossy("収支=abc\r\n"));
  home.Write("balancesheet/03_day/2024010502収支日報_day.txt", "");
  page.AllClear();
  ASSERT_EQ(page.reports().size(), 2u);
  page.ChooseReport(0);
  EXPECT_EQ(page.field(F::kProfit), "abc");
  EXPECT_EQ(page.field(F::kPlace), "");
  page.ChooseReport(1);
  EXPECT_TRUE(page.loaded());
  EXPECT_FALSE(page.Save());  // nothing to save: the checks say what is missing
  EXPECT_EQ(dialogs.messages.back(), st::kDatesRequired);
}

}  // namespace
}  // namespace vessaro
