// What every harness needs: message boxes that stay silent (and answer Yes) and one scratch
// program folder per fuzzing process.
#pragma once

#include <unistd.h>

#include <optional>
#include <string>

#include "common/files.h"
#include "common/ports.h"

namespace vessaro::fuzz {

class QuietDialogs : public Dialogs {
 public:
  void ShowMessage(std::string_view, MessageKind) override {}
  bool AskYesNo(std::string_view) override { return true; }
  std::optional<std::string> ChooseOpenFile(const FileFilter&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const FileFilter&) override { return {}; }
  std::optional<std::string> ChooseFolder(std::string_view, std::string_view) override { return {}; }
};

inline const fs::path& ScratchFolder() {
  static const fs::path folder = [] {
    std::string pattern = "/tmp/vessaro-fuzz-XXXXXX";
    return fs::path(::mkdtemp(pattern.data()));
  }();
  return folder;
}

}  // namespace vessaro::fuzz
