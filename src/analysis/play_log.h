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

// Splits text that arrives in pieces into lines as LogLines does (CR LF, lone LF or lone CR),
// whatever the places the pieces were cut.
class LineSplitter {
 public:
  // Calls on_line for every line the piece completes.
  template <typename OnLine>
  void Feed(std::string_view piece, OnLine&& on_line);
  // The last line, when the text did not end with a line end.
  template <typename OnLine>
  void Finish(OnLine&& on_line) {
    if (!pending_.empty()) on_line(std::string_view(pending_));
    pending_.clear();
    after_cr_ = false;
  }

 private:
  std::string pending_;
  bool after_cr_ = false;  // the last piece ended in CR: an LF starting the next belongs to it
};

// The first line of a file (decoded), read no further than needed; "" for a missing or empty
// file. Raises IoError.
std::string FirstLineOf(const fs::path& file);

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

// The generated log built from a detailed log's lines as they come. Its header needs every record,
// so the lines are given twice: first to Count, then to RoundText.
class GeneratedLogBuilder {
 public:
  // First pass: one line of the detailed log (line numbers count from 1, empty lines included).
  void Count(std::string_view line);
  // The six lines before the rounds, each with its CR LF.
  std::string HeaderText() const;
  // Second pass: the five lines of the line's round with their CR LF; "" for an empty or an
  // unreadable line.
  std::string RoundText(std::string_view line) const;

  int64_t records() const { return records_; }
  int64_t damaged() const { return damaged_; }
  int64_t first_damaged_line() const { return first_damaged_line_; }

 private:
  int64_t lines_ = 0;
  int64_t records_ = 0;
  int64_t damaged_ = 0;
  int64_t first_damaged_line_ = 0;
  Cents start_ = 0;
  Cents end_ = 0;
  __int128 table_bet_ = 0;  // whole units
};

// The InterCasino-format log of a detailed user log's records. Unreadable lines are left out and
// counted; empty lines are skipped.
GeneratedLog GenerateInterCasinoLog(const LogLines& detailed);

// The message shown beside a result when damaged lines of a detailed log were left out.
std::string DamagedRecordsMessage(int64_t damaged, int64_t first_line);

template <typename OnLine>
void LineSplitter::Feed(std::string_view piece, OnLine&& on_line) {
  if (piece.empty()) return;
  size_t start = 0;
  if (after_cr_ && !piece.empty() && piece[0] == '\n') start = 1;
  after_cr_ = false;
  for (size_t i = start; i < piece.size(); ++i) {
    const char c = piece[i];
    if (c != '\r' && c != '\n') continue;
    if (pending_.empty()) {
      on_line(piece.substr(start, i - start));
    } else {
      pending_.append(piece.substr(start, i - start));
      on_line(std::string_view(pending_));
      pending_.clear();
    }
    if (c == '\r') {
      if (i + 1 < piece.size()) {
        if (piece[i + 1] == '\n') ++i;
      } else {
        after_cr_ = true;
      }
    }
    start = i + 1;
  }
  pending_.append(piece.substr(start));
}

}  // namespace vessaro
