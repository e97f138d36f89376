#include "common/shell_open.h"

#include "common/files.h"
#include "common/format.h"
#include "common/text.h"

namespace vessaro {

std::optional<std::string> OpenWithAssociation(Shell& shell, const std::string& path) {
  if (fs::path(path).extension().empty()) return std::string(kCannotStartApplication);
  // The desktop's opener reports success as soon as it has started, even for a file that is not
  // there, so a missing file is refused here.
  if (!FileExists(path)) return std::string(kCannotStartApplication);
  if (!shell.OpenWithAssociation(path)) return std::string(kCannotStartApplication);
  return std::nullopt;
}

std::string MakeFileFilter(const std::string& pattern) {
  std::string ext = ToUpperAscii(fs::path(pattern).extension().string());
  if (!ext.empty() && ext[0] == '.') ext.erase(0, 1);
  return Format("%s FILE(%s)|%s|ALL FILE(*.*)|*.*", ext.c_str(), pattern.c_str(), pattern.c_str());
}

}  // namespace vessaro
