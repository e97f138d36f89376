#include "common/files.h"

#include <gtest/gtest.h>

#include "common/line_appender.h"
#include "support/child_process.h"
#include "support/temp_folder.h"

namespace vessaro {
namespace {

using testing::TempFolder;
using testing::WithFileSizeLimit;

TEST(FilesTest, WholeFilesAndTextConversion) {
  TempFolder dir;
  fs::path f = dir / "a.txt";
  EXPECT_EQ(ReadWholeFile(f), "");  // missing reads as empty
  WriteTextFile(f, "表\r\n");
  EXPECT_EQ(ReadWholeFile(f), "\x95\x5C\r\n");
  EXPECT_EQ(ReadTextFile(f), "表\r\n");
  WriteWholeFile(f, "x");
  EXPECT_EQ(ReadWholeFile(f), "x");
  // The atomic write leaves no temporary file behind.
  EXPECT_EQ(ListFiles(dir.path()).size(), 1u);
}

TEST(FilesTest, FailedWholeFileWriteKeepsTheOldFileAndNoTemporary) {
  TempFolder dir;
  fs::path f = dir / "Rules.dat";
  WriteWholeFile(f, "old");
  const int code = WithFileSizeLimit(16, [&] {
    try {
      WriteWholeFile(f, std::string(4096, 'x'));
    } catch (const IoError&) {
      return 0;
    }
    return 1;
  });
  EXPECT_EQ(code, 0) << "the write did not report its failure";
  EXPECT_EQ(ReadWholeFile(f), "old");
  EXPECT_EQ(ListFiles(dir.path()).size(), 1u);
}

// A flush that fails half-way leaves the file ending in the whole line it ended in before, and
// the appender writes nothing more to it (later lines would leave a gap) until it starts again.
TEST(FilesTest, FailedAppendTakesBackItsPartAndStops) {
  TempFolder dir;
  fs::path f = dir / "auto.txt";
  WriteWholeFile(f, "head\r\n");
  const int code = WithFileSizeLimit(40, [&] {
    LineAppender out(f);
    for (int i = 0; i < 10; ++i) out.Append("line " + std::to_string(i));
    try {
      out.Flush();
      return 1;
    } catch (const IoError&) {
    }
    if (!out.failed()) return 2;
    out.Append("more");
    out.Flush();  // silently nothing: the failure was already reported
    out.Discard();
    out.Append("again");
    try {
      out.Flush();  // a fresh start tries the file again (and it fits now)
    } catch (const IoError&) {
      return 3;
    }
    return 0;
  });
  EXPECT_EQ(code, 0);
  EXPECT_EQ(ReadWholeFile(f), "head\r\nagain\r\n");
}

// A kill during a write leaves a torn last line; the next run's first line must not run on from it.
TEST(FilesTest, AppendingAfterATornLineEndsItFirst) {
  TempFolder dir;
  fs::path f = dir / "Normal20240101.txt";
  WriteWholeFile(f, "PBPB\r\nBBP");
  // Readers leave the torn line out.
  EXPECT_EQ(ReadAppendedLines(f), std::vector<std::string>{"PBPB"});
  {
    LineAppender out(f);
    out.Append("PPPP");
  }
  LineAppender again(f);
  again.Append("BBBB");
  again.Flush();
  EXPECT_EQ(ReadWholeFile(f), "PBPB\r\nBBP\r\nPPPP\r\nBBBB\r\n");
}

TEST(FilesTest, FreshFilesNeverTakeAnotherRunsName) {
  TempFolder dir;
  const fs::path wanted = dir / "202401011300_TmpGraph.txt";
  WriteWholeFile(wanted, "another run");
  EXPECT_EQ(CreateFreshFile(wanted), dir / "202401011300_TmpGraph_2.txt");
  EXPECT_EQ(CreateFreshFile(wanted), dir / "202401011300_TmpGraph_3.txt");
  EXPECT_EQ(ReadWholeFile(wanted), "another run");
  EXPECT_EQ(FileSizeOf(dir / "202401011300_TmpGraph_2.txt"), 0);
  EXPECT_THROW(CreateFreshFile(dir / "no/such/folder.txt"), IoError);
}

TEST(FilesTest, FailuresAreExplainedInJapanese) {
  TempFolder dir;
  auto message_of = [](auto&& operation) {
    try {
      operation();
    } catch (const IoError& e) {
      return std::string(e.what());
    }
    return std::string("no error");
  };
  dir.Write("sub/a.txt", "x");
  EXPECT_EQ(message_of([&] { ReadWholeFile(dir / "sub"); }),
            "ファイルを読み込めませんでした。\r\n" + (dir / "sub").string() +
                "\r\n（ファイルのあるべき場所にフォルダがあります）");
  EXPECT_EQ(message_of([&] { WriteWholeFile(dir / "sub/a.txt/b.txt", "y"); }),
            "ファイルに書き込めませんでした。\r\n" + (dir / "sub/a.txt/b.txt").string() +
                "\r\n（フォルダのあるべき場所にファイルがあります）");
  EXPECT_EQ(IoErrorMessage(IoAction::kDelete, "x.txt"), "ファイルを削除できませんでした。\r\nx.txt");
}

TEST(FilesTest, AppendLineCreatesAndAppendsWholeLines) {
  TempFolder dir;
  fs::path f = dir / "log.txt";
  AppendLine("ラウンド：1", f);
  AppendLine("", f);
  EXPECT_EQ(ReadTextLines(f), (std::vector<std::string>{"ラウンド：1", ""}));
  EXPECT_EQ(FileSizeOf(f), 11 + 2 + 2);
  EXPECT_EQ(FileSizeOf(dir / "none"), -1);
}

TEST(FilesTest, LineAppenderWritesOnlyOnFlush) {
  TempFolder dir;
  fs::path f = dir / "auto.txt";
  {
    LineAppender out(f);
    out.Append("one");
    EXPECT_FALSE(FileExists(f));
    out.Flush();
    EXPECT_EQ(ReadWholeFile(f), "one\r\n");
    out.Append("two");
  }  // the destructor flushes the rest
  EXPECT_EQ(ReadWholeFile(f), "one\r\ntwo\r\n");
}

TEST(FilesTest, HexFileConversionAnswersFailure) {
  TempFolder dir;
  fs::path f = dir / "s.dat";
  WriteWholeFile(f, "abc");
  EXPECT_TRUE(HexEncodeFile(f));
  EXPECT_EQ(ReadWholeFile(f), "616263");
  EXPECT_TRUE(HexDecodeFile(f));
  EXPECT_EQ(ReadWholeFile(f), "abc");
  WriteWholeFile(f, "zz");
  EXPECT_FALSE(HexDecodeFile(f));
  EXPECT_EQ(ReadWholeFile(f), "zz");  // unchanged
  EXPECT_FALSE(HexEncodeFile(dir / "no" / "such" / "file"));
}

TEST(FilesTest, ListFilesSkipsFoldersAndSortsByName) {
  TempFolder dir;
  dir.Write("b_pattern.txt", "");
  dir.Write("A_syspattern.txt", "");
  dir.Write("sub/c.txt", "");
  auto files = ListFiles(dir.path());
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].filename(), "A_syspattern.txt");
  EXPECT_EQ(files[1].filename(), "b_pattern.txt");
  EXPECT_TRUE(ListFiles(dir / "missing").empty());
}

TEST(FilesTest, FoldersAreCreatedAndRemoved) {
  TempFolder dir;
  EXPECT_TRUE(EnsureFolder(dir / "x/y/z"));
  EXPECT_TRUE(EnsureFolder(""));
  dir.Write("x/y/z/f.txt", "1");
  dir.Write("x/g.txt", "2");
  ::chmod((dir / "x/g.txt").c_str(), 0444);
  EXPECT_EQ(RemoveFolder(dir / "x"), 0);
  EXPECT_FALSE(FolderExists(dir / "x"));
  EXPECT_EQ(RemoveFolder(""), -1);
  EXPECT_EQ(RemoveFolder("/"), -1);
  EXPECT_EQ(RemoveFolder("/.."), -1);
  // A file where a folder is wanted cannot be made into one.
  dir.Write("file", "");
  EXPECT_FALSE(EnsureFolder(dir / "file" / "sub"));
}

TEST(FilesTest, PathsWithEitherSeparator) {
  EXPECT_EQ(ResolveBelow("/p", "System\\Rules.dat"), fs::path("/p/System/Rules.dat"));
  EXPECT_EQ(ResolveBelow("/p", "log/x.txt"), fs::path("/p/log/x.txt"));
  EXPECT_EQ(FileNamePart("C:\\a\\b_pattern.txt"), "b_pattern.txt");
  EXPECT_EQ(FileNamePart("/a/表.txt"), "表.txt");
}

}  // namespace
}  // namespace vessaro
