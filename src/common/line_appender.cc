#include "common/line_appender.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "common/cp932.h"

namespace vessaro {

LineAppender::~LineAppender() {
  try {
    Flush();
  } catch (const IoError&) {
  }
}

void LineAppender::SetPath(fs::path path) {
  if (path == path_) return;
  Flush();
  path_ = std::move(path);
  failed_ = false;
}

void LineAppender::Append(std::string_view line) {
  if (failed_) return;
  AppendCp932Lossy(buffer_, line);
  buffer_.append("\r\n");
  if (buffer_.size() >= kFlushThreshold) Flush();
}

namespace {

// A file whose last byte is not a line end was torn by a kill during a write; the next line must
// not run on from it.
bool EndsInTornLine(int fd, off_t size) {
  if (size <= 0) return false;
  char last = 0;
  return ::pread(fd, &last, 1, size - 1) == 1 && last != '\n';
}

}  // namespace

void LineAppender::Flush() {
  if (failed_) {
    buffer_.clear();
    return;
  }
  if (buffer_.empty() || path_.empty()) return;
  // Read access only to look at the last byte; a file that may only be written is appended as it is.
  int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0 && errno == EACCES) fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) {
    failed_ = true;
    buffer_.clear();
    ThrowIoError(IoAction::kWrite, path_, errno);
  }
  struct stat before {};
  const off_t start = ::fstat(fd, &before) == 0 ? before.st_size : -1;
  std::string_view pending = buffer_;
  std::string ended;
  if (EndsInTornLine(fd, start)) {
    ended.reserve(buffer_.size() + 2);
    ended.append("\r\n").append(buffer_);
    pending = ended;
  }
  const char* p = pending.data();
  size_t left = pending.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int saved = errno;
      // Take back the part of this flush that reached the file, so that it ends in the whole
      // line it ended in before. Only when nobody else appended meanwhile (the play history is
      // shared by every run of the day).
      struct stat after {};
      const off_t written = static_cast<off_t>(pending.size() - left);
      if (start >= 0 && written > 0 && ::fstat(fd, &after) == 0 && after.st_size == start + written)
        (void)::ftruncate(fd, start);
      ::close(fd);
      failed_ = true;
      buffer_.clear();
      ThrowIoError(IoAction::kWrite, path_, saved);
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  ::close(fd);
  buffer_.clear();
}

}  // namespace vessaro
