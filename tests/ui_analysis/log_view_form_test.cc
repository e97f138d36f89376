// The log viewer window: a long log arrives whole while the window stays usable, and the text
// area's edits reach only the copy.
#include "ui/analysis/log_view_form.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include "analysis/sample_files.h"
#include "common/cp932.h"
#include "support/fakes.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::FakeDialogs;
using testing::TempFolder;

constexpr const char* kLog = "log/20240101130000Auto.txt";

class LogViewFormTest : public ::testing::Test {
 protected:
  LogViewFormTest() { testing::WriteCp932(folder, kLog, testing::MakeAutoLog(10000)); }

  TempFolder folder;
  FakeDialogs dialogs;
};

TEST_F(LogViewFormTest, ShowsEveryLineOfA10000RoundLog) {
  TLogViewForm w(folder.path(), (folder / kLog).string(), &dialogs);
  QSignalSpy finished(&w, &TLogViewForm::LoadingFinished);
  EXPECT_EQ(w.windowTitle(), "ログビューア");
  EXPECT_EQ(w.path_edit()->text().toStdString(), (folder / kLog).string());
  w.show();
  EXPECT_TRUE(w.text_edit()->document()->blockCount() > 1);  // the first screen at once
  for (int i = 0; i < 10000 && w.loading(); ++i) QApplication::processEvents();
  ASSERT_FALSE(w.loading());
  EXPECT_EQ(finished.count(), 1);
  QTextDocument* doc = w.text_edit()->document();
  EXPECT_EQ(doc->blockCount(), 10005);  // 10004 lines and the empty line after the last line end
  EXPECT_TRUE(doc->findBlockByNumber(0).text().startsWith("----------【2024/01/01 13:00】"));
  EXPECT_TRUE(doc->findBlockByNumber(10001).text().startsWith("ラウンド：10000 ベット額：10 "));
  EXPECT_EQ(doc->findBlockByNumber(10003).text(),
            "---------------試行回数10000　終了---------------");
  EXPECT_FALSE(w.text_edit()->isReadOnly());
  EXPECT_FALSE(doc->isModified());
  EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(LogViewFormTest, BrowseFillsThePathAndShowLoadsIt) {
  TLogViewForm w(folder.path(), {}, &dialogs);
  dialogs.chosen_files = {(folder / kLog).string()};
  QTest::mouseClick(w.browse_button(), Qt::LeftButton);
  EXPECT_EQ(w.path_edit()->text().toStdString(), (folder / kLog).string());
  EXPECT_TRUE(w.text_edit()->toPlainText().isEmpty());

  QTest::mouseClick(w.show_button(), Qt::LeftButton);
  w.FinishLoading();
  EXPECT_EQ(w.text_edit()->document()->blockCount(), 10005);

  w.path_edit()->setText("log/none.txt");
  QTest::mouseClick(w.show_button(), Qt::LeftButton);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"ログファイルが見つかりません"});
  EXPECT_EQ(w.text_edit()->document()->blockCount(), 10005);
}

TEST_F(LogViewFormTest, SaveAsWritesACopyAndNeverTheLog) {
  const std::string log_bytes = ReadWholeFile(folder / kLog);
  TLogViewForm w(folder.path(), kLog, &dialogs);

  // Unedited, even before the whole text has arrived: the copy is the file.
  dialogs.chosen_files = {(folder / "copy.txt").string()};
  QTest::mouseClick(w.save_button(), Qt::LeftButton);
  EXPECT_TRUE(ReadWholeFile(folder / "copy.txt") == log_bytes);

  // Edited: the text as it now stands.
  w.FinishLoading();
  w.text_edit()->selectAll();
  w.text_edit()->insertPlainText(QStringLiteral("一行目\n二行目"));
  dialogs.chosen_files = {(folder / "edited.txt").string()};
  QTest::mouseClick(w.save_button(), Qt::LeftButton);
  EXPECT_EQ(ReadWholeFile(folder / "edited.txt"), *EncodeCp932("一行目\r\n二行目"));

  dialogs.chosen_files = {(folder / kLog).string()};
  QTest::mouseClick(w.save_button(), Qt::LeftButton);
  EXPECT_EQ(dialogs.messages, std::vector<std::string>{"表示中のログファイルには保存できません"});
  EXPECT_TRUE(ReadWholeFile(folder / kLog) == log_bytes);
}

}  // namespace
}  // namespace vessaro
