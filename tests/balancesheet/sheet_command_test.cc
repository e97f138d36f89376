#include "balancesheet/sheet_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "balancesheet/preview_columns.h"
#include "balancesheet/sample_reports.h"
#include "balancesheet/search_index.h"
#include "balancesheet/sheet_folders.h"
#include "common/cp932.h"
#include "common/hex.h"
#include "common/text.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::FakeClock;
using testing::ReportFields;
using testing::TempFolder;

struct CommandRun {
  int code;
  std::string out;     // UTF-8 view of the CSV written to standard output
  std::string report;
};

CommandRun RunArgs(const std::vector<std::string>& args) {
  std::string error;
  auto options = ParseSheetArguments(args, error);
  if (!options) return {2, "", error};
  FakeClock clock;
  std::ostringstream out, report;
  const int code = RunSheetCommand(*options, clock, out, report);
  return {code, DecodeCp932(out.str()), report.str()};
}

class SheetCommandTest : public ::testing::Test {
 protected:
  SheetCommandTest() {
    for (const char* date : {"2023/12/31", "2024/01/05", "2024/01/05", "2024/02/10"}) {
      ReportFields fields;
      fields.date = date;
      fields.place = std::string("P") + date;
      fields.remarks = "a,b<BR>c";
      SaveSampleReport(home.path(), fields);
    }
  }
  TempFolder home;
};

TEST_F(SheetCommandTest, ExportsTheReportsOfThePeriodWithEveryColumn) {
  CommandRun run = RunArgs({"--home", home.path().string(), "export", "--from", "20240101", "--to", "20240131"});
  ASSERT_EQ(run.code, 0) << run.report;
  const auto lines = SplitLines(run.out);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_TRUE(StartsWith(lines[0], "日付,開始時刻,プレー時間,"));
  EXPECT_EQ(std::count(lines[0].begin(), lines[0].end(), ','), 28);
  EXPECT_EQ(lines[1].substr(0, 11), "2024/01/05,");
  EXPECT_NE(lines[1].find(",\"a,b c\""), std::string::npos);
  EXPECT_NE(run.out.find("\r\n"), std::string::npos);
  EXPECT_NE(run.report.find("2 "), std::string::npos);

  // Without a range every report; with column settings their columns; into a file.
  EnsureFolder(SheetFolders(home.path()).column_settings.parent_path());
  WriteWholeFile(SheetFolders(home.path()).column_settings, HexEncodeText("プレー場所&収支&"));
  const fs::path file = home.path() / "all.csv";
  run = RunArgs({"export", "--out", file.string(), "--home", home.path().string()});
  ASSERT_EQ(run.code, 0) << run.report;
  EXPECT_EQ(DecodeCp932(ReadWholeFile(file)),
            "プレー場所,収支\r\nP2023/12/31,500\r\nP2024/01/05,500\r\nP2024/01/05,500\r\nP2024/02/10,500\r\n");
}

TEST_F(SheetCommandTest, WhereNarrowsByAConditionString) {
  CommandRun run = RunArgs({"--home", home.path().string(), "export", "--where",
                     "\"プレー場所,文字,=,P2024/01/05\",OR,\"開始日付年月日,日付,<,2024/01/01\""});
  ASSERT_EQ(run.code, 0) << run.report;
  EXPECT_EQ(SplitLines(run.out).size(), 4u);
  run = RunArgs({"--home", home.path().string(), "export", "--where", "プレー場所=A"});
  EXPECT_EQ(run.code, 2);
  EXPECT_NE(run.report.find("--where"), std::string::npos);
}

TEST_F(SheetCommandTest, RefusesBadInputWithExitCode2) {
  const std::vector<std::vector<std::string>> refused = {
      {"--home", home.path().string()},
      {"export"},
      {"--home", home.path().string(), "export", "--from", "2024011"},
      {"--home", home.path().string(), "export", "--from", "20240230"},
      {"--home", home.path().string(), "export", "--from", "20240201", "--to", "20240101"},
      {"--home", home.path().string(), "export", "--to"},
      {"--home", home.path().string(), "export", "--colour"},
      {"--home", home.path().string(), "reindex", "--out", "x"},
      {"--home", (home.path() / "nothing").string(), "export"},
      {"--home", home.path().string(), "export", "--out", (home.path() / "no/such/folder.csv").string()},
  };
  for (const auto& args : refused) {
    CommandRun run = RunArgs(args);
    EXPECT_EQ(run.code, 2) << args.back();
    EXPECT_FALSE(run.report.empty()) << args.back();
    EXPECT_TRUE(run.out.empty());
  }
}

TEST_F(SheetCommandTest, ReindexRebuildsWithoutAQuestion) {
  const SheetFolders folders(home.path());
  WriteTextFile(folders.index / "col_3.txt", "stale\r\n");
  WriteTextFile(folders.day / "notes.txt", "not a report\r\n");
  CommandRun run = RunArgs({"--home", home.path().string(), "reindex"});
  ASSERT_EQ(run.code, 0) << run.report;
  EXPECT_NE(run.report.find("read 4 reports (5 files in 03_day)"), std::string::npos) << run.report;
  EXPECT_EQ(ReadIndexValues(folders.index, 3),
            (std::vector<std::string>{"P2023/12/31", "P2024/01/05", "P2024/02/10"}));
}

TEST(SheetCommandHelpTest, SpeaksJapaneseAndEnglish) {
  std::string error;
  auto options = ParseSheetArguments({"--help"}, error);
  ASSERT_TRUE(options);
  EXPECT_TRUE(options->help);
  const std::string help = SheetHelpText();
  for (const char* part : {"使い方", "Usage", "export", "reindex", "--where", "終了コード", "exit status"})
    EXPECT_NE(help.find(part), std::string::npos) << part;
}

}  // namespace
}  // namespace vessaro
