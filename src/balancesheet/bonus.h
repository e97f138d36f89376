// Bonus tracking: one file per bonus in 10_bonus with its required wagering and progress, the
// dialogs "ボーナスの追加" and "ボーナス消化進捗", and the progress arithmetic (exact, truncated
// toward zero).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/files.h"
#include "common/ports.h"

namespace vessaro {

inline constexpr const char* kBonusSuffix = "_bonus";

// 10_bonus/<name>_bonus.txt
fs::path BonusFilePath(const fs::path& bonus_folder, std::string_view name);
// Names of the bonus files: file names without extension holding "_bonus", with it removed.
std::vector<std::string> ListBonusNames(const fs::path& bonus_folder);

struct BonusFile {
  std::string condition;        // "bonuscondition": empty when missing
  std::string bettotal = "0";   // missing reads 0
  std::string advance = "0";
  std::string leftover = "0";
};
// nullopt when the file does not exist.
std::optional<BonusFile> ReadBonusFile(const fs::path& path);
// The five lines "bonusname=<name>_bonus.txt", "bonuscondition=", "bettotal=", "advance=",
// "leftover=", written atomically.
void WriteBonusFile(const fs::path& path, std::string_view name, const BonusFile& values);

// "ボーナスの追加".
class BonusMakeModel {
 public:
  BonusMakeModel(fs::path bonus_folder, Dialogs& dialogs);

  std::string name;    // "登録ボーナス名："
  std::string amount;  // "条件クリアまでの必要賭け金："

  // Enter in the name: true to move on to the amount ("空白です" for an empty name).
  bool EnterInName();
  // Enter in the amount: "空白です" when empty, else as Add.
  bool EnterInAmount();
  // "追加": true when the bonus file was written and the dialog closes.
  bool Add();

 private:
  fs::path folder_;
  Dialogs& dialogs_;
};

// "ボーナス消化進捗": seven rows of a contribution rate (percent) and an amount bet.
class BonusProgressModel {
 public:
  static constexpr int kRows = 7;
  explicit BonusProgressModel(Dialogs& dialogs) : dialogs_(dialogs) {}

  std::array<std::string, kRows> rates;
  std::array<std::string, kRows> bets;

  enum class Focus { kNone, kRate, kBet };
  struct Result {
    std::optional<long long> increment;  // set when the dialog closes with OK
    Focus focus = Focus::kNone;          // the field to focus when refused
    int row = 0;                         // 0-based row of that field
  };
  // "OK": checks the rows in order; the increment is the sum of bet × rate ÷ 100, truncated.
  Result Confirm();

 private:
  Dialogs& dialogs_;
};

// The bonus area after a progress: the shown texts of "現在までの賭け額：", "達成率：" (with "%")
// and "残ベット額：".
struct BonusProgressTexts {
  std::string wagered;
  std::string rate;
  std::string left;
};
BonusProgressTexts AddProgress(std::string_view required, std::string_view wagered, long long increment);

}  // namespace vessaro
