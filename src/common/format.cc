#include "common/format.h"

#include <cstdarg>
#include <charconv>
#include <cstdio>

namespace vessaro {

std::string Format(const char* fmt, ...) {
  char buf[256];
  va_list args;
  va_start(args, fmt);
  va_list copy;
  va_copy(copy, args);
  int n = std::vsnprintf(buf, sizeof(buf), fmt, args);
  va_end(args);
  if (n < 0) {
    va_end(copy);
    return {};
  }
  if (static_cast<size_t>(n) < sizeof(buf)) {
    va_end(copy);
    return std::string(buf, static_cast<size_t>(n));
  }
  std::string out(static_cast<size_t>(n), '\0');
  std::vsnprintf(out.data(), out.size() + 1, fmt, copy);
  va_end(copy);
  return out;
}

void AppendInt(std::string& out, long long value) {
  char buf[24];
  auto r = std::to_chars(buf, buf + sizeof(buf), value);
  out.append(buf, r.ptr);
}

std::string IntText(long long value) {
  std::string out;
  AppendInt(out, value);
  return out;
}

}  // namespace vessaro
