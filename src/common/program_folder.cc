#include "common/program_folder.h"

#include <cstdlib>

namespace vessaro {

fs::path ResolveProgramFolder() {
  std::error_code ec;
  if (const char* home = std::getenv("VESSARO_HOME"); home != nullptr && *home != '\0') {
    fs::path absolute = fs::absolute(home, ec);
    // A relative folder inside a working folder that was deleted meanwhile.
    if (ec)
      throw IoError(std::string("作業フォルダが見つからないため VESSARO_HOME（") + home +
                    "）を解決できません。絶対パスで指定してください");
    return absolute;
  }
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (!ec) return exe.parent_path();
  return fs::current_path();
}

}  // namespace vessaro
