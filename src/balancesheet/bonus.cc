#include "balancesheet/bonus.h"

#include "balancesheet/daily_report.h"
#include "balancesheet/sheet_folders.h"
#include "balancesheet/sheet_texts.h"
#include "common/format.h"
#include "common/names.h"
#include "common/rounding.h"
#include "common/text.h"

namespace vessaro {

fs::path BonusFilePath(const fs::path& bonus_folder, std::string_view name) {
  return bonus_folder / (std::string(name) + kBonusSuffix + ".txt");
}

std::vector<std::string> ListBonusNames(const fs::path& bonus_folder) {
  std::vector<std::string> names;
  for (const std::string& file : ListSheetFileNames(bonus_folder)) {
    std::string stem = fs::path(file).stem().string();
    if (Contains(stem, kBonusSuffix)) names.push_back(RemoveAll(stem, kBonusSuffix));
  }
  return names;
}

std::optional<BonusFile> ReadBonusFile(const fs::path& path) {
  if (!FileExists(path)) return std::nullopt;
  BonusFile values;
  bool seen[4] = {};
  for (const std::string& line : ReadTextLines(path)) {
    const size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string_view key = std::string_view(line).substr(0, eq);
    std::string value = line.substr(eq + 1);
    std::string* fields[4] = {&values.condition, &values.bettotal, &values.advance, &values.leftover};
    const char* keys[4] = {"bonuscondition", "bettotal", "advance", "leftover"};
    for (int i = 0; i < 4; ++i) {
      if (key == keys[i] && !seen[i]) {
        seen[i] = true;
        *fields[i] = value;
      }
    }
  }
  return values;
}

void WriteBonusFile(const fs::path& path, std::string_view name, const BonusFile& v) {
  std::string text = Format("bonusname=%s%s.txt\r\n", std::string(name).c_str(), kBonusSuffix);
  text += "bonuscondition=" + v.condition + "\r\n";
  text += "bettotal=" + v.bettotal + "\r\n";
  text += "advance=" + v.advance + "\r\n";
  text += "leftover=" + v.leftover + "\r\n";
  WriteTextFile(path, text);
}

BonusMakeModel::BonusMakeModel(fs::path bonus_folder, Dialogs& dialogs)
    : folder_(std::move(bonus_folder)), dialogs_(dialogs) {}

bool BonusMakeModel::EnterInName() {
  if (Trim(name).empty()) {
    dialogs_.ShowMessage(sheet_text::kBlank, MessageKind::kWarning);
    return false;
  }
  return true;
}

bool BonusMakeModel::EnterInAmount() {
  if (Trim(amount).empty()) {
    dialogs_.ShowMessage(sheet_text::kBlank, MessageKind::kWarning);
    return false;
  }
  return Add();
}

bool BonusMakeModel::Add() {
  const std::string trimmed_name = Trim(name);
  const std::string trimmed_amount = Trim(amount);
  auto refuse = [this](const std::string& message) {
    dialogs_.ShowMessage(message, MessageKind::kWarning);
    return false;
  };
  if (trimmed_name.empty()) return refuse(sheet_text::kEnterBonusName);
  if (!DigitsInRange(trimmed_amount, 1, 100000)) return refuse(sheet_text::kBonusAmountRange);
  if (auto message = CheckNameCharacters(trimmed_name, NameKind::kFile)) return refuse(*message);
  const fs::path path = BonusFilePath(folder_, trimmed_name);
  if (FileExists(path) && !dialogs_.AskYesNo(sheet_text::kBonusExists)) return false;
  // The old file is replaced in one step, so a failed write leaves it as it was.
  WriteBonusFile(path, trimmed_name, {trimmed_amount, "0", "0", trimmed_amount});
  return true;
}

BonusProgressModel::Result BonusProgressModel::Confirm() {
  auto refuse = [this](const char* message, Focus focus, int row) {
    dialogs_.ShowMessage(message, MessageKind::kWarning);
    return Result{std::nullopt, focus, row};
  };
  long long sum = 0;  // bet × rate, in hundredths of the increment
  for (int row = 0; row < kRows; ++row) {
    const std::string rate = Trim(rates[row]);
    const std::string bet = Trim(bets[row]);
    if (!rate.empty()) {
      if (!DigitsInRange(rate, 1, 100)) return refuse(sheet_text::kRateRange, Focus::kRate, row);
      if (bet.empty()) return refuse(sheet_text::kRateAndBetPair, Focus::kBet, row);
    }
    if (!bet.empty()) {
      if (!DigitsInRange(bet, 1, 100000)) return refuse(sheet_text::kBetRange, Focus::kBet, row);
      if (rate.empty()) return refuse(sheet_text::kRateAndBetPair, Focus::kRate, row);
      sum += ToIntDef(bet, 0) * ToIntDef(rate, 0);
    }
  }
  return Result{TruncateRatio(sum, 100), Focus::kNone, 0};
}

BonusProgressTexts AddProgress(std::string_view required, std::string_view wagered, long long increment) {
  const long long need = ToIntDef(Trim(required), 0);
  const long long so_far = ToIntDef(Trim(wagered), 0) + increment;
  const long long rate = need == 0 ? 0 : TruncateRatio(so_far * 100 * (need < 0 ? -1 : 1), need < 0 ? -need : need);
  return {std::to_string(so_far), std::to_string(rate) + "%", std::to_string(need - so_far)};
}

}  // namespace vessaro
