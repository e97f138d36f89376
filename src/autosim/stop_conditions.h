// Profit and loss limits of automatic runs: the dialog's check and the bounds of one run.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/money.h"

namespace vessaro {

namespace stop_texts {
inline constexpr const char* kTitle = "オート実行　終了条件設定";
inline constexpr const char* kBothNeeded =
    "設定を行う場合は利益及び損失の両方を設定の上\r\n0以上の半角数値にしてください";
inline constexpr const char* kRange = "入力できるのは半角数字の1から99999までの整数です";
inline constexpr const char* kNote = "※設定を行わない場合は0または空白にして設定ボタンを押してください。";
}  // namespace stop_texts

// Both 0 (off) or both in 1 to 99999.
struct StopLimits {
  int profit = 0;
  int loss = 0;
  bool on() const { return profit != 0 && loss != 0; }
};

struct StopDialogResult {
  bool accepted = false;
  std::string message;
  StopLimits limits;
};

// "設定": reads both fields (empty or not a number counts as 0) and checks them.
StopDialogResult CheckStopLimits(std::string_view profit_text, std::string_view loss_text);

// The bounds of one run, fixed from its starting balance.
struct StopBounds {
  bool on = false;
  int64_t upper = 0;
  int64_t lower = 0;
  // Below the lower or above the upper bound (the balance truncated to whole units).
  bool Reached(Cents balance) const;
};
StopBounds MakeStopBounds(const StopLimits& limits, Cents starting_balance);

}  // namespace vessaro
