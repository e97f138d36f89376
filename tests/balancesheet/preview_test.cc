#include "balancesheet/preview.h"

#include <gtest/gtest.h>

#include "balancesheet/preview_columns.h"
#include "balancesheet/sample_reports.h"
#include "balancesheet/sheet_texts.h"
#include "common/cp932.h"
#include "common/hex.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using F = ReportField;
using testing::FakeDialogs;
using testing::ReportFields;
using testing::TempFolder;
namespace st = sheet_text;

std::vector<std::string> Names(const fs::path& folder) { return ListSheetFileNames(folder); }

TEST(AggregatesTest, WeekFilesRunFromSundayToSaturday) {
  TempFolder home;
  SheetFolders folders(home.path());
  EnsureBalanceSheetFolders(folders);
  ASSERT_TRUE(AppendAggregates(folders, "A", "B", "-200", "2024011001収支日報"));
  EXPECT_EQ(Names(folders.year), std::vector<std::string>{"2024.txt"});
  EXPECT_EQ(Names(folders.month), std::vector<std::string>{"202401.txt"});
  EXPECT_EQ(Names(folders.week), std::vector<std::string>{"20240107-0113.txt"});
  EXPECT_EQ(ReadTextFile(folders.week / "20240107-0113.txt"), "0110,-200,\"A\",\"B\"\r\n");

  AppendAggregates(folders, "", "", "5", "2024010701収支日報");
  AppendAggregates(folders, "", "", "5", "2024011301収支日報");
  AppendAggregates(folders, "", "", "5", "2024011401収支日報");
  AppendAggregates(folders, "x,y", "", "5", "2024020201収支日報");
  EXPECT_EQ(Names(folders.week), (std::vector<std::string>{"20240107-0113.txt", "20240114-0120.txt",
                                                            "20240128-0203.txt"}));
  EXPECT_EQ(ReadTextLines(folders.week / "20240107-0113.txt").size(), 3u);
  EXPECT_EQ(ReadTextFile(folders.week / "20240128-0203.txt"), "0202,5,\"x,y\",\"\"\r\n");
  EXPECT_FALSE(AppendAggregates(folders, "", "", "5", "notes"));
  EXPECT_EQ(ParseWeekFileName("20231231-0106.txt")->saturday, (CivilDate{2024, 1, 6}));
  EXPECT_FALSE(ParseWeekFileName("20240108-0114.txt"));  // not a Sunday
}

class PreviewTest : public ::testing::Test {
 protected:
  PreviewTest() : folders(home.path()), preview(home.path(), dialogs) {
    EnsureBalanceSheetFolders(folders);
    EnsureFolder(folders.column_settings.parent_path());
  }

  std::string Save(const std::string& date, long long profit, const std::string& place = "A",
                   bool with_detail = false) {
    ReportFields fields;
    fields.date = date;
    fields.place = place;
    fields.end_balance = fields.start_balance + profit;
    std::string name = SaveSampleReport(home.path(), fields);
    if (with_detail) {
      const fs::path detail = folders.day / DetailFileName(name);
      WriteTextFile(detail, "1000\r\n1,200\r\nabc\r\n900\r\n");
      DailyReport r = ReadReportFile(folders.day / ReportFileName(name));
      r[F::kBalanceDetail] = std::string(kDetailMarker) + detail.string();
      WriteTextFile(folders.day / ReportFileName(name), SerializeReport(r));
    }
    return name;
  }

  void Open() {
    preview.ResetPickers();
    preview.ReloadColumns();
  }

  int Item(const Picker& picker, const std::string& text) {
    for (size_t i = 0; i < picker.items.size(); ++i)
      if (picker.items[i] == text) return static_cast<int>(i);
    ADD_FAILURE() << "no item " << text;
    return -1;
  }

  TempFolder home;
  SheetFolders folders;
  FakeDialogs dialogs;
  PreviewModel preview;
};

TEST_F(PreviewTest, SearchWithoutAYearOnlyShowsItsMessage) {
  Save("2024/01/05", 100);
  Open();
  preview.Search();
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kNoNarrowing});
  EXPECT_TRUE(preview.rows().empty());
}

TEST_F(PreviewTest, AMonthOfReportsWithItsProfitGraph) {
  Save("2023/06/01", 999);
  Save("2024/01/05", 500);
  Save("2024/01/20", -200);
  Save("2024/01/20", 50);
  Save("2024/02/01", 7);
  Open();
  EXPECT_EQ(preview.year().items, (std::vector<std::string>{"2023年", "2024年"}));
  preview.ChooseYear(1);
  EXPECT_EQ(preview.month().items, (std::vector<std::string>{"01月", "02月"}));
  EXPECT_TRUE(preview.month().enabled);
  preview.ChooseMonth(0);
  preview.Search();
  ASSERT_EQ(preview.rows().size(), 3u);
  EXPECT_EQ(preview.columns().size(), 29u);
  EXPECT_EQ(preview.rows()[0][0], "2024/01/05");
  EXPECT_EQ(preview.graph().title, st::kProfitGraphTitle);
  EXPECT_EQ(preview.graph().points,
            (std::vector<std::pair<long long, long long>>{{0, 0}, {1, 500}, {2, 300}, {3, 350}}));

  preview.ChooseMonth(-1);  // the year alone
  preview.Search();
  EXPECT_EQ(preview.rows().size(), 4u);
}

TEST_F(PreviewTest, AWeekIsListedUnderEveryMonthItOverlaps) {
  Save("2024/01/30", 1, "A", true);
  Save("2024/02/02", 2);
  Save("2023/01/03", 3);  // a January week of another year stays under that year
  Open();
  preview.ChooseYear(Item(preview.year(), "2024年"));
  preview.ChooseMonth(Item(preview.month(), "01月"));
  EXPECT_EQ(preview.week().items, std::vector<std::string>{"0128-0203週"});
  preview.ChooseMonth(Item(preview.month(), "02月"));
  EXPECT_EQ(preview.week().items, std::vector<std::string>{"0128-0203週"});
  preview.ChooseWeek(0);
  EXPECT_EQ(preview.day().items, std::vector<std::string>{"2024年01月30日-01"});
  preview.Search();
  EXPECT_EQ(preview.rows().size(), 2u);
}

TEST_F(PreviewTest, AWeekFromDecemberIntoJanuaryCoversItsSevenRealDates) {
  Save("2023/12/31", 10, "A", true);
  Save("2024/01/02", 20, "A", true);
  Save("2024/01/06", 30);
  Open();
  for (const char* year : {"2023年", "2024年"}) {
    preview.ChooseYear(Item(preview.year(), year));
    preview.ChooseMonth(0);
    ASSERT_EQ(preview.week().items, std::vector<std::string>{"1231-0106週"}) << year;
    preview.ChooseWeek(0);
    EXPECT_EQ(preview.day().items, (std::vector<std::string>{"2023年12月31日-01", "2024年01月02日-01"}));
    preview.Search();
    EXPECT_EQ(preview.rows().size(), 3u) << year;
  }
}

TEST_F(PreviewTest, ADayShowsItsBalanceGraph) {
  Save("2024/01/05", 10, "A", true);
  Save("2024/01/05", 20, "B");
  // A list not yet saved with a report is not a day of its own.
  WriteTextFile(folders.day / "202401052130_detailed.txt", "1\r\n");
  Open();
  preview.ChooseYear(0);
  preview.ChooseMonth(0);
  preview.ChooseWeek(0);
  ASSERT_EQ(preview.day().items, std::vector<std::string>{"2024年01月05日-01"});
  preview.ChooseDay(0);
  preview.Search();
  ASSERT_EQ(preview.rows().size(), 1u);
  EXPECT_EQ(preview.graph().title, st::kBalanceGraphTitle);
  EXPECT_EQ(preview.graph().series, st::kBalanceSeries);
  EXPECT_EQ(preview.graph().points,
            (std::vector<std::pair<long long, long long>>{{0, 1000}, {1, 1200}, {2, 0}, {3, 900}}));

  // A list that has gone is reported and the graph stays.
  fs::remove(folders.day / "2024010501_detailed.txt");
  WriteTextFile(folders.day / "2024010501_detailed.txt.bak", "");
  DailyReport r = ReadReportFile(folders.day / "2024010501収支日報_day.txt");
  r[F::kBalanceDetail] = "【有】/x/elsewhere_detailed.txt";
  WriteTextFile(folders.day / "2024010501収支日報_day.txt", SerializeReport(r));
  WriteTextFile(folders.day / "2024010501_detailed.txt", "5\r\n");
  dialogs.messages.clear();
  preview.Search();
  ASSERT_EQ(dialogs.messages.size(), 1u);
  EXPECT_NE(dialogs.messages[0].find("elsewhere_detailed.txt"), std::string::npos);
  EXPECT_EQ(preview.graph().points.size(), 4u);
}

TEST_F(PreviewTest, PickerMessages) {
  Open();
  EXPECT_TRUE(preview.year().items.empty());
  // A year file without any month file: the year goes back to the prompt.
  WriteTextFile(folders.year / "2024.txt", "");
  preview.ResetPickers();
  preview.ChooseYear(0);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kNoMonthResult});
  EXPECT_EQ(preview.year().selected, -1);
  // Month files, none of that year: the year stays chosen.
  WriteTextFile(folders.month / "202301.txt", "");
  preview.ChooseYear(0);
  EXPECT_EQ(preview.year().selected, 0);
  EXPECT_FALSE(preview.month().enabled);
  WriteTextFile(folders.month / "202401.txt", "");
  preview.ChooseYear(0);
  preview.ChooseMonth(0);
  EXPECT_EQ(dialogs.messages.back(), st::kNoWeekResult);
  EXPECT_EQ(preview.month().selected, -1);
  WriteTextFile(folders.week / "20240107-0113.txt", "");
  preview.ChooseMonth(0);
  preview.ChooseWeek(0);
  EXPECT_EQ(dialogs.messages.back(), st::kNoDayResult);
  EXPECT_EQ(preview.week().selected, -1);
  preview.Search();
  EXPECT_EQ(dialogs.messages.back(), st::kZeroResults);
}

TEST_F(PreviewTest, ColumnSettingsChooseAndOrderTheColumns) {
  Save("2024/01/05", 500);
  Save("2024/01/06", -100);
  WriteWholeFile(folders.column_settings, HexEncodeText("収支&日付&"));
  Open();
  EXPECT_EQ(preview.columns(), (std::vector<std::string>{"収支", "日付"}));
  preview.ChooseYear(0);
  preview.Search();
  EXPECT_EQ(preview.rows(), (std::vector<std::vector<std::string>>{{"500", "2024/01/05"}, {"-100", "2024/01/06"}}));
  EXPECT_EQ(preview.graph().points.back(), (std::pair<long long, long long>{2, 400}));

  // Without the profit column the graph is a flat line at 0; an unknown name is an empty column.
  WriteWholeFile(folders.column_settings, HexEncodeText("日付&謎&"));
  preview.ColumnsChanged();
  EXPECT_EQ(preview.rows(), (std::vector<std::vector<std::string>>{{"2024/01/05", ""}, {"2024/01/06", ""}}));
  EXPECT_EQ(preview.graph().points,
            (std::vector<std::pair<long long, long long>>{{0, 0}, {1, 0}, {2, 0}}));
}

TEST_F(PreviewTest, DamagedColumnSettingsShowEveryColumn) {
  for (const std::string& damaged : {std::string("4Z41"), std::string("\x00\x01\xFF", 3), std::string("")}) {
    WriteWholeFile(folders.column_settings, damaged);
    dialogs.messages.clear();
    preview.ReloadColumns();
    EXPECT_EQ(preview.columns().size(), 29u);
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{st::kColumnSettingsUnreadable});
  }
  // An odd digit at the end is ignored, as the hexadecimal storage always has.
  WriteWholeFile(folders.column_settings, HexEncodeText("収支&") + "4");
  preview.ReloadColumns();
  EXPECT_EQ(preview.columns(), std::vector<std::string>{"収支"});
}

TEST_F(PreviewTest, ShownTexts) {
  ReportFields fields;
  fields.detail = "【有】x_detailed.txt";
  fields.remarks = "a<BR>b";
  DailyReport r = testing::MakeReport(fields);
  r[F::kBonusName] = "初回";
  EXPECT_EQ(ShownText("ゲーム詳細情報", r), "ゲーム履歴有");
  EXPECT_EQ(ShownText("ボーナスプレー", r), "");
  EXPECT_EQ(ShownText("ボーナス種別", r), "");
  EXPECT_EQ(ShownText("備考", r), "a b");
  EXPECT_EQ(ShownText("勝ち", r), "11");
  r[F::kBonusPlay] = "True";
  EXPECT_EQ(ShownText("ボーナスプレー", r), "はい");
  EXPECT_EQ(ShownText("ボーナス種別", r), "初回");
  r[F::kBonusPlay] = "TRUE";  // the preview compares exactly
  EXPECT_EQ(ShownText("ボーナスプレー", r), "");
  r[F::kBalanceDetail] = "";
  EXPECT_EQ(ShownText("ゲーム詳細情報", r), "");
}

TEST_F(PreviewTest, AConditionNarrowsTheSearch) {
  Save("2024/01/05", 500, "A");
  Save("2024/01/06", -200, "A");
  Save("2024/01/07", -200, "B");
  Save("2024/01/08", -50, "A");
  Open();
  preview.SetCondition("\"収支,数値,>,0\",OR,\"収支,数値,<,-100\",AND,\"プレー場所,文字,=,A\"");
  preview.ChooseYear(0);
  preview.Search();
  ASSERT_EQ(preview.rows().size(), 2u);
  EXPECT_EQ(preview.rows()[1][0], "2024/01/06");
  EXPECT_EQ(preview.graph().points.back(), (std::pair<long long, long long>{2, 300}));
  preview.SetCondition("");
  preview.Search();
  EXPECT_EQ(preview.rows().size(), 4u);
}

TEST_F(PreviewTest, FindReportsStopsAtItsLimit) {
  for (int i = 0; i < 5; ++i) Save("2024/01/05", i);
  FoundReports found = FindReports(folders.day, {"2024"}, SearchMode::kYear, nullptr, 3);
  EXPECT_TRUE(found.truncated);
  ASSERT_EQ(found.reports.size(), 3u);
  EXPECT_EQ(found.reports[2].name, "2024010503収支日報");
  found = FindReports(folders.day, {"2024"}, SearchMode::kYear,
                      [](const DailyReport& r) { return r[F::kProfit] != "1"; }, 5);
  EXPECT_FALSE(found.truncated);
  EXPECT_EQ(found.reports.size(), 4u);
}

TEST_F(PreviewTest, CsvQuotesAsSpreadsheetsExpect) {
  const std::string csv = TableCsv({"日付", "備考"}, {{"2024/01/05", "a,b"}, {"x", "say \"hi\""}, {"1", "two\nlines"}});
  EXPECT_EQ(csv, "日付,備考\r\n2024/01/05,\"a,b\"\r\nx,\"say \"\"hi\"\"\"\r\n1,\"two\nlines\"\r\n");
  EXPECT_EQ(TableCsvBytes({"日付"}, {}), EncodeCp932Lossy("日付\r\n"));

  Save("2024/01/05", 500, "Casino, Tokyo");
  Open();
  preview.ChooseYear(0);
  preview.Search();
  dialogs.chosen_files = {(home.path() / "out.csv").string()};
  ASSERT_TRUE(preview.ExportCsv());
  const std::string written = DecodeCp932(ReadWholeFile(home.path() / "out.csv"));
  EXPECT_EQ(written.substr(0, written.find("\r\n")), TableCsv(DefaultColumnNames(), {}).substr(0, written.find("\r\n")));
  EXPECT_NE(written.find(",\"Casino, Tokyo\","), std::string::npos);
}

TEST(ColumnDialogTest, EditsTheVisibleColumns) {
  TempFolder home;
  SheetFolders folders(home.path());
  FakeDialogs dialogs;
  ColumnDialogModel dialog(folders.column_settings);
  ASSERT_TRUE(FileExists(folders.column_settings));  // a missing file is written first
  EXPECT_EQ(dialog.custom(), DefaultColumnNames());
  dialog.RemoveSelected({0, 2, 1, 5, 99});
  EXPECT_EQ(dialog.custom().front(), "プレー場所");
  EXPECT_EQ(dialog.custom().size(), 25u);
  dialog.RemoveSelected([] { std::vector<int> all; for (int i = 0; i < 25; ++i) all.push_back(i); return all; }());
  EXPECT_EQ(dialog.Confirm(), std::string(st::kNeedOneColumn));
  dialog.AddSelected({8, 0});
  dialog.AddSelected({8});
  EXPECT_EQ(dialog.custom(), (std::vector<std::string>{"日付", "収支", "収支"}));
  dialog.InsertSelected({3, 4}, {});  // nothing selected on the right: nothing happens
  dialog.InsertSelected({4, 3}, {2, 1});
  EXPECT_EQ(dialog.custom(), (std::vector<std::string>{"日付", "プレー場所", "プレーゲーム", "収支", "収支"}));
  EXPECT_EQ(dialog.Confirm(), std::nullopt);
  EXPECT_EQ(HexDecodeText(ReadWholeFile(folders.column_settings)), "日付&プレー場所&プレーゲーム&収支&収支&");
}

}  // namespace
}  // namespace vessaro
