// The ports the benchmarks run on: message boxes that only remember the last message.
#pragma once

#include <optional>
#include <string>

#include "common/ports.h"

namespace vessaro {

class QuietDialogs : public Dialogs {
 public:
  void ShowMessage(std::string_view text, MessageKind) override { last = std::string(text); }
  bool AskYesNo(std::string_view) override { return false; }
  std::optional<std::string> ChooseOpenFile(const FileFilter&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const FileFilter&) override { return {}; }
  std::optional<std::string> ChooseFolder(std::string_view, std::string_view) override { return {}; }
  std::string last;
};

}  // namespace vessaro
