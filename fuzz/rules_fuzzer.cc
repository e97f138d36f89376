// Feeds arbitrary bytes to the table settings load as System/Rules.dat, and to the dialog's
// reading of the same file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "common/files.h"
#include "fuzz_support.h"
#include "engine/table_settings.h"

namespace {

class ClosingDialog : public vessaro::RuleDialogPort {
 public:
  bool RunRuleDialog(bool) override { return false; }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vessaro;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  EnsureFolder(vessaro::fuzz::ScratchFolder() / "System");
  WriteWholeFile(RulesPath(vessaro::fuzz::ScratchFolder()), bytes);
  TableSettings settings;
  PrepareRuleDialog(vessaro::fuzz::ScratchFolder(), settings);
  WriteWholeFile(RulesPath(vessaro::fuzz::ScratchFolder()), bytes);
  vessaro::fuzz::QuietDialogs dialogs;
  ClosingDialog dialog;
  LoadTableSettings(vessaro::fuzz::ScratchFolder(), settings, dialogs, dialog);
  return 0;
}
