// A small printf-style formatter (this compiler has no std::format).
#pragma once

#include <string>

namespace vessaro {

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

// Appends a whole number in decimal: the fast path for texts written once per round.
void AppendInt(std::string& out, long long value);
std::string IntText(long long value);

}  // namespace vessaro
