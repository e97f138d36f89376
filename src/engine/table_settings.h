// The table settings: System/Rules.dat (one hexadecimal line of six "&"-joined fields), its
// checks, the three moments it is written, and the rule settings dialog's logic.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/files.h"
#include "common/ports.h"

namespace vessaro {

struct TableSettings {
  std::string balance_setting = "1000.00";     // the balance to start from, as text
  std::string configured_balance = "1000.00";  // written back when the balance is not remembered
  int minimum = 1;
  int maximum = 500;
  bool remember_balance = false;
  int deal_interval = 0;  // ms between dealt cards: 700, 250 or 100
  std::string outcome_mode;
};

namespace settings_messages {
inline constexpr const char* kMissing = "ルール設定ファイルが見つかりません\r\nゲームの初期設定を行ってください";
inline constexpr const char* kInvalid = "ルール設定に誤りがあります\r\nゲームの初期設定を行ってください";
inline constexpr const char* kHalfOnly = "残高に小数点を使う場合は.5のみ有効です";
inline constexpr const char* kInvalidInput = "入力値が不正です";
}  // namespace settings_messages

fs::path RulesPath(const fs::path& program_folder);

// The numeric text check: digits, one "." when a fraction is allowed, a leading "-" when a minus
// is allowed; with bounds other than 0/0 the value (read to four decimals) lies within them.
bool CheckNumberText(std::string_view text, bool allow_fraction, bool allow_minus, long long low,
                     long long high);

// The six raw fields ("blance=..." ... "randommode=...") of a settings text: all valid?
bool ValidateSettingsFields(const std::vector<std::string>& fields);

// "blance=%s&minimum=%d&maximum=%d&blancememory=%s&sleeptime=%d&randommode=%s".
std::string MakeSettingsText(const TableSettings& settings, std::string_view balance_text);

// Writes Rules.dat (replacing it) from the settings and the given "blance=" text.
void SaveTableSettings(const fs::path& program_folder, const TableSettings& settings,
                       std::string_view balance_text);

// Saving when the table closes, from the balance shown at the table.
void SaveSettingsOnClose(const fs::path& program_folder, TableSettings& settings,
                         std::string_view shown_balance);
// Saving before the dialog opens from the settings menu.
void SaveSettingsBeforeDialog(const fs::path& program_folder, const TableSettings& settings,
                              std::string_view shown_balance);

// Opens the rule settings dialog; forced means its cancel command is disabled. Returns whether
// it was confirmed (the dialog has then set the settings and written the file).
class RuleDialogPort {
 public:
  virtual ~RuleDialogPort() = default;
  virtual bool RunRuleDialog(bool forced) = 0;
};

enum class SettingsLoadResult { kLoaded, kMissing, kInvalid };

// Reads and checks Rules.dat into settings, asking nobody: the file stays as it is whatever it
// holds (the command-line runner reports the problem instead).
SettingsLoadResult ReadTableSettings(const fs::path& program_folder, TableSettings& settings);

// Reads and checks Rules.dat into settings. A missing or invalid file is reported with its
// message, an invalid one deleted, and the forced dialog opened.
SettingsLoadResult LoadTableSettings(const fs::path& program_folder, TableSettings& settings,
                                     Dialogs& dialogs, RuleDialogPort& dialog_port);

// What the rule settings dialog shows and returns.
struct RuleDialogValues {
  int speed_index = 1;  // 0 "★　　　　　遅い", 1 "★★", 2 "★★★　　早い"
  int mode_index = 0;   // into kOutcomeModeNames
  std::string balance = "5000";
  bool remember = false;
  std::string minimum = "1";
  std::string maximum = "5000";
};

inline constexpr std::array<const char*, 3> kSpeedNames = {"★　　　　　遅い", "★★", "★★★　　早い"};
inline constexpr std::array<int, 3> kSpeedIntervals = {700, 250, 100};

// The dialog's first display: cuts the in-memory balance before its ".", then takes the file's
// values (without checks) when Rules.dat exists and fills the dialog from them.
RuleDialogValues PrepareRuleDialog(const fs::path& program_folder, TableSettings& settings);

struct RuleDialogResult {
  bool confirmed = false;
  std::vector<std::string> messages;  // to show in order when not confirmed
};

// "設定": checks the typed values; when they are valid, applies them and writes Rules.dat.
RuleDialogResult ConfirmRuleDialog(const fs::path& program_folder, const RuleDialogValues& input,
                                   TableSettings& settings);

}  // namespace vessaro
