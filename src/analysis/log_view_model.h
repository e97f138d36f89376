// The logic of the log viewer "ログビューア": which file is shown, browsing for another, and saving
// the (possibly edited) text as a copy. The viewed file itself is never written.
#pragma once

#include <cstdint>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "common/files.h"
#include "common/ports.h"

namespace vessaro {

inline constexpr const char* kLogViewCaption = "ログビューア";
inline constexpr const char* kLogFileNotFound = "ログファイルが見つかりません";
inline constexpr const char* kChooseLogFileTitle = "ファイルを選択してください。";
inline constexpr const char* kCannotSaveOverShownLog = "表示中のログファイルには保存できません";

// A text file read in pieces of whole lines, decoded to UTF-8 (code page 932, or UTF-8 after a
// byte order mark). A million-round log is about 100 MB: the viewer hands it to its text area a
// piece at a time and stays responsive meanwhile.
class LogTextReader {
 public:
  static constexpr size_t kPieceBytes = 256 * 1024;

  // Raises IoError when the file cannot be opened.
  explicit LogTextReader(const fs::path& file);

  // The next piece: whole lines of up to piece_bytes of the file (a longer line is cut between
  // characters; at least 4 bytes). nullopt once the file is read. Raises IoError on a read failure.
  std::optional<std::string> Next(size_t piece_bytes = kPieceBytes);

  // The bytes of the file's whole lines: a torn last line (a kill during a write) is not read.
  int64_t total_bytes() const { return total_bytes_; }
  int64_t read_bytes() const { return read_bytes_; }

 private:
  // Reads until piece_bytes are waiting or the file ends.
  void Fill(size_t piece_bytes);

  std::ifstream in_;
  fs::path file_;
  std::string buffer_;
  size_t start_ = 0;
  bool first_ = true;
  bool utf8_ = false;
  bool end_of_file_ = false;
  int64_t total_bytes_ = 0;
  int64_t file_bytes_ = 0;  // taken from the file into the buffer
  int64_t read_bytes_ = 0;
};

// All remaining pieces joined: the whole text as the viewer shows it.
std::string ReadRemainingText(LogTextReader& reader);

class LogViewModel {
 public:
  LogViewModel(fs::path program_folder, Dialogs& dialogs);

  // "表示", and opening with a path: a reader of the file for the text area, or null (after
  // "ログファイルが見つかりません") when there is no such file. A relative path is taken below
  // the program folder.
  std::unique_ptr<LogTextReader> Show(std::string_view path_text);
  // "参照": the chosen file in the log folder, or nullopt when the choice was cancelled.
  std::optional<std::string> Browse();
  // "名前を付けて保存": the file chosen for the copy, or nullopt when the choice was cancelled or
  // fell on the shown file (after its message).
  std::optional<fs::path> ChooseSaveTarget();
  // The shown file as it is on disk: for a text area that was not edited.
  bool SaveCopy(const fs::path& target);
  // Edited text (UTF-8, any line ends) as code page 932 with CR LF. False after a message when a
  // character cannot be stored or the file cannot be written.
  bool SaveText(const fs::path& target, std::string_view text);

  // The file the text area was last filled from; empty before.
  const fs::path& shown_file() const { return shown_file_; }

 private:
  fs::path Resolve(std::string_view path_text) const;

  fs::path program_folder_;
  Dialogs& dialogs_;
  fs::path shown_file_;
};

// Every line end (CR LF, lone LF, lone CR) as CR LF.
std::string ToCrLf(std::string_view text);

}  // namespace vessaro
