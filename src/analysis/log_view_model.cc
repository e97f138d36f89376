#include "analysis/log_view_model.h"

#include <algorithm>

#include "common/cp932.h"
#include "common/names.h"
#include "common/shell_open.h"

namespace vessaro {
namespace {

bool SameFile(const fs::path& a, const fs::path& b) {
  if (a.empty() || b.empty()) return false;
  std::error_code ec;
  if (fs::equivalent(a, b, ec)) return true;
  return fs::weakly_canonical(a, ec) == fs::weakly_canonical(b, ec);
}

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Where a piece without a line end may be cut: at the last character boundary, so that no
// double-byte or UTF-8 character is split between two pieces.
size_t CharacterCut(std::string_view bytes, bool utf8) {
  size_t cut = 0;
  if (utf8) {
    cut = bytes.size();
    while (cut > 0 && (static_cast<unsigned char>(bytes[cut - 1]) & 0xC0) == 0x80) --cut;
    if (cut > 0) --cut;  // the last character may be incomplete: it goes to the next piece
  } else {
    for (size_t i = 0; i < bytes.size();) {
      const auto b = static_cast<unsigned char>(bytes[i]);
      const size_t length = (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC) ? 2 : 1;
      if (i + length > bytes.size()) break;
      i += length;
      cut = i;
    }
  }
  return cut > 0 ? cut : bytes.size();
}

}  // namespace

// Where the file's whole lines end. A last line without its line end was torn by a kill during a
// write and is not shown.
int64_t WholeLinesEnd(std::ifstream& in, int64_t size) {
  constexpr int64_t kChunk = 64 * 1024;
  std::string chunk;
  for (int64_t end = size; end > 0;) {
    const int64_t begin = std::max<int64_t>(0, end - kChunk);
    chunk.resize(static_cast<size_t>(end - begin));
    in.seekg(begin);
    in.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
    if (in.gcount() != static_cast<std::streamsize>(chunk.size())) break;
    const size_t line_end = chunk.rfind('\n');
    if (line_end != std::string::npos) return begin + static_cast<int64_t>(line_end) + 1;
    end = begin;
  }
  return 0;
}

LogTextReader::LogTextReader(const fs::path& file) : in_(file, std::ios::binary), file_(file) {
  if (!in_) ThrowIoError(IoAction::kRead, file);
  total_bytes_ = WholeLinesEnd(in_, std::max<int64_t>(FileSizeOf(file), 0));
  in_.clear();
  in_.seekg(0);
  if (!in_) ThrowIoError(IoAction::kRead, file);
}

void LogTextReader::Fill(size_t piece_bytes) {
  while (!end_of_file_ && buffer_.size() - start_ < piece_bytes) {
    if (start_ > 0) {
      buffer_.erase(0, start_);
      start_ = 0;
    }
    const size_t old_size = buffer_.size();
    const auto wanted = static_cast<size_t>(std::min<int64_t>(static_cast<int64_t>(piece_bytes), total_bytes_ - file_bytes_));
    buffer_.resize(old_size + wanted);
    in_.read(buffer_.data() + old_size, static_cast<std::streamsize>(wanted));
    const auto got = static_cast<size_t>(in_.gcount());
    buffer_.resize(old_size + got);
    file_bytes_ += static_cast<int64_t>(got);
    if (in_.bad()) ThrowIoError(IoAction::kRead, file_);
    if (got < wanted || file_bytes_ >= total_bytes_) end_of_file_ = true;
  }
}

std::optional<std::string> LogTextReader::Next(size_t piece_bytes) {
  // Room for the longest character, so that every piece moves on.
  piece_bytes = std::max<size_t>(piece_bytes, 4);
  Fill(piece_bytes);
  if (first_) {
    first_ = false;
    if (std::string_view(buffer_).substr(start_, 3) == kUtf8Mark) {
      utf8_ = true;
      start_ += 3;
      read_bytes_ += 3;
      Fill(piece_bytes);
    }
  }
  const size_t available = buffer_.size() - start_;
  if (available == 0) return std::nullopt;

  size_t cut = available;
  if (available > piece_bytes || !end_of_file_) {
    const std::string_view window = std::string_view(buffer_).substr(start_, piece_bytes);
    const size_t line_end = window.rfind('\n');
    cut = line_end != std::string_view::npos ? line_end + 1 : CharacterCut(window, utf8_);
  }
  const std::string_view piece = std::string_view(buffer_).substr(start_, cut);
  start_ += cut;
  read_bytes_ += static_cast<int64_t>(cut);
  if (!utf8_) return DecodeCp932(piece);
  std::string marked(kUtf8Mark);
  marked.append(piece);
  return DecodeFileText(marked);
}

std::string ReadRemainingText(LogTextReader& reader) {
  std::string text;
  while (std::optional<std::string> piece = reader.Next()) text += *piece;
  return text;
}

LogViewModel::LogViewModel(fs::path program_folder, Dialogs& dialogs)
    : program_folder_(std::move(program_folder)), dialogs_(dialogs) {}

fs::path LogViewModel::Resolve(std::string_view path_text) const {
  if (!path_text.empty() && path_text.front() == '/') return fs::path(std::string(path_text));
  return ResolveBelow(program_folder_, path_text);
}

std::unique_ptr<LogTextReader> LogViewModel::Show(std::string_view path_text) {
  const fs::path file = path_text.empty() ? fs::path() : Resolve(path_text);
  if (file.empty() || !FileExists(file)) {
    dialogs_.ShowMessage(kLogFileNotFound, MessageKind::kWarning);
    return nullptr;
  }
  try {
    auto reader = std::make_unique<LogTextReader>(file);
    shown_file_ = file;
    return reader;
  } catch (const IoError& error) {
    dialogs_.ShowMessage(error.what(), MessageKind::kError);
    return nullptr;
  }
}

std::optional<std::string> LogViewModel::Browse() {
  FileFilter filter;
  filter.title = kChooseLogFileTitle;
  filter.filter = MakeFileFilter("*.TXT");
  filter.initial = (program_folder_ / "log").string();
  return dialogs_.ChooseOpenFile(filter);
}

std::optional<fs::path> LogViewModel::ChooseSaveTarget() {
  FileFilter filter;
  filter.filter = MakeFileFilter("*.TXT");
  filter.initial = (program_folder_ / "log").string();
  filter.default_extension = "txt";
  const std::optional<std::string> chosen = dialogs_.ChooseSaveFile(filter);
  if (!chosen || chosen->empty()) return std::nullopt;
  const fs::path target = Resolve(*chosen);
  // The shown log stays as the run wrote it; edits only ever go to a copy.
  if (SameFile(target, shown_file_)) {
    dialogs_.ShowMessage(kCannotSaveOverShownLog, MessageKind::kWarning);
    return std::nullopt;
  }
  return target;
}

bool LogViewModel::SaveCopy(const fs::path& target) {
  try {
    if (!FileExists(shown_file_)) {
      dialogs_.ShowMessage(kLogFileNotFound, MessageKind::kWarning);
      return false;
    }
    WriteWholeFile(target, ReadWholeFile(shown_file_));
  } catch (const IoError& error) {
    dialogs_.ShowMessage(error.what(), MessageKind::kError);
    return false;
  }
  return true;
}

bool LogViewModel::SaveText(const fs::path& target, std::string_view text) {
  const std::optional<std::string> bytes = EncodeCp932(ToCrLf(text));
  if (!bytes) {
    dialogs_.ShowMessage(kUnstorableCharacterMessage, MessageKind::kWarning);
    return false;
  }
  try {
    WriteWholeFile(target, *bytes);
  } catch (const IoError& error) {
    dialogs_.ShowMessage(error.what(), MessageKind::kError);
    return false;
  }
  return true;
}

std::string ToCrLf(std::string_view text) {
  std::string out;
  out.reserve(text.size() + text.size() / 32);
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += "\r\n";
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n') {
      out += "\r\n";
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace vessaro
