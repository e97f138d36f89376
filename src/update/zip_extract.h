// The one place that reads zip archives (libzip): the password-protected update archive.
#pragma once

#include <string>
#include <vector>

#include "common/files.h"

namespace vessaro {

struct ExtractResult {
  bool ok = false;
  std::string error;               // why not, for the developer (the caller shows its own message)
  std::vector<std::string> files;  // names written into the folder, in archive order
};

// Writes every file of the archive into folder under its name without the archive's folder names
// (a later file of the same name replaces an earlier one), decrypting with password. The whole
// archive is refused, and nothing written, when one of its names is absolute, names a drive or
// has a ".." part. A wrong password or a damaged entry fails the extraction; files written before
// it stay in folder (the caller's private work folder).
ExtractResult ExtractFlat(const fs::path& archive, const std::string& password, const fs::path& folder);

}  // namespace vessaro
