// The running record of results: last-round record, result grid, statistics line, and the play
// history files that automatic runs append to.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/line_appender.h"
#include "common/ports.h"

namespace vessaro {

// "PLAYER：%d(%d%%) BANKER：%d(%d%%) TIE：%d(%d%%)", shares rounded half up.
std::string FormatResultCounts(int64_t player, int64_t banker, int64_t ties);

inline constexpr const char* kEmptyStatisticsLine = "PLAYER：0(0%) BANKER：0(0%) TIE：0(0%)";

// "%s,%d,%d,%d,%d,%d": last non-tie winner, grid column and row, Banker, Player and tie counts.
struct LastRoundRecord {
  bool empty = true;
  std::string letter;
  int column = 0;
  int row = 0;
  int64_t banker = 0;
  int64_t player = 0;
  int64_t ties = 0;

  std::string Text() const;  // "" when empty
  // Reads a record text; an unreadable one reads as empty.
  static LastRoundRecord Parse(std::string_view text);
};

// The bead grid under the table: starts 41 x 5, grows by a column or a row as needed.
class ResultGrid {
 public:
  static constexpr int kInitialColumns = 41;
  static constexpr int kInitialRows = 5;

  ResultGrid() { Clear(); }
  void Clear();
  int columns() const { return columns_; }
  int rows() const { return rows_; }
  char At(int column, int row) const;  // 0 for an empty cell
  void Put(int column, int row, char letter);
  int selected_column() const { return selected_column_; }
  int selected_row() const { return selected_row_; }
  void Select(int column, int row) {
    selected_column_ = column;
    selected_row_ = row;
  }
  // Counts every change, so a view can redraw one new cell instead of the whole grid.
  uint64_t revision() const { return revision_; }
  uint64_t cleared_at() const { return cleared_at_; }

 private:
  int columns_ = kInitialColumns;
  int rows_ = kInitialRows;
  std::vector<char> cells_;  // column-major
  int selected_column_ = 0;
  int selected_row_ = 0;
  uint64_t revision_ = 0;
  uint64_t cleared_at_ = 0;
};

// The history file name of an outcome mode and date: history/<prefix><yyyymmdd>.txt.
fs::path HistoryFilePath(const fs::path& program_folder, std::string_view mode_name,
                         const DateTime& date);

// Books every round; during automatic runs it gathers the winners for the play history.
class Scoreboard {
 public:
  // grid may be null (processing-only runs: column and row stay 0).
  Scoreboard(ResultGrid* grid, const fs::path& program_folder, Clock& clock)
      : grid_(grid), program_folder_(program_folder), clock_(clock) {}

  // Books result letter R and returns the statistics line. During automatic runs the winner is
  // gathered for the history file, which receives a line whenever 100 letters are gathered or
  // the run's last round is booked. May raise IoError from the history file.
  std::string RecordResult(char result, bool automatic_run, int64_t round_counter,
                           int64_t requested_rounds, std::string_view mode_name);
  // The same without making the statistics line (runs without display ask for it at the end).
  void Book(char result, bool automatic_run, int64_t round_counter, int64_t requested_rounds,
            std::string_view mode_name);
  std::string StatisticsLine() const {
    return FormatResultCounts(record_.player, record_.banker, record_.ties);
  }

  const LastRoundRecord& record() const { return record_; }
  std::string RecordText() const { return record_.Text(); }
  void ClearRecord() { record_ = LastRoundRecord{}; }
  // Empties the history buffer (the start of every automatic run); gathered letters are dropped.
  // A new run tries the history file again even if an earlier run failed to write it.
  void ResetHistoryBuffer() {
    history_buffer_.clear();
    history_.ResetFailure();
  }
  const std::string& history_buffer() const { return history_buffer_; }

  // Writes what the history appender holds (at every yield and at the end of a run).
  void FlushHistory() { history_.Flush(); }

 private:
  ResultGrid* grid_;
  fs::path program_folder_;
  Clock& clock_;
  LastRoundRecord record_;
  std::string history_buffer_;
  LineAppender history_;
};

}  // namespace vessaro
