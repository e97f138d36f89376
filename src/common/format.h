// A small printf-style formatter (this compiler has no std::format).
#pragma once

#include <string>

namespace vessaro {

std::string Format(const char* fmt, ...) __attribute__((format(printf, 1, 2)));

}  // namespace vessaro
