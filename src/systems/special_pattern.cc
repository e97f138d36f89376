#include "systems/special_pattern.h"

#include <charconv>

#include "common/files.h"
#include "common/format.h"
#include "common/text.h"
#include "systems/card_deck.h"
#include "systems/folders.h"
#include "systems/messages.h"
#include "systems/pattern_cards.h"

namespace vessaro {
namespace {

constexpr const char* kFaceKind = "FACE";
constexpr const char* kFaceFileSuffix = "_facepattern.txt";

// Blank-separated parts; runs of blanks count as one separator.
std::vector<std::string_view> BlankParts(std::string_view line) {
  std::vector<std::string_view> parts;
  size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    size_t start = i;
    while (i < line.size() && line[i] != ' ') ++i;
    if (i > start) parts.push_back(line.substr(start, i - start));
  }
  return parts;
}

int SmallNumber(std::string_view text) {
  int value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  return ec == std::errc() && end == text.data() + text.size() ? value : 0;
}

BetSide Opposite(BetSide side) {
  return side == BetSide::kPlayer   ? BetSide::kBanker
         : side == BetSide::kBanker ? BetSide::kPlayer
                                    : BetSide::kNone;
}

}  // namespace

SpecialPatternFile ParseSpecialPatternText(std::string_view text) {
  SpecialPatternFile file;
  bool seen[6] = {};
  for (const std::string& line : SplitLines(text)) {
    size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    std::string key = Trim(std::string_view(line).substr(0, eq));
    std::string value = Trim(std::string_view(line).substr(eq + 1));
    int slot = -1;
    if (EqualsIgnoreCase(key, "mode"))
      slot = 0;
    else if (EqualsIgnoreCase(key, "otherbets"))
      slot = 1;
    else if (EqualsIgnoreCase(key, "select"))
      slot = 2;
    else if (EqualsIgnoreCase(key, "checked1"))
      slot = 3;
    else if (EqualsIgnoreCase(key, "checked2"))
      slot = 4;
    else if (EqualsIgnoreCase(key, "checked3"))
      slot = 5;
    if (slot < 0 || seen[slot]) continue;
    seen[slot] = true;
    switch (slot) {
      case 0:
        file.mode = std::move(value);
        break;
      case 1:
        file.otherbets = std::move(value);
        break;
      case 2:
        file.select = std::move(value);
        break;
      default:
        file.checked[slot - 3] = std::move(value);
        break;
    }
  }
  return file;
}

std::string MakeSpecialPatternText(const SpecialPatternDefinition& d) {
  const bool fixed = d.strategy == SpecialPatternDefinition::Strategy::kFixed;
  std::string out = Format("mode=%d\r\notherbets=%s\r\n", fixed ? 0 : 1, d.otherbets.c_str());
  if (fixed) return out + Format("select=%d\r\n", d.select);
  int key = 0;
  for (int priority = 1; priority <= 2; ++priority) {
    const SpecialPatternDefinition::Streak& s = d.streaks[priority - 1];
    if (s.enabled) out += Format("checked%d=%d,%d,\r\n", ++key, priority, s.run_length);
  }
  if (d.face_enabled)
    out +=
        Format("checked%d=3,%s%s,%s\r\n", ++key, d.face_list.c_str(), kFaceFileSuffix, kFaceKind);
  return out;
}

SpecialPatternDefinition DefinitionFromFile(const SpecialPatternFile& file) {
  SpecialPatternDefinition d;
  d.strategy = file.mode == "1" ? SpecialPatternDefinition::Strategy::kCondition
                                : SpecialPatternDefinition::Strategy::kFixed;
  d.otherbets = file.otherbets;
  int select = ReadCardNumber(file.select).value_or(0);
  d.select = select >= 1 && select <= 4 ? select : 1;
  for (const std::optional<std::string>& entry : file.checked) {
    if (!entry) continue;
    CardFields f = SplitCardValue(*entry);
    if (f.lose == kFaceKind) {
      d.face_enabled = true;
      d.face_list = EndsWith(f.win, kFaceFileSuffix)
                        ? f.win.substr(0, f.win.size() - std::string_view(kFaceFileSuffix).size())
                        : f.win;
      continue;
    }
    int priority = ReadCardNumber(f.first).value_or(0);
    if (priority == 1 || priority == 2) {
      d.streaks[priority - 1].enabled = true;
      d.streaks[priority - 1].run_length = ReadCardNumber(f.win).value_or(0);
    }
  }
  return d;
}

std::string MakeFaceLine(std::string_view sequence, std::string_view side) {
  return std::string(sequence) + systems_text::kFaceLineMiddle + std::string(side) +
         systems_text::kFaceLineEnd;
}

FaceLineParts SplitFaceLine(std::string_view line) {
  std::vector<std::string_view> parts = BlankParts(line);
  FaceLineParts out;
  if (!parts.empty()) out.sequence = std::string(parts[0]);
  if (parts.size() >= 3) out.side = std::string(parts[2]);
  return out;
}

std::vector<std::string> ReadFaceListLines(const fs::path& path) {
  std::vector<std::string> lines;
  for (std::string& line : ReadTextLines(path))
    if (!Trim(line).empty()) lines.push_back(std::move(line));
  return lines;
}

void WriteFaceListFile(const fs::path& path, const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  EnsureFolder(path.parent_path());
  WriteTextFile(path, text);
}

LoadStatus LoadFaceConditions(const SpecialPatternFile& file, const fs::path& program_folder,
                              std::string_view file_label, ConditionList& out) {
  out.clear();
  size_t total = 0;
  auto add = [&](std::string sequence, BetSide side) {
    if (++total <= kMaxConditionPairs) out.push_back(FaceCondition{std::move(sequence), side});
  };
  const std::string label(file_label);
  for (size_t k = 0; k < file.checked.size(); ++k) {
    if (!file.checked[k]) continue;
    CardFields f = SplitCardValue(*file.checked[k]);
    if (f.lose == kFaceKind) {
      // Only the file name counts: a hand-edited path must not reach outside the folder.
      fs::path list = FacePatternFolder(program_folder) / FileNamePart(f.win);
      if (FileNamePart(f.win).empty() || !FileExists(list))
        return LoadStatus::Missing(systems_text::kFaceFileMissing);
      for (const std::string& line : ReadFaceListLines(list)) {
        FaceLineParts parts = SplitFaceLine(line);
        add(std::move(parts.sequence), SideOfLetter(parts.side));
      }
      continue;
    }
    int priority = ReadCardNumber(f.first).value_or(0);
    if (priority != 1 && priority != 2) continue;
    std::optional<int> run = ReadCardNumber(f.win);
    if (!run || *run < 1)
      return LoadStatus::Invalid(Format(systems_text::kSpecialFileBroken, label.c_str(),
                                        Format("checked%zu", k + 1).c_str()));
    // A run longer than the history can never match; one letter more keeps it so, in bounded
    // memory.
    size_t length = std::min<size_t>(static_cast<size_t>(*run), kResultHistoryLength + 1);
    const bool against = priority == 1;
    add(std::string(length, 'P'), against ? BetSide::kBanker : BetSide::kPlayer);
    add(std::string(length, 'B'), against ? BetSide::kPlayer : BetSide::kBanker);
  }
  if (total > kMaxConditionPairs) {
    out.clear();
    return LoadStatus::Invalid(Format(systems_text::kTooManyConditions, total, label.c_str()));
  }
  return LoadStatus::Ok();
}

BetSide GetFaceSide(std::string_view mode, std::string_view select, std::string_view otherbets,
                    const ConditionList& conditions, const LastRoundRecord& record,
                    std::string_view history) {
  const BetSide fallback = SideOfLetter(otherbets);
  if (record.empty || history.empty()) return fallback;
  if (mode == "0") {
    const BetSide last = SideOfLetter(record.letter);
    switch (SmallNumber(select)) {
      case 1:
        return last == BetSide::kNone ? fallback : Opposite(last);
      case 2:
        return last == BetSide::kNone ? fallback : last;
      case 3:
        if (record.banker < record.player) return BetSide::kPlayer;
        if (record.banker > record.player) return BetSide::kBanker;
        return fallback;
      case 4:
        if (record.banker < record.player) return BetSide::kBanker;
        if (record.banker > record.player) return BetSide::kPlayer;
        return fallback;
      default:
        return fallback;
    }
  }
  if (mode == "1") {
    for (const FaceCondition& c : conditions) {
      if (c.sequence.size() <= history.size() && EndsWith(history, c.sequence))
        return c.side == BetSide::kNone ? fallback : c.side;
    }
  }
  return fallback;
}

LoadStatus LoadedSpecialPattern::Load(const fs::path& path, const fs::path& program_folder) {
  file_ = SpecialPatternFile{};
  conditions_.clear();
  if (!FileExists(path)) return LoadStatus::Missing(systems_text::kPatternFileMissing);
  file_ = ParseSpecialPatternText(ReadTextFile(path));
  if (file_.mode != "1") return LoadStatus::Ok();
  return LoadFaceConditions(file_, program_folder, path.filename().string(), conditions_);
}

}  // namespace vessaro
