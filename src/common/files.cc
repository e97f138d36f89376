#include "common/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <random>

#include "common/cp932.h"
#include "common/hex.h"
#include "common/text.h"

namespace vessaro {
namespace {

[[noreturn]] void ThrowErrno(IoAction action, const fs::path& path) { ThrowIoError(action, path, errno); }

std::string ReasonText(int error_number) {
  switch (error_number) {
    case EACCES:
    case EPERM:
      return "アクセスが許可されていません";
    case ENOSPC:
    case EDQUOT:
      return "ディスクの空き容量が足りません";
    case EFBIG:
      return "ファイルが大きすぎます";
    case EROFS:
      return "読み取り専用の場所です";
    case ENOENT:
      return "ファイルまたはフォルダが見つかりません";
    case ENOTDIR:
      return "フォルダのあるべき場所にファイルがあります";
    case EISDIR:
      return "ファイルのあるべき場所にフォルダがあります";
    case ENAMETOOLONG:
      return "パスが長すぎます";
    case EMFILE:
    case ENFILE:
      return "開いているファイルが多すぎます";
    case EIO:
      return "ディスクの読み書きでエラーが発生しました";
    case EBUSY:
    case ETXTBSY:
      return "ほかのプログラムが使用中です";
    default:
      return "エラー番号 " + std::to_string(error_number);
  }
}

void WriteAll(int fd, std::string_view bytes, const fs::path& path) {
  const char* p = bytes.data();
  size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      int saved = errno;
      ::close(fd);
      errno = saved;
      ThrowErrno(IoAction::kWrite, path);
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
}

std::string LowerAscii(std::string s) {
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

}  // namespace

std::string IoErrorMessage(IoAction action, const fs::path& path, int error_number) {
  std::string text;
  switch (action) {
    case IoAction::kRead:
      text = "ファイルを読み込めませんでした。";
      break;
    case IoAction::kWrite:
      text = "ファイルに書き込めませんでした。";
      break;
    case IoAction::kDelete:
      text = "ファイルを削除できませんでした。";
      break;
    case IoAction::kCreateFolder:
      text = "フォルダを作成できませんでした。";
      break;
  }
  text += "\r\n" + path.string();
  if (error_number != 0) text += "\r\n（" + ReasonText(error_number) + "）";
  return text;
}

void ThrowIoError(IoAction action, const fs::path& path, int error_number) {
  throw IoError(IoErrorMessage(action, path, error_number));
}

std::string ReadWholeFile(const fs::path& path) {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT || errno == ENOTDIR) return {};
    ThrowErrno(IoAction::kRead, path);
  }
  std::string out;
  char buf[65536];
  while (true) {
    ssize_t n = ::read(fd, buf, sizeof(buf));
    if (n < 0) {
      if (errno == EINTR) continue;
      int saved = errno;
      ::close(fd);
      errno = saved;
      ThrowErrno(IoAction::kRead, path);
    }
    if (n == 0) break;
    out.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return out;
}

void WriteWholeFile(const fs::path& path, std::string_view bytes) {
  fs::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  static thread_local std::mt19937_64 rng{std::random_device{}()};
  fs::path tmp;
  int fd = -1;
  for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
    tmp = folder / ("." + path.filename().string() + ".tmp" + std::to_string(rng() % 1000000));
    fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 && errno != EEXIST) ThrowErrno(IoAction::kWrite, path);
  }
  if (fd < 0) ThrowErrno(IoAction::kWrite, path);
  try {
    WriteAll(fd, bytes, path);  // closes fd when it throws; names the file the user knows
  } catch (const IoError&) {
    ::unlink(tmp.c_str());  // a full disk must not leave half-written temporaries behind
    throw;
  }
  const bool synced = ::fsync(fd) == 0;
  int saved = errno;
  const bool closed = ::close(fd) == 0;
  if (!synced || !closed) {
    if (synced) saved = errno;
    ::unlink(tmp.c_str());
    errno = saved;
    ThrowErrno(IoAction::kWrite, path);
  }
  if (::rename(tmp.c_str(), path.c_str()) != 0) {
    int saved = errno;
    ::unlink(tmp.c_str());
    errno = saved;
    ThrowErrno(IoAction::kWrite, path);
  }
}

std::string ReadTextFile(const fs::path& path) { return DecodeFileText(ReadWholeFile(path)); }

std::vector<std::string> ReadTextLines(const fs::path& path) {
  return SplitLines(ReadTextFile(path));
}

std::string_view WholeLinesOf(std::string_view bytes) {
  const size_t end = bytes.find_last_of("\r\n");
  return end == std::string_view::npos ? std::string_view() : bytes.substr(0, end + 1);
}

std::vector<std::string> ReadAppendedLines(const fs::path& path) {
  const std::string bytes = ReadWholeFile(path);
  return SplitLines(DecodeFileText(WholeLinesOf(bytes)));
}

void WriteTextFile(const fs::path& path, std::string_view text) {
  WriteWholeFile(path, EncodeCp932Lossy(text));
}

void AppendLine(std::string_view text, const fs::path& path) {
  std::string bytes = EncodeCp932Lossy(text);
  bytes.append("\r\n");
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) ThrowErrno(IoAction::kWrite, path);
  WriteAll(fd, bytes, path);
  if (::close(fd) != 0) ThrowErrno(IoAction::kWrite, path);
}

bool HexEncodeFile(const fs::path& path) {
  try {
    WriteWholeFile(path, HexEncodeBytes(ReadWholeFile(path)));
    return true;
  } catch (const IoError&) {
    return false;
  }
}

bool HexDecodeFile(const fs::path& path) {
  try {
    auto bytes = HexDecodeBytes(ReadWholeFile(path));
    if (!bytes) return false;
    WriteWholeFile(path, *bytes);
    return true;
  } catch (const IoError&) {
    return false;
  }
}

std::vector<fs::path> ListFiles(const fs::path& folder) {
  std::vector<fs::path> files;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code type_ec;
    if (it->is_regular_file(type_ec)) files.push_back(it->path());
  }
  std::sort(files.begin(), files.end(), [](const fs::path& a, const fs::path& b) {
    std::string la = LowerAscii(a.filename().string());
    std::string lb = LowerAscii(b.filename().string());
    return la != lb ? la < lb : a.filename().string() < b.filename().string();
  });
  return files;
}

bool EnsureFolder(const fs::path& path) {
  if (path.empty()) return true;
  std::error_code ec;
  fs::create_directories(path, ec);
  return FolderExists(path);
}

int RemoveFolder(const fs::path& path) {
  if (path.empty()) return -1;
  std::error_code ec;
  fs::path absolute = fs::absolute(path, ec);
  if (ec || absolute.lexically_normal() == absolute.root_path()) return -1;
  if (absolute.lexically_normal().relative_path().empty()) return -1;
  if (!FolderExists(path)) return -2;
  // Make everything writable first: read-only files and folders must not stop the clean-up.
  for (fs::recursive_directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec)) {
    std::error_code perm_ec;
    if (!it->is_symlink(perm_ec))
      fs::permissions(it->path(), fs::perms::owner_write | fs::perms::owner_read |
                                      (it->is_directory(perm_ec) ? fs::perms::owner_exec : fs::perms::none),
                      fs::perm_options::add, perm_ec);
  }
  fs::remove_all(path, ec);
  std::error_code exists_ec;
  return ec || fs::exists(path, exists_ec) || exists_ec ? -2 : 0;
}

int64_t FileSizeOf(const fs::path& path) {
  struct stat st;
  if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_size);
}

bool FileExists(const fs::path& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const fs::path& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool DeleteFileIfExists(const fs::path& path) {
  if (::unlink(path.c_str()) == 0) return true;
  return errno == ENOENT;
}

fs::path CreateFreshFile(const fs::path& wanted) {
  constexpr int kMostTries = 10000;
  for (int k = 1; k <= kMostTries; ++k) {
    fs::path candidate = wanted;
    if (k > 1)
      candidate.replace_filename(wanted.stem().string() + "_" + std::to_string(k) + wanted.extension().string());
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd >= 0) {
      ::close(fd);
      return candidate;
    }
    if (errno != EEXIST) ThrowIoError(IoAction::kWrite, candidate, errno);
  }
  ThrowIoError(IoAction::kWrite, wanted, EEXIST);
}

fs::path ResolveBelow(const fs::path& base, std::string_view relative) {
  fs::path out = base;
  size_t start = 0;
  for (size_t i = 0; i <= relative.size(); ++i) {
    if (i == relative.size() || relative[i] == '\\' || relative[i] == '/') {
      if (i > start) out /= std::string(relative.substr(start, i - start));
      start = i + 1;
    }
  }
  return out;
}

std::string FileNamePart(std::string_view path_text) {
  size_t cut = path_text.find_last_of("\\/");
  return std::string(cut == std::string_view::npos ? path_text : path_text.substr(cut + 1));
}

}  // namespace vessaro
