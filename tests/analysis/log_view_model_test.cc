// The log viewer's rules: showing a file, browsing, and saving the text as a copy that never
// replaces the shown log.
#include "analysis/log_view_model.h"

#include <gtest/gtest.h>

#include "analysis/sample_files.h"
#include "common/cp932.h"
#include "common/names.h"
#include "common/text.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;

constexpr const char* kLog = "log/20240101130000Auto.txt";

class LogViewModelTest : public ::testing::Test {
 protected:
  LogViewModelTest() : model(folder.path(), dialogs) {
    log_text = testing::MakeAutoLog(10000);
    testing::WriteCp932(folder, kLog, log_text);
  }

  TempFolder folder;
  FakeDialogs dialogs;
  LogViewModel model;
  std::string log_text;
};

TEST_F(LogViewModelTest, ShowsEveryLineOfARunLog) {
  std::unique_ptr<LogTextReader> reader = model.Show((folder / kLog).string());
  ASSERT_TRUE(reader);
  const std::string text = ReadRemainingText(*reader);
  EXPECT_EQ(text, log_text);
  EXPECT_EQ(reader->read_bytes(), reader->total_bytes());
  const std::vector<std::string> lines = SplitLines(text);
  ASSERT_EQ(lines.size(), 10004u);  // header, empty line, rounds, statistics, closing line
  EXPECT_EQ(lines[2].rfind("ラウンド：1 ベット額：10 ", 0), 0u);
  EXPECT_EQ(lines[10001].rfind("ラウンド：10000 ", 0), 0u);
  EXPECT_EQ(model.shown_file(), folder / kLog);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LogViewModelTest, RelativePathsAreBelowTheProgramFolder) {
  EXPECT_TRUE(model.Show("log\\20240101130000Auto.txt"));
  EXPECT_TRUE(model.Show("log/20240101130000Auto.txt"));
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LogViewModelTest, MissingFileIsReportedAndChangesNothing) {
  ASSERT_TRUE(model.Show(kLog));
  for (const char* path : {"log/none.txt", "", "log"}) {
    dialogs.messages.clear();
    EXPECT_EQ(model.Show(path), nullptr) << path;
    EXPECT_EQ(dialogs.messages, std::vector<std::string>{"ログファイルが見つかりません"}) << path;
    EXPECT_EQ(model.shown_file(), folder / kLog);
  }
}

TEST_F(LogViewModelTest, BrowseOffersTextFilesInTheLogFolder) {
  dialogs.chosen_files = {(folder / "log/other.txt").string(), std::nullopt};
  EXPECT_EQ(model.Browse(), (folder / "log/other.txt").string());
  EXPECT_EQ(model.Browse(), std::nullopt);
  ASSERT_EQ(dialogs.file_requests.size(), 2u);
  EXPECT_EQ(dialogs.file_requests[0].title, "ファイルを選択してください。");
  EXPECT_EQ(dialogs.file_requests[0].filter, "TXT FILE(*.TXT)|*.TXT|ALL FILE(*.*)|*.*");
  EXPECT_EQ(dialogs.file_requests[0].initial, (folder / "log").string());
}

TEST_F(LogViewModelTest, SavedCopiesLeaveTheLogAlone) {
  // A little text the code page cannot show (a broken byte) must survive an unedited copy.
  folder.Write("log/odd.txt", "\x82\xA0ok\xFF\r\n");
  ASSERT_TRUE(model.Show("log/odd.txt"));
  const std::string before = ReadWholeFile(folder / "log/odd.txt");
  dialogs.chosen_files = {(folder / "copy.txt").string(), (folder / "edited.txt").string()};

  std::optional<fs::path> target = model.ChooseSaveTarget();
  ASSERT_EQ(target, folder / "copy.txt");
  EXPECT_EQ(dialogs.file_requests.back().default_extension, "txt");
  EXPECT_EQ(dialogs.file_requests.back().initial, (folder / "log").string());
  EXPECT_TRUE(model.SaveCopy(*target));
  EXPECT_EQ(ReadWholeFile(folder / "copy.txt"), before);

  // The text area hands edited text back with bare line feeds.
  target = model.ChooseSaveTarget();
  ASSERT_TRUE(target);
  EXPECT_TRUE(model.SaveText(*target, "編集した行\n二行目\n"));
  EXPECT_EQ(ReadWholeFile(folder / "edited.txt"), *EncodeCp932("編集した行\r\n二行目\r\n"));

  EXPECT_EQ(ReadWholeFile(folder / "log/odd.txt"), before);
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LogViewModelTest, SaveRefusals) {
  ASSERT_TRUE(model.Show(kLog));
  const std::string before = ReadWholeFile(folder / kLog);
  const std::optional<std::string> refused[] = {
      std::nullopt,  // cancelled: no message
      (folder / kLog).string(),
      (folder / "log/../log/20240101130000Auto.txt").string(),
  };
  for (const std::optional<std::string>& chosen : refused) {
    dialogs.messages.clear();
    dialogs.chosen_files = {chosen};
    EXPECT_EQ(model.ChooseSaveTarget(), std::nullopt);
    EXPECT_EQ(dialogs.messages,
              chosen ? std::vector<std::string>{"表示中のログファイルには保存できません"}
                     : std::vector<std::string>{});
  }
  dialogs.messages.clear();
  EXPECT_FALSE(model.SaveText(folder / "emoji.txt", "絵文字😀"));
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{kUnstorableCharacterMessage});
  EXPECT_FALSE(FileExists(folder / "emoji.txt"));
  EXPECT_EQ(ReadWholeFile(folder / kLog), before);
}

// Pieces end at line ends, and a line longer than a piece is cut between characters, never inside
// one, whatever the encoding. A last line without its line end (torn by a kill) is never shown,
// whatever the piece size.
TEST(LogTextReaderTest, PiecesJoinToTheWholeText) {
  TempFolder folder;
  const std::string text = "一行目\r\n" + std::string(50, 'x') + "\r\n" + "アイウエオカキクケコ" +
                           "サシスセソ\r\n";
  const std::string torn = "ラウンド：12 ベット額：1";
  struct Case {
    const char* label;
    std::string bytes;
  };
  const Case cases[] = {
      {"cp932", *EncodeCp932(text)},
      {"utf8", "\xEF\xBB\xBF" + text},
  };
  for (const Case& c : cases) {
    folder.Write("log.txt", c.bytes + *EncodeCp932(torn));
    for (size_t piece_bytes : {1, 2, 3, 7, 16, 1000}) {
      LogTextReader reader(folder / "log.txt");
      std::string joined;
      int pieces = 0;
      while (std::optional<std::string> piece = reader.Next(piece_bytes)) {
        EXPECT_EQ(piece->find("\xEF\xBF\xBD"), std::string::npos)  // no replacement character
            << c.label << " " << piece_bytes << ": " << *piece;
        joined += *piece;
        ++pieces;
      }
      EXPECT_EQ(joined, text) << c.label << " " << piece_bytes;
      EXPECT_EQ(reader.read_bytes(), static_cast<int64_t>(c.bytes.size()));
      if (piece_bytes == 1000) {
        EXPECT_EQ(pieces, 1) << c.label;
      }
      if (piece_bytes == 16) {
        // The first piece stops at the end of the first line.
        LogTextReader again(folder / "log.txt");
        EXPECT_EQ(again.Next(16), "一行目\r\n") << c.label;
      }
    }
  }
}

TEST(ToCrLfTest, EveryLineEndBecomesCrLf) {
  EXPECT_EQ(ToCrLf("a\nb\r\nc\rd"), "a\r\nb\r\nc\r\nd");
  EXPECT_EQ(ToCrLf("\n\n"), "\r\n\r\n");
  EXPECT_EQ(ToCrLf("\r\r\n"), "\r\n\r\n");
  EXPECT_EQ(ToCrLf(""), "");
}

}  // namespace
}  // namespace vessaro
