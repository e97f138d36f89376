// Special patterns: a side chosen from the results seen so far, by a fixed rule on the last-round
// record or by conditions (runs of equal results, face pattern lists) matched against the end of
// the result history. Their files, the face pattern list files, and the evaluation.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/bets.h"
#include "engine/scoreboard.h"
#include "systems/load_status.h"

namespace vessaro {

// The result history of a run keeps this many winners; longer sequences can never match.
inline constexpr size_t kResultHistoryLength = 100;
// Capacity of the condition list built at the start of a run.
inline constexpr size_t kMaxConditionPairs = 10000;

// The key=value lines of a special pattern file as written ("mode", "otherbets", "select",
// "checked1" to "checked3"); keys are found regardless of letter case, the first line wins.
struct SpecialPatternFile {
  std::string mode;                                   // "0" fixed strategy, "1" condition strategy
  std::string otherbets;                              // first bet or default side: "P" / "B"
  std::string select;                                 // fixed strategy rule "1" to "4"
  std::array<std::optional<std::string>, 3> checked;  // values of checked1..checked3
};

SpecialPatternFile ParseSpecialPatternText(std::string_view text);

// What the special pattern page edits, and the lines it writes.
struct SpecialPatternDefinition {
  enum class Strategy { kFixed, kCondition };
  Strategy strategy = Strategy::kFixed;
  std::string otherbets;  // "P", "B" or "" (not set yet)
  int select = 1;         // fixed strategy rule 1 to 4
  struct Streak {
    bool enabled = false;
    int run_length = 0;  // 2 to 15; 0 while not chosen
  };
  std::array<Streak, 2> streaks;  // priorities 1 and 2
  bool face_enabled = false;      // priority 3
  std::string face_list;          // face pattern list name; "" while not chosen
};

// "mode=", "otherbets=", then "select=" (fixed) or the "checked%d=" lines of the enabled
// conditions numbered from 1 in priority order (condition); CR LF after every line.
std::string MakeSpecialPatternText(const SpecialPatternDefinition& definition);
// Reads a file's lines back into what the page shows.
SpecialPatternDefinition DefinitionFromFile(const SpecialPatternFile& file);

// One line of a face pattern list: "PPB のパターンが発生した場合 B にベットする".
std::string MakeFaceLine(std::string_view sequence, std::string_view side);
// The sequence (first blank-separated part) and the side (third part) of a line.
struct FaceLineParts {
  std::string sequence;
  std::string side;
};
FaceLineParts SplitFaceLine(std::string_view line);

// The non-empty lines of a face pattern list file.
std::vector<std::string> ReadFaceListLines(const fs::path& path);
// Writes one line per entry, replacing the file as a whole and creating its folder.
void WriteFaceListFile(const fs::path& path, const std::vector<std::string>& lines);

// One condition: when the result history ends with the sequence, bet the side.
struct FaceCondition {
  std::string sequence;
  BetSide side = BetSide::kNone;
};
using ConditionList = std::vector<FaceCondition>;

// Builds the condition list from checked1..checked3 in that order: a streak of N adds N times
// "P" and N times "B" (priority 1 bets against the run, priority 2 with it), a "FACE" entry adds
// every line of its face pattern list. Fails when a face list is missing ("フェイスファイルが
// 存在しません"), when a run length is not a whole number of 1 or more, or when the lists add up
// to more than 10000 pairs (none is ever dropped silently). file_label names the special pattern
// in messages.
LoadStatus LoadFaceConditions(const SpecialPatternFile& file, const fs::path& program_folder,
                              std::string_view file_label, ConditionList& out);

// The side of the next round: 1 Player, 2 Banker, 0 none. Allocates nothing.
BetSide GetFaceSide(std::string_view mode, std::string_view select, std::string_view otherbets,
                    const ConditionList& conditions, const LastRoundRecord& record,
                    std::string_view history);

// A special pattern held in memory for a run.
class LoadedSpecialPattern {
 public:
  // Reads betpattern/<name>_facepattern.txt and, in condition mode, its face pattern lists.
  LoadStatus Load(const fs::path& path, const fs::path& program_folder);
  BetSide SideFor(const LastRoundRecord& record, std::string_view history) const {
    return GetFaceSide(file_.mode, file_.select, file_.otherbets, conditions_, record, history);
  }
  const SpecialPatternFile& file() const { return file_; }
  const ConditionList& conditions() const { return conditions_; }

 private:
  SpecialPatternFile file_;
  ConditionList conditions_;
};

}  // namespace vessaro
