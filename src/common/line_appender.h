// Buffered appending of whole lines to a text file (code page 932, CR LF). Long runs write their
// logs through it and flush at every yield and at every end, so files only ever end in whole lines:
// a flush that fails half-way takes back what it wrote, and a file left with a torn last line (a
// kill during a write) gets that line ended before anything is appended to it.
#pragma once

#include <string>
#include <string_view>

#include "common/files.h"

namespace vessaro {

class LineAppender {
 public:
  LineAppender() = default;
  explicit LineAppender(fs::path path) : path_(std::move(path)) {}
  LineAppender(const LineAppender&) = delete;
  LineAppender& operator=(const LineAppender&) = delete;
  // Flushes what is left; errors at this point are swallowed (use Flush() to see them).
  ~LineAppender();

  const fs::path& path() const { return path_; }
  // Switches to another file after writing what was buffered for the current one.
  void SetPath(fs::path path);

  // Buffers the line and its CR LF; writes when the buffer is very large. May raise IoError.
  void Append(std::string_view line);
  // Writes the buffered lines; creates the file when missing. Raises IoError on failure; the file
  // then ends where it ended before this flush, the buffered lines are dropped, and the appender
  // writes nothing more to that file (its later lines would leave a gap), until SetPath.
  void Flush();
  bool HasPending() const { return !buffer_.empty(); }
  size_t pending_bytes() const { return buffer_.size(); }
  // Forgets buffered lines without writing them, and an earlier failure.
  void Discard() {
    buffer_.clear();
    failed_ = false;
  }
  // Forgets an earlier failure: the next flush tries the file again (a new run after the disk was
  // cleared).
  void ResetFailure() { failed_ = false; }
  // A flush to the current file has failed.
  bool failed() const { return failed_; }

 private:
  // A safety net for memory only: long work flushes well before, at its yields, so that a write
  // failure is met between two items, never half-way through one.
  static constexpr size_t kFlushThreshold = 8 << 20;
  fs::path path_;
  std::string buffer_;
  bool failed_ = false;
};

}  // namespace vessaro
