// The update protocol of both programs: the list request to the maker's server, the file-list
// update of a base folder and the password-protected archive update. Everything the server sends
// is untrusted: files are written only inside their base folder, and a download replaces its file
// only once it is complete.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/files.h"
#include "common/ports.h"

namespace vessaro {

inline constexpr const char* kUpdateApplication = "baccarat";
// The two programs of the installation, by their file names on this platform.
inline constexpr const char* kSimulatorProgram = "Vessaro";
inline constexpr const char* kLauncherProgram = "Kindlet";
inline constexpr const char* kListPath = "/scripts/casinoservercgi";
inline constexpr const char* kArchivePassword = "58031946";

// Results besides 0 (success) and the positive HTTP statuses and network error numbers.
inline constexpr int kResultDownloadFailed = -2;
inline constexpr int kResultExtractFailed = -3;
inline constexpr int kResultCopyFailed = -4;
inline constexpr int kResultBadEntry = -5;  // a list entry the update refuses to write
inline constexpr int kResultNoStatus = -300;
inline constexpr int kResultUnreadableHttpStatus = 999;
// The network error of an answer that is not HTTP (QNetworkReply::ProtocolFailure): worth a retry.
inline constexpr int kNetworkInvalidResponse = 399;

namespace update_texts {
inline constexpr const char* kCommunicationFailed = "通信に失敗しました(%d)";
inline constexpr const char* kDownloadFailed = "アップデートファイルのダウンロードに失敗しました\\(%d) ファイル名: %s";
inline constexpr const char* kArchiveDownloadFailed = "アップデートファイルのダウンロードに失敗しました\\(%d) ファイル名%s";
inline constexpr const char* kExtractFailed = "アップデートファイルの解凍に失敗しました\\(%d) ファイル名%s";
inline constexpr const char* kCopyFailed = "アップデートファイルのコピーに失敗しました\\(%d) ファイル名%s >> %s";
inline constexpr const char* kAdministratorHint =
    "WinVista以降の方は右クリックの「管理者として実行」より再度起動してください。";
inline constexpr const char* kBadEntryPath = "アップデートファイルの保存先が不正です(%d) ファイル名: %s";
inline constexpr const char* kBadEntryTime = "アップデートファイルの日時が不正です(%d) ファイル名: %s %s";
}  // namespace update_texts

// What the protocol runs on. The pump handles window events during the pauses and retries.
struct UpdatePorts {
  HttpClient& http;
  EventPump& pump;
  Clock& clock;
};

// Receives the progress of UpdateFiles: a maximum (the number of entries), then positions.
class ProgressSink {
 public:
  virtual ~ProgressSink() = default;
  virtual void SetMaximum(int maximum) = 0;
  virtual void SetPosition(int position) = 0;
};

// "http://" in front of a root without a scheme.
std::string WithScheme(std::string_view root);

// A path's UTF-8 bytes for a URL: ! $ ' ( ) * - . / 0-9 @ A-Z _ a-z stay, a blank becomes "+",
// every other byte "%xx" in lower-case hexadecimal.
std::string EncodeUrlPath(std::string_view path);

// yyyymmddhhnnsszzz: the query that makes every download URL unique.
std::string StampMillisecond(const DateTime& t);

struct PostResult {
  int result = 0;  // 0, an HTTP status, a network error number, or 999
  std::string text;
};

// One POST of form_text (code page 932 as upper-case hexadecimal) to root + path; a 500, 503 or
// an answer that is not HTTP is tried once more after 1 second.
PostResult PostForm(UpdatePorts& ports, std::string_view root, std::string_view path, std::string_view form_text);

struct FileEntry {
  std::string path;   // relative to the base folder, "/" between folders
  std::string flag;   // first letter "T": stored as <name>.dat in the base folder itself
  std::string stamp;  // yyyymmddhhnn, local time
};

struct UpdateList {
  int result = 0;
  std::string message;
  bool message_from_server = false;  // false for the "通信に失敗しました" the client wrote itself
  std::vector<FileEntry> entries;
};

// The list answer: UTF-8 (a byte the code page cannot hold becomes "?"), "&" between lines of
// key=value; the status and messages lines taken out, every other non-empty line an entry.
UpdateList ParseUpdateList(std::string_view body);

UpdateList GetUpdateList(UpdatePorts& ports, std::string_view application, std::string_view file_name,
                         std::string_view root);

struct UpdateRequest {
  std::string application = kUpdateApplication;
  fs::path base;  // empty: the program folder
  std::string root;
  std::string file_name;
  fs::path own_program;  // the running program's file, never replaced
};

struct UpdateOutcome {
  int result = 0;
  std::string message;
  bool message_from_server = false;
  bool updated = false;
  std::vector<fs::path> replaced;  // files written, in list order
};

class PathConfiner;
// Where an entry is stored below the confiner's base, with links resolved; nullopt when its path
// must not be written.
struct EntryPlace {
  fs::path file;
  fs::path real;
};
std::optional<EntryPlace> EntryFile(const PathConfiner& base, const FileEntry& entry);

// The file-list update: every listed file that is missing or whose modification time (to the
// minute) differs from its stamp is downloaded and stamped with the listed time and 10 seconds.
// The whole list is checked first: an entry outside the base folder or with an unreadable stamp
// stops the update before anything is written (kResultBadEntry).
UpdateOutcome UpdateFiles(UpdatePorts& ports, ProgressSink* progress, const UpdateRequest& request);

struct ArchiveRequest {
  std::string application = kUpdateApplication;
  fs::path target_file;  // a file of the folder the archive's files go to
  std::string root;
  std::string own_program_name;  // a file of this name is not copied
};

struct ArchiveOutcome {
  int result = 0;
  std::string message;
  std::vector<fs::path> installed;
};

// Downloads root/update/<application>/update.zip into a private work folder, extracts it with
// the password (every file without its folder names) and copies the files into the target's
// folder, retrying a copy 10 times 300 ms apart.
ArchiveOutcome InstallArchive(UpdatePorts& ports, const ArchiveRequest& request);

// The executable of the running program.
fs::path RunningProgramFile();

}  // namespace vessaro
