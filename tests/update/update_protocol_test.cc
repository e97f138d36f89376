// The list request and the file-list update against a real HTTP server on 127.0.0.1.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QSslCertificate>
#include <QSslConfiguration>

#include "common/hex.h"
#include "common/text.h"
#include "update/update_fixture.h"

namespace vessaro::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

TEST(PostFormTest, SendsTheProtocolHeadersAndTheFormAsUpperCaseHexadecimal) {
  UpdateRig rig;
  rig.server.QueueListReply(Reply{200, "status=0&ok=1"});
  const std::string form = "command=getupdatelist&app=baccarat&filename=日本.txt";
  PostResult r = PostForm(rig.ports, rig.server.root(), kListPath, form);
  EXPECT_EQ(r.result, 0);
  EXPECT_EQ(r.text, "status=0&ok=1");
  ASSERT_EQ(rig.server.requests().size(), 1u);
  const ServedRequest& req = rig.server.requests()[0];
  EXPECT_EQ(req.method, "POST");
  EXPECT_EQ(req.target, "/scripts/casinoservercgi");
  EXPECT_EQ(req.Header("pragma"), "public");
  EXPECT_EQ(req.Header("expires"), "0");
  // The second Cache-Control line replaces the first.
  EXPECT_EQ(req.HeaderCount("cache-control"), 1);
  EXPECT_EQ(req.Header("cache-control"), "private");
  EXPECT_EQ(req.Header("content-type"), "application/octet-stream");
  EXPECT_EQ(req.Header("content-transfer-encoding"), "binary");
  EXPECT_EQ(req.Header("content-length"), IntText(static_cast<long long>(req.body.size())));
  EXPECT_EQ(req.Header("user-agent"), "");
  // 日本 is 93FA 967B in code page 932.
  EXPECT_THAT(req.body, HasSubstr("2666696C656E616D653D93FA967B2E747874"));
  EXPECT_EQ(req.body, HexEncodeText(form));
  EXPECT_EQ(req.form, form);
  EXPECT_TRUE(rig.pump.pauses.empty());
}

TEST(PostFormTest, RootWithoutSchemeIsPlainHttp) {
  UpdateRig rig;
  rig.server.QueueListReply(Reply{200, "status=0"});
  const std::string root = rig.server.root().substr(std::string("http://").size());
  EXPECT_EQ(PostForm(rig.ports, root, kListPath, "x=1").result, 0);
  EXPECT_EQ(rig.server.requests().size(), 1u);
}

struct RetryCase {
  std::vector<int> statuses;  // the server's answers, in order
  int result;
  size_t requests;
  std::vector<int> pauses;
};

class PostFormRetryTest : public ::testing::TestWithParam<RetryCase> {};

TEST_P(PostFormRetryTest, RetriesOnceOneSecondLaterOnlyAfter500And503) {
  UpdateRig rig;
  for (int status : GetParam().statuses) rig.server.QueueListReply(Reply{status, "status=0"});
  PostResult r = PostForm(rig.ports, rig.server.root(), kListPath, "command=getupdatelist&app=baccarat&filename=");
  EXPECT_EQ(r.result, GetParam().result);
  EXPECT_EQ(rig.server.requests().size(), GetParam().requests);
  EXPECT_EQ(rig.pump.pauses, GetParam().pauses);
}

INSTANTIATE_TEST_SUITE_P(Statuses, PostFormRetryTest,
                         ::testing::Values(RetryCase{{503, 503, 200}, 503, 2, {1000}},
                                           RetryCase{{500, 200}, 0, 2, {1000}},
                                           RetryCase{{503, 404}, 404, 2, {1000}},
                                           RetryCase{{404, 200}, 404, 1, {}},
                                           RetryCase{{200}, 0, 1, {}}));

TEST(PostFormTest, NetworkFailuresArePositiveResults) {
  UpdateRig rig(300);
  std::string closed_root;
  {
    TestUpdateServer gone;
    closed_root = gone.root();
  }
  PostResult refused = PostForm(rig.ports, closed_root, kListPath, "x=1");
  EXPECT_GT(refused.result, 0);
  EXPECT_NE(refused.result, 200);

  rig.server.QueueListReply(Reply{200, "", ReplyKind::kSilent});
  PostResult silent = PostForm(rig.ports, rig.server.root(), kListPath, "x=1");
  EXPECT_EQ(silent.result, 4);  // timed out
  EXPECT_EQ(rig.server.requests().size(), 1u);
}

struct ParseCase {
  std::string name;
  std::string body;
  int result;
  std::string message;
  std::vector<std::string> entries;  // path|flag|stamp
};

// ctest lists the case by its name.
void PrintTo(const ParseCase& c, std::ostream* os) { *os << c.name; }

class ParseUpdateListTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseUpdateListTest, ReadsStatusMessagesAndEntries) {
  UpdateList list = ParseUpdateList(GetParam().body);
  EXPECT_EQ(list.result, GetParam().result);
  EXPECT_EQ(list.message, GetParam().message);
  std::vector<std::string> entries;
  for (const FileEntry& e : list.entries) entries.push_back(e.path + "|" + e.flag + "|" + e.stamp);
  EXPECT_EQ(entries, GetParam().entries);
}

INSTANTIATE_TEST_SUITE_P(
    Bodies, ParseUpdateListTest,
    ::testing::Values(
        ParseCase{"ServerStatusAndMessage", "status=5&messages=メンテナンス中です", 5, "メンテナンス中です", {}},
        ParseCase{"NoStatus", "a.txt,F=202401051230", -300, "通信に失敗しました(-300)", {"a.txt|F|202401051230"}},
        ParseCase{"UnreadableStatus", "status=abc", -300, "通信に失敗しました(-300)", {}},
        ParseCase{"StatusFirstFoundRegardlessOfCase",
                  "Status=0&image/a b.gif,F=202401051230&System/x.txt,T=202401051231",
                  0,
                  "",
                  {"image/a b.gif|F|202401051230", "System/x.txt|T|202401051231"}},
        ParseCase{"EmptyLinesAndLineEndsSkipped", "status=0&&a.txt,F=1\r\n\r\nb.txt=2\n", 0, "",
                  {"a.txt|F|1", "b.txt||2"}},
        ParseCase{"ValueKeepsLaterEqualSigns", "status=0&x,F=2024=1&noequals", 0, "", {"x|F|2024=1", "noequals||"}},
        ParseCase{"BytesThatAreNotUtf8BecomeQuestionMarks", "status=0&\xff\xfe.txt,F=202401051230", 0, "",
                  {"??.txt|F|202401051230"}},
        ParseCase{"Utf8ByteOrderMarkIgnored", "\xEF\xBB\xBFstatus=0", 0, "", {}}),
    [](const auto& info) { return info.param.name; });

TEST(GetUpdateListTest, AsksForTheApplicationAndFileAndReportsFailures) {
  UpdateRig rig;
  rig.server.QueueListReply(Reply{200, "status=5&messages=ただいまメンテナンス中です"});
  UpdateList maintenance = GetUpdateList(rig.ports, "baccarat", "Kindlet", rig.server.root());
  EXPECT_EQ(maintenance.result, 5);
  EXPECT_EQ(maintenance.message, "ただいまメンテナンス中です");
  EXPECT_TRUE(maintenance.message_from_server);
  EXPECT_EQ(rig.server.requests().back().form, "command=getupdatelist&app=baccarat&filename=Kindlet");

  UpdateRig other;
  other.server.QueueListReply(Reply{200, "file.txt,F=202401051230"});
  UpdateList no_status = GetUpdateList(other.ports, "baccarat", "", other.server.root());
  EXPECT_EQ(no_status.result, -300);
  EXPECT_EQ(no_status.message, "通信に失敗しました(-300)");

  UpdateRig missing;
  missing.server.QueueListReply(Reply{404, "not here"});
  UpdateList http_error = GetUpdateList(missing.ports, "baccarat", "", missing.server.root());
  EXPECT_EQ(http_error.result, 404);
  EXPECT_EQ(http_error.message, "通信に失敗しました(404)");
  EXPECT_FALSE(http_error.message_from_server);
}

TEST(EncodeUrlPathTest, KeepsTheSafeCharactersAndEncodesEveryOtherByteInLowerCase) {
  EXPECT_EQ(EncodeUrlPath("image/a b.gif"), "image/a+b.gif");
  EXPECT_EQ(EncodeUrlPath("!$'()*-./@_AZaz09"), "!$'()*-./@_AZaz09");
  EXPECT_EQ(EncodeUrlPath("a+b~c#d%e?f&g=h\\i"), "a%2bb%7ec%23d%25e%3ff%26g%3dh%5ci");
  EXPECT_EQ(EncodeUrlPath("日本/x.txt"), "%e6%97%a5%e6%9c%ac/x.txt");
}

UpdateRequest RequestFor(const UpdateRig& rig, std::string file_name = "") {
  UpdateRequest r;
  r.base = rig.base.path();
  r.root = rig.server.root();
  r.file_name = std::move(file_name);
  r.own_program = rig.base / "Kindlet";
  return r;
}

TEST(UpdateFilesTest, DownloadsStampsAndThenFindsTheFilesCurrent) {
  UpdateRig rig;
  rig.server.AddUpdateFile("baccarat", "image/a b.gif", "GIF89a picture", "202401051230");
  rig.server.AddUpdateFile("baccarat", "System/x.txt", "settings", "202401051231", "T");
  rig.server.AddUpdateFile("baccarat", "音声/ナレーション.mp3", "mp3", "202312312359", "f");
  RecordingProgress progress;
  UpdateOutcome first = UpdateFiles(rig.ports, &progress, RequestFor(rig));
  EXPECT_EQ(first.result, 0);
  EXPECT_EQ(first.message, "");
  EXPECT_TRUE(first.updated);

  // Qt's network layer writes the hexadecimal digits of the URL in upper case: the same URL.
  std::vector<std::string> targets;
  for (const ServedRequest& r : rig.server.RequestsTo("/update_files/")) targets.push_back(ToUpperAscii(r.target));
  EXPECT_THAT(targets, ElementsAre(ToUpperAscii("/update_files/baccarat/image/a+b.gif?20240105123000123"),
                                   ToUpperAscii("/update_files/baccarat/System/x.txt?20240105123000123"),
                                   ToUpperAscii("/update_files/baccarat/%e9%9f%b3%e5%a3%b0/"
                                                "%e3%83%8a%e3%83%ac%e3%83%bc%e3%82%b7%e3%83%a7%e3%83%b3.mp3"
                                                "?20240105123000123")));
  EXPECT_EQ(rig.server.RequestsTo("/update_files/")[2].path, "/update_files/baccarat/音声/ナレーション.mp3");
  EXPECT_EQ(ReadWholeFile(rig.base / "image/a b.gif"), "GIF89a picture");
  EXPECT_EQ(LocalModified(rig.base / "image/a b.gif"), "2024-01-05 12:30:10");
  // A "T" entry is stored as <name>.dat in the base folder itself.
  EXPECT_EQ(ReadWholeFile(rig.base / "x.dat"), "settings");
  EXPECT_EQ(LocalModified(rig.base / "x.dat"), "2024-01-05 12:31:10");
  EXPECT_FALSE(fs::exists(rig.base / "System"));
  EXPECT_EQ(LocalModified(rig.base / "音声/ナレーション.mp3"), "2023-12-31 23:59:10");
  EXPECT_EQ(first.replaced.size(), 3u);
  EXPECT_EQ(progress.maxima, std::vector<int>({3}));
  EXPECT_EQ(progress.positions, std::vector<int>({0, 1, 2, 3, 3}));
  EXPECT_EQ(rig.pump.pauses, std::vector<int>({10, 10, 10}));

  RecordingProgress again_progress;
  UpdateOutcome again = UpdateFiles(rig.ports, &again_progress, RequestFor(rig));
  EXPECT_EQ(again.result, 0);
  EXPECT_FALSE(again.updated);
  EXPECT_EQ(rig.server.RequestsTo("/update_files/").size(), 3u);
  EXPECT_EQ(again_progress.positions, std::vector<int>({0, 3}));
}

TEST(UpdateFilesTest, AFileWhoseTimeDiffersIsReplacedKeepingItsPermissions) {
  UpdateRig rig;
  rig.base.Write("Vessaro", "old program");
  fs::permissions(rig.base / "Vessaro", fs::perms(0750));
  rig.server.AddUpdateFile("baccarat", "Vessaro", "new program", "202401051230");
  UpdateOutcome out = UpdateFiles(rig.ports, nullptr, RequestFor(rig));
  EXPECT_EQ(out.result, 0);
  EXPECT_EQ(ReadWholeFile(rig.base / "Vessaro"), "new program");
  EXPECT_EQ(fs::status(rig.base / "Vessaro").permissions(), fs::perms(0750));
}

TEST(UpdateFilesTest, AProgramFileWrittenAnewCanBeStarted) {
  UpdateRig rig;
  rig.server.AddUpdateFile("baccarat", "Vessaro", "program", "202401051230");
  ASSERT_EQ(UpdateFiles(rig.ports, nullptr, RequestFor(rig)).result, 0);
  EXPECT_NE(fs::status(rig.base / "Vessaro").permissions() & fs::perms::owner_exec, fs::perms::none);
}

TEST(UpdateFilesTest, TheRunningProgramsOwnFileIsNeverDownloaded) {
  UpdateRig rig;
  rig.base.Write("Kindlet", "running launcher");
  rig.server.AddUpdateFile("baccarat", "Kindlet", "new launcher", "202401051230");
  rig.server.AddUpdateFile("baccarat", "Manual.pdf", "manual", "202401051230");
  UpdateRequest request = RequestFor(rig);
  request.own_program = rig.base / "KINDLET";  // compared regardless of letter case
  UpdateOutcome out = UpdateFiles(rig.ports, nullptr, request);
  EXPECT_EQ(out.result, 0);
  EXPECT_EQ(ReadWholeFile(rig.base / "Kindlet"), "running launcher");
  ASSERT_EQ(rig.server.RequestsTo("/update_files/").size(), 1u);
  EXPECT_EQ(rig.server.RequestsTo("/update_files/")[0].path, "/update_files/baccarat/Manual.pdf");
}

TEST(UpdateFilesTest, TheSimulatorAsksOnlyForTheLaunchersFile) {
  UpdateRig rig;
  rig.server.AddUpdateFile("baccarat", "Kindlet", "launcher", "202401051230");
  rig.server.AddUpdateFile("baccarat", "Vessaro", "simulator", "202401051230");
  UpdateRequest request = RequestFor(rig, "Kindlet");
  request.own_program = rig.base / "Vessaro";
  UpdateOutcome out = UpdateFiles(rig.ports, nullptr, request);
  EXPECT_EQ(out.result, 0);
  EXPECT_EQ(rig.server.requests()[0].form, "command=getupdatelist&app=baccarat&filename=Kindlet");
  EXPECT_EQ(ReadWholeFile(rig.base / "Kindlet"), "launcher");
  EXPECT_FALSE(fs::exists(rig.base / "Vessaro"));
}

TEST(UpdateFilesTest, AServerStatusEndsTheUpdateWithItsMessage) {
  UpdateRig rig;
  rig.server.QueueListReply(Reply{200, "status=5&messages=メンテナンス中&a.txt,F=202401051230"});
  UpdateOutcome out = UpdateFiles(rig.ports, nullptr, RequestFor(rig));
  EXPECT_EQ(out.result, 5);
  EXPECT_EQ(out.message, "メンテナンス中");
  EXPECT_FALSE(out.updated);
  EXPECT_TRUE(TreeOf(rig.base.path()).empty());
}

struct BadEntryCase {
  std::string name;
  std::string entry;  // key=value of the refused entry
  std::string message_part;
};

// ctest lists the case by its name.
void PrintTo(const BadEntryCase& c, std::ostream* os) { *os << c.name; }

class UpdateFilesBadEntryTest : public ::testing::TestWithParam<BadEntryCase> {};

TEST_P(UpdateFilesBadEntryTest, RefusesTheListAndWritesNothing) {
  UpdateRig rig;
  const fs::path inside = rig.base / "program";
  fs::create_directories(inside);
  rig.server.AddUpdateFile("baccarat", "good.txt", "good", "202401051230");
  rig.server.QueueListReply(Reply{200, "status=0&good.txt,F=202401051230&" + GetParam().entry});
  UpdateRequest request = RequestFor(rig);
  request.base = inside;
  UpdateOutcome out = UpdateFiles(rig.ports, nullptr, request);
  EXPECT_EQ(out.result, kResultBadEntry);
  EXPECT_THAT(out.message, HasSubstr(GetParam().message_part));
  EXPECT_FALSE(out.updated);
  EXPECT_TRUE(rig.server.RequestsTo("/update_files/").empty());
  EXPECT_THAT(TreeOf(rig.base.path()), ElementsAre("program"));
}

INSTANTIATE_TEST_SUITE_P(
    Entries, UpdateFilesBadEntryTest,
    ::testing::Values(
        BadEntryCase{"EmptyPath", ",F=202401051230", "保存先が不正です(-5) ファイル名: "},
        BadEntryCase{"NoKeyAtAll", "=202401051230", "保存先が不正です(-5)"},
        BadEntryCase{"ParentFolder", "../evil.txt,F=202401051230", "ファイル名: ../evil.txt"},
        BadEntryCase{"ParentFolderInside", "image/../../evil.txt,F=202401051230", "保存先が不正です"},
        BadEntryCase{"BackslashParent", "image\\..\\..\\evil.txt,F=202401051230", "保存先が不正です"},
        BadEntryCase{"Absolute", "/tmp/evil.txt,F=202401051230", "保存先が不正です"},
        BadEntryCase{"Rooted", "\\evil.txt,F=202401051230", "保存先が不正です"},
        BadEntryCase{"Drive", "C:/evil.txt,F=202401051230", "保存先が不正です"},
        BadEntryCase{"FolderOnly", "image/,F=202401051230", "保存先が不正です"},
        BadEntryCase{"TFlagParent", "..,T=202401051230", "保存先が不正です"},
        BadEntryCase{"ControlCharacter", "a\tb.txt,F=202401051230", "保存先が不正です"},
        BadEntryCase{"YearOnly", "a.txt,F=2024", "日時が不正です(-5) ファイル名: a.txt 2024"},
        BadEntryCase{"Letters", "a.txt,F=abcdefghijkl", "日時が不正です"},
        BadEntryCase{"Month13", "a.txt,F=202413011200", "日時が不正です"},
        BadEntryCase{"February30", "a.txt,F=202402301200", "日時が不正です"},
        BadEntryCase{"EmptyStamp", "a.txt,F=", "日時が不正です"}),
    [](const auto& info) { return info.param.name; });

TEST(UpdateFilesTest, ALinkInsideTheBaseCannotLeadAWriteOutsideIt) {
  UpdateRig rig;
  const fs::path inside = rig.base / "program";
  const fs::path outside = rig.base / "elsewhere";
  fs::create_directories(inside);
  fs::create_directories(outside);
  fs::create_directory_symlink(outside, inside / "link");
  rig.server.QueueListReply(Reply{200, "status=0&link/evil.txt,F=202401051230"});
  UpdateRequest request = RequestFor(rig);
  request.base = inside;
  EXPECT_EQ(UpdateFiles(rig.ports, nullptr, request).result, kResultBadEntry);
  EXPECT_TRUE(TreeOf(outside).empty());
}

TEST(UpdateFilesTest, AHundredThousandEntriesAreWorkedThroughWithPauses) {
  UpdateRig rig;
  rig.server.SetReply("/update_files/baccarat/a.txt", Reply{200, "a"});
  std::string body = "status=0";
  body.reserve(100000 * 22);
  for (int i = 0; i < 100000; ++i) body += "&a.txt,F=202401051230";
  rig.server.QueueListReply(Reply{200, body});
  RecordingProgress progress;
  UpdateOutcome out = UpdateFiles(rig.ports, &progress, RequestFor(rig));
  EXPECT_EQ(out.result, 0);
  EXPECT_EQ(rig.server.RequestsTo("/update_files/").size(), 1u);
  EXPECT_EQ(progress.maxima, std::vector<int>({100000}));
  EXPECT_EQ(progress.positions.back(), 100000);
  // One pause after the download, then one every 50 entries that needed none.
  EXPECT_EQ(rig.pump.pauses.size(), 1u + 1999u);
}

TEST(UpdateFilesTest, AFailedDownloadStopsTheUpdateAndKeepsWhatWasDone) {
  UpdateRig rig;
  rig.base.Write("b.txt", "old b");
  rig.server.AddUpdateFile("baccarat", "a.txt", "new a", "202401051230");
  rig.server.AddUpdateFile("baccarat", "b.txt", "", "202401051230");
  rig.server.AddUpdateFile("baccarat", "c.txt", "new c", "202401051230");
  rig.server.SetReply("/update_files/baccarat/b.txt", Reply{404, "missing"});
  UpdateOutcome out = UpdateFiles(rig.ports, nullptr, RequestFor(rig));
  EXPECT_EQ(out.result, -2);
  EXPECT_EQ(out.message, "アップデートファイルのダウンロードに失敗しました\\(-2) ファイル名: " + rig.server.root() +
                             "/update_files/baccarat/b.txt?20240105123000123\r\n"
                             "WinVista以降の方は右クリックの「管理者として実行」より再度起動してください。");
  EXPECT_TRUE(out.updated);
  EXPECT_EQ(ReadWholeFile(rig.base / "a.txt"), "new a");
  EXPECT_EQ(ReadWholeFile(rig.base / "b.txt"), "old b");
  EXPECT_FALSE(fs::exists(rig.base / "c.txt"));
  EXPECT_THAT(TreeOf(rig.base.path()), ElementsAre("a.txt", "b.txt"));
}

TEST(UpdateFilesTest, AConnectionCutMidDownloadLeavesTheOldFileWhole) {
  UpdateRig rig;
  rig.base.Write("image/card.bmp", "old picture");
  rig.server.AddUpdateFile("baccarat", "image/card.bmp", "", "202401051230");
  rig.server.SetReply("/update_files/baccarat/image/card.bmp", Reply{200, std::string(5000, 'x'), ReplyKind::kCutBody});
  UpdateOutcome out = UpdateFiles(rig.ports, nullptr, RequestFor(rig));
  EXPECT_EQ(out.result, -2);
  EXPECT_EQ(ReadWholeFile(rig.base / "image/card.bmp"), "old picture");
  EXPECT_THAT(TreeOf(rig.base.path()), ElementsAre("image", "image/card.bmp"));
}

TEST(UpdateFilesTest, AServerThatNeverAnswersEndsInATimeOut) {
  UpdateRig rig(300);
  rig.server.QueueListReply(Reply{200, "", ReplyKind::kSilent});
  UpdateOutcome list = UpdateFiles(rig.ports, nullptr, RequestFor(rig));
  EXPECT_EQ(list.result, 4);
  EXPECT_EQ(list.message, "通信に失敗しました(4)");
  EXPECT_FALSE(list.message_from_server);

  UpdateRig slow_file(300);
  slow_file.base.Write("a.txt", "old");
  slow_file.server.AddUpdateFile("baccarat", "a.txt", "", "202401051230");
  slow_file.server.SetReply("/update_files/baccarat/a.txt", Reply{200, "", ReplyKind::kSilent});
  UpdateOutcome file = UpdateFiles(slow_file.ports, nullptr, RequestFor(slow_file));
  EXPECT_EQ(file.result, -2);
  EXPECT_EQ(ReadWholeFile(slow_file.base / "a.txt"), "old");
  EXPECT_THAT(TreeOf(slow_file.base.path()), ElementsAre("a.txt"));
}

TEST(HttpsTest, AnUntrustedCertificateIsANetworkErrorAndATrustedOneWorks) {
  UpdateRig rig(20000, /*tls=*/true);
  rig.server.AddUpdateFile("baccarat", "a.txt", "over tls", "202401051230");
  UpdateOutcome refused = UpdateFiles(rig.ports, nullptr, RequestFor(rig));
  EXPECT_GT(refused.result, 0);
  EXPECT_EQ(refused.message, Format("通信に失敗しました(%d)", refused.result));
  EXPECT_FALSE(fs::exists(rig.base / "a.txt"));

  const QSslConfiguration saved = QSslConfiguration::defaultConfiguration();
  QSslConfiguration trusting = saved;
  trusting.addCaCertificate(QSslCertificate(QByteArray::fromStdString(TestCertificatePem())));
  QSslConfiguration::setDefaultConfiguration(trusting);
  // A fresh client: Qt keeps the connection settings of a host it has talked to.
  QtHttpClient fresh(20000);
  UpdatePorts ports{fresh, rig.pump, rig.clock};
  UpdateOutcome trusted = UpdateFiles(ports, nullptr, RequestFor(rig));
  QSslConfiguration::setDefaultConfiguration(saved);
  EXPECT_EQ(trusted.result, 0);
  EXPECT_EQ(ReadWholeFile(rig.base / "a.txt"), "over tls");
}

}  // namespace
}  // namespace vessaro::testing

namespace vessaro::testing {
namespace {

// The hosting guide's example folder (docs/updates.md), served as a maker would host it.
TEST(HostedFolderTest, TheGuidesExampleFolderUpdatesAnEmptyInstallation) {
  TempFolder hosted;
  hosted.Write("update_files/baccarat/Vessaro", "simulator");
  hosted.Write("update_files/baccarat/image/card.bmp", "card");
  hosted.Write("update_files/baccarat/Kindlet", "launcher");
  hosted.Write("popup/popuplist.txt", "popup1=news.jpg\r\n");
  hosted.Write("popup/news.jpg", "jpeg");
  for (const char* f : {"Vessaro", "image/card.bmp", "Kindlet"}) {
    fs::last_write_time(hosted / (std::string("update_files/baccarat/") + f),
                        fs::file_time_type::clock::now() - std::chrono::hours(24));
  }
  UpdateRig rig;
  rig.server.ServeFolder(hosted.path().string());
  UpdateRequest request;
  request.base = rig.base.path();
  request.root = rig.server.root();
  request.own_program = rig.base / "Kindlet";
  UpdateOutcome out = UpdateFiles(rig.ports, nullptr, request);
  EXPECT_EQ(out.result, 0);
  EXPECT_EQ(out.replaced.size(), 3u);
  EXPECT_EQ(LocalModified(rig.base / "Vessaro").substr(0, 16), LocalModified(hosted / "update_files/baccarat/Vessaro").substr(0, 16));
  EXPECT_EQ(UpdateFiles(rig.ports, nullptr, request).replaced.size(), 0u);
}

}  // namespace
}  // namespace vessaro::testing
