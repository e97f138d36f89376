// The program folder the run and study benchmarks play on: "完全確率モード", MIN 1, MAX 10000, a
// balance of 1,000,000 that 10 a round cannot lose, the system "flat" (10 every round) and the
// pattern "banker".
#pragma once

#include "common/files.h"
#include "common/hex.h"
#include "systems/card_deck.h"
#include "systems/folders.h"

namespace vessaro {

inline void MakeBenchFolder(const fs::path& home) {
  RemoveFolder(home);
  EnsureFolder(home / "System");
  WriteWholeFile(home / "System/Rules.dat",
                 HexEncodeText("blance=1000000&minimum=1&maximum=10000&blancememory=False&sleeptime=100&"
                               "randommode=完全確率モード"));
  EnsureFolder(BetPatternFolder(home));
  std::vector<CardFields> system(60), pattern(20);
  system[0] = {"10", "1", "1"};
  pattern[0] = {"B", "1", "1"};
  WriteCardFile(SystemFilePath(home, "flat"), system);
  WriteCardFile(PatternFilePath(home, "banker"), pattern);
}

}  // namespace vessaro
