// Play logs as the training analysis reads them: the four kinds and how a file is recognised, the
// outcome sequence of any log (P and B, ties left out), the InterCasino-format log generated from
// a detailed user log, and the non-overlapping count of a pattern. Everything stays in memory.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/files.h"
#include "common/money.h"

namespace vessaro {

// A log's text (UTF-8) with its lines, split at CR LF, lone LF or lone CR.
class LogLines {
 public:
  LogLines() = default;
  explicit LogLines(std::string text);

  size_t size() const { return spans_.size(); }
  bool empty() const { return spans_.empty(); }
  std::string_view operator[](size_t i) const {
    return std::string_view(text_).substr(spans_[i].first, spans_[i].second);
  }
  // The first line, or "" for an empty text.
  std::string_view first() const { return empty() ? std::string_view() : (*this)[0]; }

 private:
  std::string text_;
  std::vector<std::pair<size_t, size_t>> spans_;  // offset and length of each line
};

// The file through the code page; a missing file reads as no lines. Raises IoError.
LogLines ReadLogLines(const fs::path& file);

enum class LogKind { kInvalid, kKindlet, kInterCasino, kUserSimple, kUserDetailed };

// "Kindlet", "インターカジノ", "ユーザ簡易作成", "ユーザ詳細作成"; "" for kInvalid.
const char* LogKindLabel(LogKind kind);

// A detailed user log, or a merge of detailed logs: always read through its generated log.
bool IsDetailedLogName(const fs::path& file);
bool IsSimpleLogName(const fs::path& file);

struct OutcomeSequence {
  bool valid = false;
  bool intercasino = false;  // read from winner lines
  std::string letters;       // the lines joined in order, blanks around each line removed
  int64_t rounds() const { return static_cast<int64_t>(letters.size()); }
};

// An InterCasino-format log (first line holds "ゲーム:") gives one letter per Player or Banker
// winner line; a log whose first line holds "P" or "B" is an outcome sequence itself; anything
// else is invalid.
OutcomeSequence ToOutcomeSequence(const LogLines& log);

// Occurrences of pattern scanning from the left, each counted one continuing after its last
// letter, so they never overlap (PP in PPPPP counts 2). An empty pattern counts 0.
int64_t CountOccurrences(std::string_view sequence, std::string_view pattern);

// One line of a detailed user log: balance before, side, stake, "勝ち"/"負け", balance after.
struct DetailedRecord {
  Cents before = 0;
  std::string side;
  int64_t stake = 0;  // whole units
  bool won = false;
  Cents after = 0;
  std::string after_text;  // as written
  // Player for (P, 勝ち) and (B, 負け), Banker for every other record.
  char Winner() const {
    return (side == "P" && won) || (side == "B" && !won) ? 'P' : 'B';
  }
};

// Five comma-separated fields with whole-number balances and stake; nullopt for anything else.
std::optional<DetailedRecord> ParseDetailedRecord(std::string_view line);

struct GeneratedLog {
  LogLines log;
  int64_t records = 0;
  int64_t damaged = 0;             // non-empty lines that are not readable records
  int64_t first_damaged_line = 0;  // 1-based line number of the first of them
  // The message to show beside a result when lines were left out; "" when none were.
  std::string DamageMessage() const;
};

// The InterCasino-format log of a detailed user log's records. Unreadable lines are left out and
// counted; empty lines are skipped.
GeneratedLog GenerateInterCasinoLog(const LogLines& detailed);

}  // namespace vessaro
