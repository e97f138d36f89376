// The program folder: where the running executable lives, unless VESSARO_HOME names another
// (tests, portable installs). Every relative path of the system resolves against it.
#pragma once

#include "common/files.h"

namespace vessaro {

fs::path ResolveProgramFolder();

// Start-up work of a window done on its first paint only: true the first time, then false.
inline bool RunOnce(bool& flag) {
  if (flag) return false;
  flag = true;
  return true;
}

}  // namespace vessaro
