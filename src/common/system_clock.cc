#include "common/system_clock.h"

#include <chrono>
#include <ctime>

namespace vessaro {
namespace {

DateTime Convert(bool local) {
  auto now = std::chrono::system_clock::now();
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count();
  std::time_t secs = static_cast<std::time_t>(ms / 1000);
  std::tm tm{};
  if (local)
    localtime_r(&secs, &tm);
  else
    gmtime_r(&secs, &tm);
  return DateTime{tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour,
                  tm.tm_min,         tm.tm_sec,     static_cast<int>(ms % 1000)};
}

}  // namespace

DateTime SystemClock::LocalNow() { return Convert(true); }
DateTime SystemClock::UtcNow() { return Convert(false); }

int64_t SystemClock::MonotonicMillis() {
  return std::chrono::duration_cast<std::chrono::milliseconds>(
             std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

}  // namespace vessaro
