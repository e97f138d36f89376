#include "common/program_folder.h"

#include <cstdlib>

namespace vessaro {

fs::path ResolveProgramFolder() {
  if (const char* home = std::getenv("VESSARO_HOME"); home != nullptr && *home != '\0')
    return fs::absolute(home);
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) return exe.parent_path();
  return fs::current_path();
}

}  // namespace vessaro
