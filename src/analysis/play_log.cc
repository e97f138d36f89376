#include "analysis/play_log.h"

#include "analysis/analysis_texts.h"
#include "analysis/log_view_model.h"
#include "common/format.h"
#include "common/rounding.h"
#include "common/cp932.h"
#include "common/text.h"
#include "engine/scoreboard.h"

namespace vessaro {
namespace {

// Whole numbers of a detailed record: digits with an optional leading minus, at most a million
// million units, so that sums and payouts stay exact in cents.
constexpr int64_t kMaxRecordUnits = 1'000'000'000'000;

std::optional<int64_t> ReadWhole(std::string_view text, bool allow_negative) {
  long long v = 0;
  if (!ParseInt64(text, v)) return std::nullopt;
  if (v < 0 && !allow_negative) return std::nullopt;
  if (v > kMaxRecordUnits || v < -kMaxRecordUnits) return std::nullopt;
  return v;
}

std::string WholeText(__int128 v) {
  if (v == 0) return "0";
  bool negative = v < 0;
  if (negative) v = -v;
  std::string digits;
  while (v > 0) {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
    v /= 10;
  }
  return negative ? "-" + digits : digits;
}

}  // namespace

LogLines::LogLines(std::string text) : text_(std::move(text)) {
  const size_t n = text_.size();
  size_t start = 0;
  for (size_t i = 0; i < n; ++i) {
    char c = text_[i];
    if (c != '\r' && c != '\n') continue;
    spans_.emplace_back(start, i - start);
    if (c == '\r' && i + 1 < n && text_[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (start < n) spans_.emplace_back(start, n - start);
}

LogLines ReadLogLines(const fs::path& file) {
  if (!IsPlayHistoryFile(file)) return LogLines(ReadTextFile(file));
  // A play history's last line without its line end was torn by a kill during a run's write.
  return LogLines(DecodeFileText(WholeLinesOf(ReadWholeFile(file))));
}

const char* LogKindLabel(LogKind kind) {
  switch (kind) {
    case LogKind::kKindlet: return analysis_texts::kKindKindlet;
    case LogKind::kInterCasino: return analysis_texts::kKindInterCasino;
    case LogKind::kUserSimple: return analysis_texts::kKindUserSimple;
    case LogKind::kUserDetailed: return analysis_texts::kKindUserDetailed;
    case LogKind::kInvalid: break;
  }
  return "";
}

bool IsDetailedLogName(const fs::path& file) {
  const std::string name = file.filename().string();
  return Contains(name, "_user2.txt") || Contains(name, "_merge3.txt");
}

bool IsSimpleLogName(const fs::path& file) { return Contains(file.filename().string(), "_user1.txt"); }

OutcomeSequence ToOutcomeSequence(const LogLines& log) {
  OutcomeSequence out;
  const std::string_view first = log.first();
  if (Contains(first, "ゲーム:")) {
    out.valid = true;
    out.intercasino = true;
    for (size_t i = 1; i < log.size(); ++i) {
      std::string_view line = log[i];
      if (Contains(line, "プレーヤーの勝ち")) {
        out.letters.push_back('P');
      } else if (Contains(line, "バンカーの勝ち")) {
        out.letters.push_back('B');
      }
    }
    return out;
  }
  if (first.find_first_of("BP") == std::string_view::npos) return out;
  out.valid = true;
  for (size_t i = 0; i < log.size(); ++i) out.letters.append(TrimView(log[i]));
  return out;
}

int64_t CountOccurrences(std::string_view sequence, std::string_view pattern) {
  if (pattern.empty()) return 0;
  int64_t count = 0;
  size_t pos = sequence.find(pattern);
  while (pos != std::string_view::npos) {
    ++count;
    pos = sequence.find(pattern, pos + pattern.size());
  }
  return count;
}

std::optional<DetailedRecord> ParseDetailedRecord(std::string_view line) {
  SplitResult split = SplitFields(line, 0, ",");
  if (split.count != 5) return std::nullopt;
  DetailedRecord r;
  auto before = ReadWhole(TrimView(split.fields[0]), true);
  auto stake = ReadWhole(TrimView(split.fields[2]), false);
  auto after = ReadWhole(TrimView(split.fields[4]), true);
  std::string_view result = TrimView(split.fields[3]);
  if (!before || !stake || !after || (result != "勝ち" && result != "負け")) return std::nullopt;
  r.before = UnitsToCents(*before);
  r.side = std::string(TrimView(split.fields[1]));
  r.stake = *stake;
  r.won = result == "勝ち";
  r.after = UnitsToCents(*after);
  r.after_text = std::string(TrimView(split.fields[4]));
  return r;
}

std::string DamagedRecordsMessage(int64_t damaged, int64_t first_line) {
  if (damaged == 0) return {};
  return Format(analysis_texts::kDamagedRecords, static_cast<long long>(damaged), static_cast<long long>(first_line));
}

std::string GeneratedLog::DamageMessage() const { return DamagedRecordsMessage(damaged, first_damaged_line); }

void GeneratedLogBuilder::Count(std::string_view line) {
  ++lines_;
  if (TrimView(line).empty()) return;
  std::optional<DetailedRecord> record = ParseDetailedRecord(line);
  if (!record) {
    if (damaged_++ == 0) first_damaged_line_ = lines_;
    return;
  }
  if (records_++ == 0) start_ = record->before;
  end_ = record->after;
  table_bet_ += record->stake;
}

std::string GeneratedLogBuilder::HeaderText() const {
  std::string text = "ゲーム:Baccarat\r\n";
  text += "ゲーム開始時残高:$" + FormatCents(start_) + "    ゲーム終了時残高:$" + FormatCents(end_) + "\r\n";
  text += "テーブルベット:$" + WholeText(table_bet_) + ".00    ベット数:" + IntText(records_) + "\r\n";
  const Cents net = end_ - start_;
  // A loss as its shortest decimal text: whole units, since records hold whole numbers.
  text += net < 0 ? "結果:-$" + FormatCentsPlain(-net) + ".00\r\n" : "結果:$" + FormatCents(net) + "\r\n";
  text += "\r\n\r\n";
  return text;
}

std::string GeneratedLogBuilder::RoundText(std::string_view line) const {
  if (TrimView(line).empty()) return {};
  std::optional<DetailedRecord> record = ParseDetailedRecord(line);
  if (!record) return {};
  const DetailedRecord& r = *record;
  std::string text;
  text.reserve(128);
  text += r.Winner() == 'P' ? "プレーヤーの勝ち\r\n" : "バンカーの勝ち\r\n";
  text += r.won ? "支払済み: $" + FormatCents(r.after - r.before) + "\r\n" : std::string("支払済み: $0.00\r\n");
  if (!r.won) {
    text += "最終結果: -$" + FormatCents(UnitsToCents(r.stake)) + "\r\n";
  } else if (r.side == "P") {
    text += "最終結果: $" + FormatCents(UnitsToCents(r.stake)) + "\r\n";
  } else {
    text += "最終結果: $" + IntText(RoundHalfEvenRatio(r.stake * 95, 100)) + ".00\r\n";
  }
  text += "新しい残高: $" + r.after_text + ".00\r\n\r\n";
  return text;
}

GeneratedLog GenerateInterCasinoLog(const LogLines& detailed) {
  GeneratedLogBuilder builder;
  for (size_t i = 0; i < detailed.size(); ++i) builder.Count(detailed[i]);
  std::string text = builder.HeaderText();
  text.reserve(text.size() + static_cast<size_t>(builder.records()) * 110);
  for (size_t i = 0; i < detailed.size(); ++i) text += builder.RoundText(detailed[i]);
  GeneratedLog generated;
  generated.records = builder.records();
  generated.damaged = builder.damaged();
  generated.first_damaged_line = builder.first_damaged_line();
  generated.log = LogLines(std::move(text));
  return generated;
}

std::string FirstLineOf(const fs::path& file) {
  if (!FileExists(file)) return {};
  LogTextReader reader(file, IsPlayHistoryFile(file));
  std::string first;
  // A megabyte is far past any first line a log kind is recognised by.
  while (first.size() < (1u << 20)) {
    std::optional<std::string> piece = reader.Next(64 * 1024);
    if (!piece) break;
    const size_t end = piece->find_first_of("\r\n");
    first.append(*piece, 0, end);
    if (end != std::string::npos) break;
  }
  return first;
}

}  // namespace vessaro
