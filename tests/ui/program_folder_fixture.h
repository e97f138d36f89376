// A complete program folder for window tests: pictures (tiny images), data folders, Rules.dat and
// a Sound.dat without narration or music.
#pragma once

#include <string>

#include "support/temp_folder.h"

namespace vessaro::testing {

// For the screenshot programs: a scratch program folder named `name` in the temporary folder,
// holding the real pictures of `source` and fresh table settings, made anew each time.
fs::path MakeScratchProgramFolder(const fs::path& source, const std::string& name);

class ProgramFolder : public TempFolder {
 public:
  ProgramFolder();
  void WriteRules(const std::string& settings_text);
  std::string RulesText() const;
};

}  // namespace vessaro::testing
