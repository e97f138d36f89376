// A complete program folder for window tests: pictures (tiny images), data folders, Rules.dat and
// a Sound.dat without narration or music.
#pragma once

#include <string>

#include "support/temp_folder.h"

namespace vessaro::testing {

class ProgramFolder : public TempFolder {
 public:
  ProgramFolder();
  void WriteRules(const std::string& settings_text);
  std::string RulesText() const;
};

}  // namespace vessaro::testing
