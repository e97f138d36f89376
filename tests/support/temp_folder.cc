#include "support/temp_folder.h"

#include <cstdlib>
#include <string>

namespace vessaro::testing {

TempFolder::TempFolder() {
  std::string pattern = (fs::temp_directory_path() / "vessaro-test-XXXXXX").string();
  char* made = ::mkdtemp(pattern.data());
  if (made == nullptr) throw IoError("cannot create a temporary folder");
  path_ = made;
}

TempFolder::~TempFolder() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

fs::path TempFolder::operator/(std::string_view relative) const { return ResolveBelow(path_, relative); }

void TempFolder::Write(std::string_view relative, std::string_view bytes) const {
  fs::path p = *this / relative;
  EnsureFolder(p.parent_path());
  WriteWholeFile(p, bytes);
}

}  // namespace vessaro::testing
