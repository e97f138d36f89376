// The betting systems and patterns of the betpattern folder as the sources of a run: the system
// (cards or Ashfinch) and the pattern (fixed cards, or a special pattern) of the chosen names.
#pragma once

#include "autosim/run_driver.h"

namespace vessaro {

class SystemsRunSourceLoader : public RunSourceLoader {
 public:
  RunSources Load(const fs::path& program_folder, std::string_view system_name,
                  std::string_view pattern_name) override;
};

}  // namespace vessaro
