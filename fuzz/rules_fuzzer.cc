// Feeds arbitrary bytes to the table settings load as System/Rules.dat, and to the dialog's
// reading of the same file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "common/files.h"
#include "engine/table_settings.h"

namespace {

class QuietDialogs : public vessaro::Dialogs {
 public:
  void ShowMessage(std::string_view, vessaro::MessageKind) override {}
  bool AskYesNo(std::string_view) override { return false; }
  std::optional<std::string> ChooseOpenFile(const vessaro::FileFilter&) override { return {}; }
  std::optional<std::string> ChooseSaveFile(const vessaro::FileFilter&) override { return {}; }
  std::optional<std::string> ChooseFolder(std::string_view, std::string_view) override { return {}; }
};

class ClosingDialog : public vessaro::RuleDialogPort {
 public:
  bool RunRuleDialog(bool) override { return false; }
};

const vessaro::fs::path& Folder() {
  static const vessaro::fs::path folder = [] {
    std::string pattern = "/tmp/vessaro-fuzz-XXXXXX";
    return vessaro::fs::path(::mkdtemp(pattern.data()));
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vessaro;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  EnsureFolder(Folder() / "System");
  WriteWholeFile(RulesPath(Folder()), bytes);
  TableSettings settings;
  PrepareRuleDialog(Folder(), settings);
  WriteWholeFile(RulesPath(Folder()), bytes);
  QuietDialogs dialogs;
  ClosingDialog dialog;
  LoadTableSettings(Folder(), settings, dialogs, dialog);
  return 0;
}
