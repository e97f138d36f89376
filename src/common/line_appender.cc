#include "common/line_appender.h"

#include <fcntl.h>
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
}

void LineAppender::Append(std::string_view line) {
  AppendCp932Lossy(buffer_, line);
  buffer_.append("\r\n");
  if (buffer_.size() >= kFlushThreshold) Flush();
}

void LineAppender::Flush() {
  if (buffer_.empty() || path_.empty()) return;
  int fd = ::open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
  if (fd < 0) ThrowIoError(IoAction::kWrite, path_, errno);
  const char* p = buffer_.data();
  size_t left = buffer_.size();
  while (left > 0) {
    ssize_t n = ::write(fd, p, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      int saved = errno;
      ::close(fd);
      // Drop what was written so that a retry does not repeat lines.
      buffer_.erase(0, buffer_.size() - left);
      ThrowIoError(IoAction::kWrite, path_, saved);
    }
    p += n;
    left -= static_cast<size_t>(n);
  }
  ::close(fd);
  buffer_.clear();
}

}  // namespace vessaro
