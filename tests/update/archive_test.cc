// The password-protected archive update: archives made with libzip, served on 127.0.0.1.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "update/update_fixture.h"
#include "update/zip_extract.h"
#include "update/zip_maker.h"

namespace vessaro::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

// Keeps the work folders of the archive update where the test can see them.
class ArchiveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* old = std::getenv("TMPDIR");
    saved_tmpdir_ = old != nullptr ? std::optional<std::string>(old) : std::nullopt;
    setenv("TMPDIR", temp_.path().c_str(), 1);
    program_ = rig_.base / "program";
    fs::create_directories(program_);
  }
  void TearDown() override {
    if (saved_tmpdir_) {
      setenv("TMPDIR", saved_tmpdir_->c_str(), 1);
    } else {
      unsetenv("TMPDIR");
    }
  }
  void Serve(const std::vector<std::pair<std::string, std::string>>& entries, const std::string& password) {
    rig_.server.SetReply("/update/baccarat/update.zip", Reply{200, ZipBytes(entries, password)});
  }
  ArchiveOutcome Install() {
    ArchiveRequest request;
    request.target_file = program_ / "Kindlet";
    request.root = rig_.server.root();
    request.own_program_name = "Vessaro";
    return InstallArchive(rig_.ports, request);
  }

  UpdateRig rig_;
  TempFolder temp_;
  fs::path program_;
  std::optional<std::string> saved_tmpdir_;
};

TEST_F(ArchiveTest, InstallsEveryFileFlatIntoTheTargetsFolderExceptTheRunningProgram) {
  rig_.base.Write("program/Kindlet", "old launcher");
  fs::permissions(program_ / "Kindlet", fs::perms(0755));
  rig_.base.Write("program/Vessaro", "running simulator");
  Serve({{"Kindlet", "new launcher"}, {"docs/releasenote.txt", "notes"}, {"bin/Vessaro", "new simulator"}},
        kArchivePassword);
  ArchiveOutcome out = Install();
  EXPECT_EQ(out.result, 0);
  EXPECT_EQ(out.message, "");
  EXPECT_EQ(ReadWholeFile(program_ / "Kindlet"), "new launcher");
  EXPECT_EQ(fs::status(program_ / "Kindlet").permissions(), fs::perms(0755));
  EXPECT_EQ(ReadWholeFile(program_ / "releasenote.txt"), "notes");
  EXPECT_EQ(ReadWholeFile(program_ / "Vessaro"), "running simulator");
  EXPECT_THAT(TreeOf(program_), ElementsAre("Kindlet", "Vessaro", "releasenote.txt"));
  // The work folder is gone.
  EXPECT_THAT(TreeOf(temp_.path()), IsEmpty());
  ASSERT_EQ(rig_.server.requests().size(), 1u);
  EXPECT_EQ(rig_.server.requests()[0].target, "/update/baccarat/update.zip?20240105123000123");
}

TEST_F(ArchiveTest, AWrongPasswordCannotBeExtracted) {
  rig_.base.Write("program/Kindlet", "old launcher");
  Serve({{"Kindlet", "new launcher"}}, "12345678");
  ArchiveOutcome out = Install();
  EXPECT_EQ(out.result, -3);
  EXPECT_THAT(out.message, HasSubstr("アップデートファイルの解凍に失敗しました\\(-3) ファイル名" + temp_.path().string()));
  EXPECT_THAT(out.message, HasSubstr("_update.zip\r\nWinVista以降の方は"));
  EXPECT_EQ(ReadWholeFile(program_ / "Kindlet"), "old launcher");
  EXPECT_THAT(TreeOf(temp_.path()), IsEmpty());
}

TEST_F(ArchiveTest, AnArchiveWithATraversalNameIsRefusedWhole) {
  for (const std::string bad : {"../evil.txt", "/etc/evil.txt", "a/../../evil.txt", "C:\\evil.txt", "..\\evil.txt"}) {
    SCOPED_TRACE(bad);
    Serve({{"Kindlet", "new launcher"}, {bad, "evil"}}, kArchivePassword);
    ArchiveOutcome out = Install();
    EXPECT_EQ(out.result, -3);
    EXPECT_THAT(TreeOf(rig_.base.path()), ElementsAre("program"));
  }
}

TEST_F(ArchiveTest, AMissingArchiveIsADownloadFailure) {
  ArchiveOutcome out = Install();
  EXPECT_EQ(out.result, -2);
  EXPECT_EQ(out.message, "アップデートファイルのダウンロードに失敗しました\\(-2) ファイル名" + rig_.server.root() +
                             "/update/baccarat/update.zip?20240105123000123\r\n"
                             "WinVista以降の方は右クリックの「管理者として実行」より再度起動してください。");
  EXPECT_THAT(TreeOf(temp_.path()), IsEmpty());
}

TEST_F(ArchiveTest, ACopyThatKeepsFailingIsTriedTenTimesAndStopsTheRest) {
  // A folder where a file should go: no copy can succeed, whoever runs the test.
  fs::create_directories(program_ / "a.txt" / "inside");
  Serve({{"a.txt", "a"}, {"b.txt", "b"}}, kArchivePassword);
  ArchiveOutcome out = Install();
  EXPECT_EQ(out.result, -4);
  EXPECT_THAT(out.message, HasSubstr("アップデートファイルのコピーに失敗しました\\(-4) ファイル名"));
  EXPECT_THAT(out.message, HasSubstr("a.txt >> " + (program_ / "a.txt").string() + "\r\nWinVista"));
  EXPECT_EQ(rig_.pump.pauses, std::vector<int>(9, 300));
  EXPECT_FALSE(fs::exists(program_ / "b.txt"));
  EXPECT_THAT(TreeOf(temp_.path()), IsEmpty());
}

TEST(ExtractFlatTest, LaterFilesOfTheSameNameWinAndFoldersAreDropped) {
  TempFolder folder;
  ASSERT_TRUE(MakeZip(folder / "a.zip", {{"one/x.txt", "first"}, {"two/", ""}, {"two/x.txt", "second"}}, "pw"));
  ExtractResult r = ExtractFlat(folder / "a.zip", "pw", folder / "out");
  EXPECT_TRUE(r.ok) << r.error;
  EXPECT_THAT(r.files, ElementsAre("x.txt", "x.txt"));
  EXPECT_EQ(ReadWholeFile(folder / "out/x.txt"), "second");
}

TEST(ExtractFlatTest, ANonArchiveFailsWithoutWriting) {
  TempFolder folder;
  folder.Write("a.zip", "this is not a zip file");
  ExtractResult r = ExtractFlat(folder / "a.zip", "pw", folder / "out");
  EXPECT_FALSE(r.ok);
  EXPECT_FALSE(fs::exists(folder / "out"));
}

}  // namespace
}  // namespace vessaro::testing
