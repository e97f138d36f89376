// Feeds arbitrary bytes to the pattern file reader as betpattern/f_pattern.txt, walks the deck the
// way a run does, and loads the file into the pattern editor.
#include <unistd.h>

#include <climits>
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/files.h"
#include "fuzz_support.h"
#include "systems/folders.h"
#include "systems/pattern_cards.h"
#include "systems/pattern_editor.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace vessaro;
  std::string bytes(reinterpret_cast<const char*>(data), size);
  EnsureFolder(BetPatternFolder(vessaro::fuzz::ScratchFolder()));
  const fs::path path = PatternFilePath(vessaro::fuzz::ScratchFolder(), "f");
  WriteWholeFile(path, bytes);

  LoadedPattern pattern;
  pattern.Load(path);
  int card = 1;
  for (size_t i = 0; i < 64; ++i) {
    GetPatternSide(pattern, card);
    BetOutcome outcome = static_cast<BetOutcome>(size > 0 ? data[i % size] % 3 : 0);
    int next = GetNextCard(outcome, pattern, card);
    card = next < 1 ? 1 : next;
  }
  for (int c : {INT_MIN, 0, 21, 9999, INT_MAX}) {
    GetPatternSide(pattern, c);
    GetNextCard(BetOutcome::kWin, pattern, c);
  }

  vessaro::fuzz::QuietDialogs dialogs;
  PatternEditorModel editor(vessaro::fuzz::ScratchFolder(), dialogs);
  editor.Show();
  editor.ChoosePattern(0);
  editor.LoadPattern();
  for (int n = 1; n <= kPatternCardCount; ++n) {
    PatternCardDialogModel dialog = editor.OpenCard(n);
    if (dialog.Confirm(dialogs)) editor.ApplyCard(n, dialog);
  }
  if (size > 0 && data[0] % 8 == 0) {
    editor.SetPatternName("g");
    editor.SavePattern();
  }
  return 0;
}
