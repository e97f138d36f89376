// Feeds arbitrary bytes to the Ashfinch file reader (written as they come, or hex-encoded first
// when the first byte is odd so the decoded path sees structured text too), plays a few hundred
// rounds on what loaded, and loads the file into the Ashfinch editor and its trial panel.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "common/files.h"
#include "fuzz_support.h"
#include "common/hex.h"
#include "systems/ashfinch.h"
#include "systems/ashfinch_editor.h"
#include "systems/folders.h"

namespace {

const vessaro::fs::path& Folder() {
  static const vessaro::fs::path folder = [] {
    std::string pattern = "/tmp/vessaro-fuzz-systems-XXXXXX";
    vessaro::fs::path made(::mkdtemp(pattern.data()));
    vessaro::EnsureFolder(vessaro::BetPatternFolder(made));
    // The ordinary system that P mode may name.
    vessaro::WriteTextFile(vessaro::SystemFilePath(made, "flat"),
                           "[BETPATTERN]\r\nCardNo1=5%,2,1\r\nCardNo2=10,1,x\r\n");
    return made;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vessaro;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  if (size > 0 && data[0] % 2 == 1) bytes = HexEncodeBytes(bytes.substr(1));
  const fs::path path = AshfinchFilePath(Folder(), "f");
  WriteWholeFile(path, bytes);

  AshfinchSystem system;
  if (LoadAshfinchSystem(path, system).ok()) {
    Cents balance = 100000;
    int card = 1;
    uint32_t state = static_cast<uint32_t>(size);
    for (int round = 0; round < 400; ++round) {
      state = state * 134775813u + 1;
      GetAshfinchBet(system, balance, card);
      AshfinchStep step =
          GetAshfinchNext(system, static_cast<BetOutcome>((state >> 16) % 3), balance, card);
      card = step.next_card < 1 ? 1 : step.next_card;
      if (!__builtin_mul_overflow(step.result, int64_t{100}, &step.result))
        __builtin_add_overflow(balance, step.result, &balance);
    }
    ReleaseAshfinchSystem(system);
  }

  vessaro::fuzz::QuietDialogs dialogs;
  AshfinchEditorModel editor(Folder(), dialogs);
  editor.Show();
  editor.ChooseSystem(0);
  editor.Load();
  for (int i = 0; i < 40; ++i) editor.TrialStep(static_cast<BetOutcome>(i % 3 == 2 ? 0 : i % 3));
  editor.SelectMode(AshfinchMode::kP);
  editor.SelectMode(AshfinchMode::kR);
  if (size > 0 && data[0] % 16 == 0) {
    editor.SetName("g");
    editor.Save();
  }
  return 0;
}
