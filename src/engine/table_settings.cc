#include "engine/table_settings.h"

#include "common/format.h"
#include "common/hex.h"
#include "common/text.h"
#include "engine/outcome_mode.h"

namespace vessaro {
namespace {

constexpr std::array<std::string_view, 6> kKeys = {"blance=",       "minimum=",  "maximum=",
                                                   "blancememory=", "sleeptime=", "randommode="};

// Reads the file into its six values (keys removed); nullopt when it is not hexadecimal.
std::optional<std::vector<std::string>> ReadFieldValues(const fs::path& path) {
  auto text = HexDecodeFileText(ReadWholeFile(path));
  if (!text) return std::nullopt;
  SplitResult split = SplitFields(*text, 0, "&");
  std::vector<std::string> values(kKeys.size());
  for (size_t i = 0; i < kKeys.size() && i < split.fields.size(); ++i)
    values[i] = RemoveAll(split.fields[i], kKeys[i]);
  return values;
}

int ParseIntOr(std::string_view text, int fallback) {
  // The range check ignores leading zeros, so the reading must too ("0000000000000000000100").
  while (text.size() > 1 && text[0] == '0') text.remove_prefix(1);
  long long v;
  if (!ParseInt64(text, v) || v < -2147483647 || v > 2147483647) return fallback;
  return static_cast<int>(v);
}

}  // namespace

fs::path RulesPath(const fs::path& program_folder) {
  return program_folder / "System" / "Rules.dat";
}

bool CheckNumberText(std::string_view text, bool allow_fraction, bool allow_minus, long long low,
                     long long high) {
  bool seen_point = false;
  bool negative = false;
  for (size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c >= '0' && c <= '9') continue;
    if (c == '.' && allow_fraction && !seen_point) {
      seen_point = true;
      continue;
    }
    if (c == '-' && allow_minus && i == 0) {
      negative = true;
      continue;
    }
    return false;
  }
  if (low == 0 && high == 0) return true;
  // Read as a number with four fractional digits, in units of 1/10000; further digits are
  // dropped, not rounded (nothing the program writes has more than two).
  std::string_view digits = text.substr(negative ? 1 : 0);
  size_t point = digits.find('.');
  std::string_view whole = digits.substr(0, point);
  std::string_view frac = point == std::string_view::npos ? std::string_view() : digits.substr(point + 1);
  if (whole.empty() && frac.empty()) return false;
  while (whole.size() > 1 && whole[0] == '0') whole.remove_prefix(1);
  if (whole.size() > 13) return false;  // far beyond any bound the system uses
  long long value = 0;
  for (char c : whole) value = value * 10 + (c - '0');
  for (size_t i = 0; i < 4; ++i) value = value * 10 + (i < frac.size() ? frac[i] - '0' : 0);
  if (negative) value = -value;
  return value >= low * 10000 && value <= high * 10000;
}

bool ValidateSettingsFields(const std::vector<std::string>& fields) {
  if (fields.size() != kKeys.size()) return false;
  std::vector<std::string> v(kKeys.size());
  for (size_t i = 0; i < kKeys.size(); ++i) v[i] = RemoveAll(fields[i], kKeys[i]);
  if (!CheckNumberText(v[0], true, false, 1, 1000000)) return false;
  if (!CheckNumberText(v[1], false, false, 1, 10000)) return false;
  if (!CheckNumberText(v[2], false, false, 1, 10000)) return false;
  if (ParseIntOr(v[1], 0) >= ParseIntOr(v[2], 0)) return false;
  if (v[3] != "True" && v[3] != "False") return false;
  if (v[4] != "100" && v[4] != "250" && v[4] != "700") return false;
  // The program writes only the six mode names; anything else is a hand-edited or broken file.
  if (!OutcomeModeFromName(v[5])) return false;
  return true;
}

std::string MakeSettingsText(const TableSettings& s, std::string_view balance_text) {
  return Format("blance=%s&minimum=%d&maximum=%d&blancememory=%s&sleeptime=%d&randommode=%s",
                std::string(balance_text).c_str(), s.minimum, s.maximum,
                FlagToText(s.remember_balance).c_str(), s.deal_interval, s.outcome_mode.c_str());
}

void SaveTableSettings(const fs::path& program_folder, const TableSettings& settings,
                       std::string_view balance_text) {
  EnsureFolder(RulesPath(program_folder).parent_path());
  WriteWholeFile(RulesPath(program_folder), HexEncodeText(MakeSettingsText(settings, balance_text)));
}

namespace {

// A remembered balance outside what the load accepts would make the next start delete the whole
// file, and every other setting with it: one that grew past the top is kept at the top, one
// below 1 (or unreadable) starts again from 5000 as an emptied balance does.
std::string LoadableBalance(const std::string& balance) {
  if (CheckNumberText(balance, true, false, 1, 1000000)) return balance;
  if (!balance.empty() && balance[0] != '0' && CheckNumberText(balance, true, false, 1000000, 9999999999999))
    return "1000000";
  return "5000";
}

// The save moments never replace the file with one the load would refuse (settings that were
// never loaded because the file could not be read, or a forced dialog closed unconfirmed).
void SaveIfLoadable(const fs::path& program_folder, const TableSettings& settings, std::string_view balance) {
  if (!ValidateSettingsFields(SplitFields(MakeSettingsText(settings, balance), 0, "&").fields)) return;
  SaveTableSettings(program_folder, settings, balance);
}

}  // namespace

void SaveSettingsOnClose(const fs::path& program_folder, TableSettings& settings,
                         std::string_view shown_balance) {
  settings.balance_setting = std::string(shown_balance);
  if (!FileExists(RulesPath(program_folder))) return;
  if (settings.balance_setting.empty() || settings.balance_setting[0] == '0')
    settings.balance_setting = "5000";
  if (settings.remember_balance) settings.balance_setting = LoadableBalance(settings.balance_setting);
  SaveIfLoadable(program_folder, settings,
                 settings.remember_balance ? settings.balance_setting : settings.configured_balance);
}

void SaveSettingsBeforeDialog(const fs::path& program_folder, const TableSettings& settings,
                              std::string_view shown_balance) {
  std::string balance;
  if (settings.remember_balance) {
    balance = LoadableBalance(std::string(shown_balance.substr(0, shown_balance.find('.'))));
  } else {
    balance = settings.configured_balance;
  }
  SaveIfLoadable(program_folder, settings, balance);
}

SettingsLoadResult ReadTableSettings(const fs::path& program_folder, TableSettings& settings) {
  const fs::path path = RulesPath(program_folder);
  if (!FileExists(path)) return SettingsLoadResult::kMissing;
  auto text = HexDecodeFileText(ReadWholeFile(path));
  std::vector<std::string> fields;
  if (text) fields = SplitFields(*text, 0, "&").fields;
  if (!text || !ValidateSettingsFields(fields)) return SettingsLoadResult::kInvalid;
  std::vector<std::string> v(kKeys.size());
  for (size_t i = 0; i < kKeys.size(); ++i) v[i] = RemoveAll(fields[i], kKeys[i]);
  settings.balance_setting = v[0];
  settings.configured_balance = v[0];
  settings.minimum = ParseIntOr(v[1], settings.minimum);
  settings.maximum = ParseIntOr(v[2], settings.maximum);
  settings.remember_balance = ToUpperAscii(v[3]) == "TRUE";
  settings.deal_interval = ParseIntOr(v[4], settings.deal_interval);
  settings.outcome_mode = v[5];
  return SettingsLoadResult::kLoaded;
}

SettingsLoadResult LoadTableSettings(const fs::path& program_folder, TableSettings& settings,
                                     Dialogs& dialogs, RuleDialogPort& dialog_port) {
  const fs::path path = RulesPath(program_folder);
  EnsureFolder(path.parent_path());
  SettingsLoadResult result = SettingsLoadResult::kLoaded;
  if (!FileExists(path)) {
    dialogs.ShowMessage(settings_messages::kMissing, MessageKind::kWarning);
    dialog_port.RunRuleDialog(true);
    // A forced dialog closed without confirming leaves no file: the current values stay.
    if (!FileExists(path)) return SettingsLoadResult::kMissing;
    result = SettingsLoadResult::kMissing;
  }
  if (ReadTableSettings(program_folder, settings) == SettingsLoadResult::kInvalid) {
    DeleteFileIfExists(path);
    dialogs.ShowMessage(settings_messages::kInvalid, MessageKind::kWarning);
    dialog_port.RunRuleDialog(true);
    return SettingsLoadResult::kInvalid;
  }
  return result;
}

RuleDialogValues PrepareRuleDialog(const fs::path& program_folder, TableSettings& settings) {
  RuleDialogValues values;
  settings.balance_setting = settings.balance_setting.substr(0, settings.balance_setting.find('.'));
  const fs::path path = RulesPath(program_folder);
  if (!FileExists(path)) return values;
  auto read = ReadFieldValues(path);
  if (!read) return values;  // not hexadecimal: the load reports it; show the defaults
  const std::vector<std::string>& v = *read;
  settings.balance_setting = v[0];
  if (EndsWith(v[0], ".00")) settings.balance_setting = v[0].substr(0, v[0].size() - 3);
  if (EndsWith(v[0], ".50")) settings.balance_setting = v[0].substr(0, v[0].size() - 1);
  settings.minimum = ParseIntOr(v[1], settings.minimum);
  settings.maximum = ParseIntOr(v[2], settings.maximum);
  settings.remember_balance = TextToFlag(v[3]);
  settings.deal_interval = ParseIntOr(v[4], settings.deal_interval);
  settings.outcome_mode = v[5];

  values.speed_index = settings.deal_interval == 700 ? 0 : settings.deal_interval == 100 ? 2 : 1;
  auto mode = OutcomeModeFromName(settings.outcome_mode);
  values.mode_index = mode ? static_cast<int>(*mode) : 0;
  values.balance = settings.balance_setting;
  values.remember = settings.remember_balance;
  values.minimum = std::to_string(settings.minimum);
  values.maximum = std::to_string(settings.maximum);
  return values;
}

RuleDialogResult ConfirmRuleDialog(const fs::path& program_folder, const RuleDialogValues& input,
                                   TableSettings& settings) {
  RuleDialogResult result;
  const std::string balance = Trim(input.balance);
  const std::string minimum = Trim(input.minimum);
  const std::string maximum = Trim(input.maximum);

  bool valid = CheckNumberText(balance, true, false, 1, 1000000);
  if (balance.find('.') != std::string::npos && !EndsWith(balance, ".5")) {
    result.messages.push_back(settings_messages::kHalfOnly);
    valid = false;
  }
  valid = CheckNumberText(minimum, false, false, 1, 10000) && valid;
  valid = CheckNumberText(maximum, false, false, 1, 10000) && valid;
  if (valid && ParseIntOr(minimum, 0) >= ParseIntOr(maximum, 0)) valid = false;
  if (!valid) {
    result.messages.push_back(settings_messages::kInvalidInput);
    return result;
  }
  int speed = input.speed_index >= 0 && input.speed_index < 3 ? input.speed_index : 1;
  int mode = input.mode_index >= 0 && input.mode_index < 6 ? input.mode_index : 0;
  // The table takes the new values only once they are on disk: a failed write leaves both as
  // they were.
  TableSettings confirmed = settings;
  confirmed.balance_setting = balance;
  confirmed.configured_balance = balance;
  confirmed.remember_balance = input.remember;
  confirmed.minimum = ParseIntOr(minimum, settings.minimum);
  confirmed.maximum = ParseIntOr(maximum, settings.maximum);
  confirmed.deal_interval = kSpeedIntervals[speed];
  confirmed.outcome_mode = std::string(kOutcomeModeNames[mode]);
  SaveTableSettings(program_folder, confirmed, balance);
  settings = confirmed;
  result.confirmed = true;
  return result;
}

}  // namespace vessaro
