// Feeds arbitrary bytes to the system file reader as betpattern/f_syspattern.txt, evaluates every
// card (and cards outside the deck) for awkward balances, and loads the file into the editor.
#include <unistd.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/files.h"
#include "fuzz_support.h"
#include "systems/folders.h"
#include "systems/system_cards.h"
#include "systems/system_editor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vessaro;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  EnsureFolder(BetPatternFolder(vessaro::fuzz::ScratchFolder()));
  const fs::path path = SystemFilePath(vessaro::fuzz::ScratchFolder(), "f");
  WriteWholeFile(path, bytes);

  LoadedSystem system;
  system.Load(path);
  const Cents balances[] = {0, 1, 900, 103000, 123450, -100050, INT64_MAX, INT64_MIN};
  const int cards[] = {INT_MIN, -1, 0, 1, 2, 3, 30, 59, 60, 61, 9999, INT_MAX};
  for (int card : cards) {
    for (Cents balance : balances) GetSystemBet(system, balance, card);
    GetSystemBet(system, std::string_view("abc"), card);
    GetSystemBet(system, std::string_view("99999999999999999999.999"), card);
    for (int outcome = 0; outcome < 4; ++outcome)
      GetNextCard(static_cast<BetOutcome>(outcome), system, card);
  }

  vessaro::fuzz::QuietDialogs dialogs;
  SystemEditorModel editor(vessaro::fuzz::ScratchFolder(), dialogs);
  editor.Show();
  editor.ChooseSystem(0);
  editor.Load();
  // Saving is slow (an atomic write), so only a share of the inputs goes through it.
  if (size > 0 && data[0] % 8 == 0) {
    editor.SetName("g");
    editor.Save();
  }
  return 0;
}
