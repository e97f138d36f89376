#include "balancesheet/preview_columns.h"

#include <algorithm>

#include "balancesheet/sheet_texts.h"
#include "common/hex.h"
#include "common/text.h"

namespace vessaro {

using F = ReportField;

const std::array<PreviewColumn, kPreviewColumnCount> kPreviewColumns = {{
    {"日付", F::kStartDate},
    {"開始時刻", F::kStartTime},
    {"プレー時間", F::kPlayTime},
    {"プレー場所", F::kPlace},
    {"プレーゲーム", F::kGame},
    {"開始残高", F::kStartBalance},
    {"追加入金", F::kDeposit},
    {"終了残高", F::kEndBalance},
    {"収支", F::kProfit},
    {"出金", F::kWithdrawal},
    {"時給", F::kHourlyRate},
    {"ベット数", F::kBets},
    {"勝ち", F::kWins},
    {"負け", F::kLosses},
    {"引き分け", F::kTies},
    {"トータルベット", F::kTotalBet},
    {"最高ベット", F::kHighestBet},
    {"平均ベット", F::kAverageBet},
    {"ペイアウト", F::kPayout},
    {"最大連勝数", F::kWinStreak},
    {"最大連敗数", F::kLoseStreak},
    {"ゲーム詳細情報", F::kBalanceDetail},
    {"ボーナスプレー", F::kBonusPlay},
    {"ボーナス種別", F::kBonusName},
    {"必要額", F::kBonusRequired},
    {"現在までの賭け額", F::kBonusWagered},
    {"達成率", F::kBonusRate},
    {"残ベット数", F::kBonusLeft},
    {"備考", F::kRemarks},
}};

std::vector<std::string> DefaultColumnNames() {
  std::vector<std::string> names;
  for (const PreviewColumn& c : kPreviewColumns) names.emplace_back(c.name);
  return names;
}

std::string ShownText(std::string_view column_name, const DailyReport& report) {
  for (const PreviewColumn& c : kPreviewColumns) {
    if (column_name != c.name) continue;
    const std::string& value = report[c.field];
    // "True" exactly, as the bonus columns have always compared it.
    const bool bonus = report[F::kBonusPlay] == "True";
    switch (c.field) {
      case F::kBalanceDetail:
        return value.empty() ? std::string() : std::string("ゲーム履歴有");
      case F::kBonusPlay:
        return bonus ? std::string("はい") : std::string();
      case F::kBonusName:
      case F::kBonusRequired:
      case F::kBonusWagered:
      case F::kBonusRate:
      case F::kBonusLeft:
        return bonus ? value : std::string();
      case F::kRemarks:
        return ReplaceAll(value, "<BR>", " ");
      default:
        return value;
    }
  }
  return {};
}

ColumnSettings ReadColumnSettings(const fs::path& file) {
  ColumnSettings settings;
  if (FileExists(file)) {
    auto text = HexDecodeText(Trim(ReadWholeFile(file)));
    if (text && !text->empty()) {
      settings.from_file = true;
      std::string_view rest = *text;
      while (!rest.empty()) {
        const size_t amp = rest.find('&');
        settings.names.emplace_back(rest.substr(0, amp));
        if (amp == std::string_view::npos) break;
        rest.remove_prefix(amp + 1);
      }
      return settings;
    }
    settings.unreadable = true;
  }
  settings.names = DefaultColumnNames();
  return settings;
}

void WriteColumnSettings(const fs::path& file, const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& n : names) text.append(n).append("&");
  EnsureFolder(file.parent_path());
  WriteWholeFile(file, HexEncodeText(text));
}

ColumnDialogModel::ColumnDialogModel(fs::path settings_file) : file_(std::move(settings_file)) {
  if (!FileExists(file_)) WriteColumnSettings(file_, DefaultColumnNames());
  ColumnSettings settings = ReadColumnSettings(file_);
  custom_ = std::move(settings.names);
  unreadable_ = settings.unreadable;
}

namespace {

std::vector<int> SortedRows(std::vector<int> rows, size_t size) {
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  std::erase_if(rows, [size](int r) { return r < 0 || r >= static_cast<int>(size); });
  return rows;
}

}  // namespace

void ColumnDialogModel::AddSelected(const std::vector<int>& default_rows) {
  for (int r : SortedRows(default_rows, kPreviewColumnCount)) custom_.emplace_back(kPreviewColumns[r].name);
}

void ColumnDialogModel::InsertSelected(const std::vector<int>& default_rows,
                                       const std::vector<int>& custom_rows) {
  std::vector<int> targets = SortedRows(custom_rows, custom_.size());
  if (targets.empty()) return;
  std::vector<std::string> names;
  for (int r : SortedRows(default_rows, kPreviewColumnCount)) names.emplace_back(kPreviewColumns[r].name);
  custom_.insert(custom_.begin() + targets.front(), names.begin(), names.end());
}

void ColumnDialogModel::RemoveSelected(const std::vector<int>& custom_rows) {
  std::vector<int> rows = SortedRows(custom_rows, custom_.size());
  for (auto it = rows.rbegin(); it != rows.rend(); ++it) custom_.erase(custom_.begin() + *it);
}

std::optional<std::string> ColumnDialogModel::Confirm() {
  if (custom_.empty()) return std::string(sheet_text::kNeedOneColumn);
  WriteColumnSettings(file_, custom_);
  return std::nullopt;
}

}  // namespace vessaro
