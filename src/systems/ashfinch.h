// The Ashfinch basic system: a progression that stakes from a running count of units lost, in
// three modes (N normal, R recovery, P parlay over an ordinary system). Its parameters, its
// hexadecimal file (and the plain and older forms it still reads), and the evaluation of a run.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/files.h"
#include "common/money.h"
#include "engine/bets.h"
#include "systems/load_status.h"
#include "systems/system_cards.h"

namespace vessaro {

enum class AshfinchMode { kN = 0, kR = 1, kP = 2 };
inline constexpr std::array<const char*, 3> kAshfinchModeLetters = {"N", "R", "P"};

// The parameters of one mode ("Enabled", "C_LR1" ... "C_PSystem" in the file).
struct AshfinchModeConfig {
  bool enabled = true;
  int64_t lr1 = 2;  // if LU < C_LR1 x LR, LR is lowered to LU / C_LR2
  int64_t lr2 = 2;
  int64_t lr_min = 1;  // if 0 < LR < C_LRMin, LR becomes C_LRDef
  int64_t lr_def = 1;
  int64_t jyoken_count = 2;  // how many failure conditions make the mode fail
  int64_t jyoken_lu = 20;
  int64_t jyoken_lr = 4;
  int64_t jyoken_nbu = 8;
  int64_t jyoken_round = 15;
  double m1 = 1.5, m2 = 2, m3 = 2.5;  // multiplier M of the three bands of LR
  double m_low1 = 1, m_high1 = 2, m_low2 = 2, m_high2 = 3, m_low3 = 3;
  int64_t start_x = 3;      // P: starts after this many N successes in a row
  int64_t success_x = 10;   // P: succeeds after gaining this many units
  int64_t fail_x = 10;      // P: fails after losing this many units
  int64_t fail_def_lu = 0;  // P: LU and LR handed to N mode after a failure
  double fail_def_lr = 0;
  std::string p_system = "ベットシステムを選択してください。";  // P: the ordinary system played

  bool operator==(const AshfinchModeConfig&) const = default;
};

struct AshfinchSettings {
  int64_t unit = 5;  // currency amount of one unit
  std::array<AshfinchModeConfig, 3> modes = {AshfinchModeConfig{}, AshfinchModeConfig{},
                                             AshfinchModeConfig{.enabled = false}};
  // Files without an "INFORMATION" section: "CNBU" is M in every step instead of the bands.
  std::optional<double> fixed_m;

  const AshfinchModeConfig& mode(AshfinchMode m) const { return modes[static_cast<int>(m)]; }
  AshfinchModeConfig& mode(AshfinchMode m) { return modes[static_cast<int>(m)]; }
  bool operator==(const AshfinchSettings&) const = default;
};

// An older file's single M ("CNBU") restated as bands that cover every LR a run can reach (LR
// never falls below 0), and fixed_m dropped: what the system stakes stays the same, and the
// editor can save it in the current format without silently switching to the default bands.
void SpreadFixedMultiplier(AshfinchSettings& settings);

// Plain decimals as the file and the editor write them ("1.5", "-2", "3"); nullopt for anything
// else and beyond 10^15 in size, where no stake could follow from them.
std::optional<double> ParseAshfinchDecimal(std::string_view text);
// Shortest plain text that reads back to the same value ("1.5", "2").
std::string AshfinchDecimalText(double value);

// The INI text before encoding: [BETPATTERN] Unit, [INFORMATION] Version=2.1, [N], [R], [P].
std::string MakeAshfinchText(const AshfinchSettings& settings);
// Reads the text of either format. A missing "Unit" or key of the format, or a text where a
// number belongs, fails with a message naming file_label and the key.
LoadStatus ParseAshfinchText(std::string_view text, std::string_view file_label,
                             AshfinchSettings& out);

// The file on disk: the text's code page 932 bytes as upper-case hexadecimal, one line.
void WriteAshfinchFile(const fs::path& path, const AshfinchSettings& settings);
// Decodes the hexadecimal content, or takes the content as plain text when it is not pairs of
// hexadecimal digits. kMissing when there is no file.
LoadStatus ReadAshfinchFile(const fs::path& path, AshfinchSettings& out);

// The evaluation state ("簡易検証" shows it too).
struct AshfinchState {
  AshfinchMode mode = AshfinchMode::kN;
  int64_t nbu = 1;          // next bet in units
  int64_t lu = 0;           // units lost and not yet won back
  double lr = 0;            // divisor of NBU
  double m = 0;             // multiplier
  int64_t round = 0;        // evaluations since the last reset
  int64_t cumulative = 0;   // currency won minus lost since the last full reset
  int64_t r_block = 0;      // units per NBU in R mode
  int64_t n_successes = 0;  // N successes in a row
  int64_t p_gain = 0;       // currency gained in P mode; P units are p_gain / unit

  double PUnits(int64_t unit) const { return unit == 0 ? 0.0 : static_cast<double>(p_gain) / unit; }
};

struct AshfinchStep {
  int next_card = 1;   // the P system's next card while P mode goes on, 1 otherwise
  int64_t result = 0;  // +stake for a win, -stake for a loss, 0 for a tie (currency)
};

// One Ashfinch system for one run: files are read by Load, rounds touch no file.
class AshfinchSystem {
 public:
  // Reads the file and, when P mode is enabled, its ordinary system from the same folder; then
  // starts from a full reset with no N successes.
  LoadStatus Load(const fs::path& path);
  // Starts from given settings (the editor's trial panel); the P system is read from the folder.
  void Start(const AshfinchSettings& settings, const fs::path& betpattern_folder);
  void Release();
  bool loaded() const { return loaded_; }

  // N: NBU x unit; R: NBU x R block x unit; P: the P system's stake of the card.
  StakeResult Bet(Cents balance, int card) const;
  // Updates the state after a round with the balance from before the bet.
  AshfinchStep Next(BetOutcome outcome, Cents balance, int card);

  const AshfinchSettings& settings() const { return settings_; }
  const AshfinchState& state() const { return state_; }

 private:
  int64_t StakeUnits(Cents balance, int card) const;
  void Reset();
  void SmallReset();
  void EnterRecovery();
  bool Failed(const AshfinchModeConfig& p) const;
  double Multiplier(const AshfinchModeConfig& p, double lr) const;

  bool loaded_ = false;
  AshfinchSettings settings_;
  AshfinchState state_;
  LoadedSystem p_system_;
};

// The evaluation operations of runs and replays.
LoadStatus LoadAshfinchSystem(const fs::path& path, AshfinchSystem& system);
StakeResult GetAshfinchBet(const AshfinchSystem& system, Cents balance, int card);
AshfinchStep GetAshfinchNext(AshfinchSystem& system, BetOutcome outcome, Cents balance, int card);
void ReleaseAshfinchSystem(AshfinchSystem& system);

}  // namespace vessaro
