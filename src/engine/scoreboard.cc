#include "engine/scoreboard.h"

#include "common/format.h"
#include "common/rounding.h"
#include "common/text.h"
#include "engine/outcome_mode.h"

namespace vessaro {

std::string FormatResultCounts(int64_t player, int64_t banker, int64_t ties) {
  const int64_t total = player + banker + ties;
  auto share = [total](int64_t n) -> long long {
    return total == 0 ? 0 : RoundHalfUpRatio(n * 100, total);
  };
  return Format("PLAYER：%lld(%lld%%) BANKER：%lld(%lld%%) TIE：%lld(%lld%%)",
                static_cast<long long>(player), share(player), static_cast<long long>(banker),
                share(banker), static_cast<long long>(ties), share(ties));
}

std::string LastRoundRecord::Text() const {
  if (empty) return {};
  return Format("%s,%d,%d,%lld,%lld,%lld", letter.c_str(), column, row,
                static_cast<long long>(banker), static_cast<long long>(player),
                static_cast<long long>(ties));
}

LastRoundRecord LastRoundRecord::Parse(std::string_view text) {
  LastRoundRecord r;
  SplitResult f = SplitFields(text, 6, ",");
  if (f.count != 6) return r;
  long long v[5];
  for (int i = 0; i < 5; ++i)
    if (!ParseInt64(f.fields[i + 1], v[i]) || v[i] < 0) return r;
  if (v[0] > 1000000000 || v[1] > 1000000000) return r;
  r.empty = false;
  r.letter = f.fields[0];
  r.column = static_cast<int>(v[0]);
  r.row = static_cast<int>(v[1]);
  r.banker = v[2];
  r.player = v[3];
  r.ties = v[4];
  return r;
}

void ResultGrid::Clear() {
  columns_ = kInitialColumns;
  rows_ = kInitialRows;
  cells_.assign(static_cast<size_t>(columns_) * rows_, 0);
  selected_column_ = 0;
  selected_row_ = 0;
  cleared_at_ = ++revision_;
}

char ResultGrid::At(int column, int row) const {
  if (column < 0 || row < 0 || column >= columns_ || row >= rows_) return 0;
  return cells_[static_cast<size_t>(column) * rows_ + row];
}

void ResultGrid::Put(int column, int row, char letter) {
  if (column < 0 || row < 0) return;
  int new_columns = std::max(columns_, column + 1);
  int new_rows = std::max(rows_, row + 1);
  if (new_rows != rows_) {
    std::vector<char> grown(static_cast<size_t>(new_columns) * new_rows, 0);
    for (int c = 0; c < columns_; ++c)
      for (int r = 0; r < rows_; ++r) grown[static_cast<size_t>(c) * new_rows + r] = At(c, r);
    cells_ = std::move(grown);
    rows_ = new_rows;
    columns_ = new_columns;
  } else if (new_columns != columns_) {
    cells_.resize(static_cast<size_t>(new_columns) * rows_, 0);
    columns_ = new_columns;
  }
  cells_[static_cast<size_t>(column) * rows_ + row] = letter;
  ++revision_;
}

namespace {
constexpr std::array<const char*, 6> kPrefixes = {"Normal",  "CryptoLogic", "PlayTech",
                                                  "Tengoku", "Jigoku",      "SuperJigoku"};
}  // namespace

bool IsPlayHistoryFile(const fs::path& file) {
  const std::string name = file.filename().string();
  for (const char* prefix : kPrefixes) {
    const std::string_view p(prefix);
    if (name.size() != p.size() + 12 || name.compare(0, p.size(), p) != 0 || !EndsWith(name, ".txt")) continue;
    if (IsDigits(std::string_view(name).substr(p.size(), 8))) return true;
  }
  return false;
}

fs::path HistoryFilePath(const fs::path& program_folder, std::string_view mode_name,
                         const DateTime& date) {
  auto mode = OutcomeModeFromName(mode_name);
  // Without a valid mode (the forced settings dialog closed unconfirmed) the rounds are unsteered,
  // so they belong with the perfect-probability history.
  const char* prefix = kPrefixes[mode ? static_cast<size_t>(*mode) : 0];
  return program_folder / "history" / (std::string(prefix) + StampDate(date) + ".txt");
}

std::string Scoreboard::RecordResult(char result, bool automatic_run, int64_t round_counter,
                                     int64_t requested_rounds, std::string_view mode_name) {
  Book(result, automatic_run, round_counter, requested_rounds, mode_name);
  return StatisticsLine();
}

void Scoreboard::Book(char result, bool automatic_run, int64_t round_counter, int64_t requested_rounds,
                      std::string_view mode_name) {
  if (record_.empty) {
    record_ = LastRoundRecord{};
    record_.empty = false;
  } else if (grid_ != nullptr) {
    record_.row += 1;
    if (std::string_view(&result, 1) != record_.letter && result != 'T') {
      record_.row = 0;
      record_.column += 1;
    }
  }
  if (grid_ != nullptr) {
    grid_->Put(record_.column, record_.row, result);
    grid_->Select(record_.column, record_.row);
  }
  if (automatic_run) {
    if (result != 'T') history_buffer_.push_back(result);
    if (history_buffer_.size() >= 100 || round_counter == requested_rounds) {
      // The name is made when the line is written, so a run past midnight moves to the new day.
      fs::path path = HistoryFilePath(program_folder_, mode_name, clock_.LocalNow());
      if (path != history_.path()) EnsureFolder(path.parent_path());
      history_.SetPath(std::move(path));
      history_.Append(history_buffer_);
      history_buffer_.clear();
    }
  }
  if (result == 'B') ++record_.banker;
  if (result == 'P') ++record_.player;
  if (result == 'T') ++record_.ties;
  if (result != 'T' && (record_.letter.size() != 1 || record_.letter[0] != result)) record_.letter.assign(1, result);
}

}  // namespace vessaro
