// Buffered appending of whole lines to a text file (code page 932, CR LF). Long runs write their
// logs through it and flush at every yield and at every end, so files only ever end in whole lines.
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

  // Buffers the line and its CR LF; writes when the buffer is large. May raise IoError.
  void Append(std::string_view line);
  // Writes the buffered lines; creates the file when missing. Raises IoError on failure.
  void Flush();
  bool HasPending() const { return !buffer_.empty(); }
  // Forgets buffered lines without writing them.
  void Discard() { buffer_.clear(); }

 private:
  static constexpr size_t kFlushThreshold = 1 << 20;
  fs::path path_;
  std::string buffer_;
};

}  // namespace vessaro
