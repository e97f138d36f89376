// The logic of the Ashfinch editor "Kindlet - ベットシステム設定 - Ashfinch ver. 2.1": the unit,
// the three modes' fields with their numbered check, the joined M bands, the files, and the
// trial panel "簡易検証".
#pragma once

#include <array>
#include <string>

#include "common/files.h"
#include "common/ports.h"
#include "systems/ashfinch.h"
#include "systems/folders.h"

namespace vessaro {

// The editable numbers in the order of their check; the message of the first invalid one carries
// -(index + 1).
enum class AshfinchField {
  kUnit,
  kLr1,
  kLr2,
  kLrMin,
  kLrDef,
  kJyokenCount,
  kJyokenLu,
  kJyokenLr,
  kJyokenNbu,
  kJyokenRound,
  kStartX,
  kSuccessX,
  kFailX,
  kFailDefLu,  // the last whole-number field
  kM1,
  kM2,
  kM3,
  kMLow1,
  kMHigh1,
  kMLow2,
  kMHigh2,
  kMLow3,
  kFailDefLr,
};
inline constexpr int kAshfinchFieldCount = 23;
inline constexpr int kAshfinchIntegerFields = 14;

// What the trial panel shows.
struct AshfinchTrialView {
  std::string nbu, lu, lr, round, mode, balance, m, p_units, n_successes;
};

class AshfinchEditorModel {
 public:
  AshfinchEditorModel(fs::path program_folder, Dialogs& dialogs);

  // Fills the list of Ashfinch systems and the ordinary systems P mode may play.
  void Show();

  // --- The unit and the fields of the mode shown.
  AshfinchMode mode() const { return mode_; }
  // Checks every field first; on a refusal the message is shown and the mode stays.
  bool SelectMode(AshfinchMode mode);
  const std::string& field(AshfinchField f) const { return fields_[static_cast<int>(f)]; }
  // Editing C_MHigh1 also sets C_MLow2, and C_MHigh2 sets C_MLow3, so the bands join.
  void SetField(AshfinchField f, std::string text);
  // "モード有効 / 無効"; N mode is always enabled.
  bool enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // "有効" alone for N, "有効" and "無効" for the others.
  std::vector<std::string> EnabledChoices() const;
  // P mode's system, chosen from the ordinary systems.
  const NameChoice& p_systems() const { return p_systems_; }
  void ChoosePSystem(int index);
  const std::string& p_system() const { return p_system_; }

  // --- Files.
  const NameChoice& systems() const { return systems_; }
  void ChooseSystem(int index) { systems_.selected = index; }
  const std::string& name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  bool Save();      // "保存"
  void Load();      // "読み込み": defaults first, then the chosen file
  void Delete();    // "パターン削除"
  void AllClear();  // "オールクリア": unit 5 and every default

  // The settings as last stored from the fields (on a mode switch, a save or a trial "Clear").
  const AshfinchSettings& settings() const { return settings_; }

  // --- Trial panel "簡易検証".
  // "Clear": stores the shown fields, starts the state afresh, balance = unit x 100.
  bool TrialClear();
  // "Win", "Lose", "Tie" (with a "Clear" first the first time).
  bool TrialStep(BetOutcome outcome);
  AshfinchTrialView trial() const;
  Cents trial_balance() const { return trial_balance_; }

 private:
  // Index of the first invalid field, or -1.
  int FirstInvalidField() const;
  bool CheckFields();
  void StoreFields();
  void ShowFields();

  fs::path program_folder_;
  Dialogs& dialogs_;
  AshfinchSettings settings_;
  AshfinchMode mode_ = AshfinchMode::kN;
  std::array<std::string, kAshfinchFieldCount> fields_;
  bool enabled_ = true;
  std::string p_system_;
  NameChoice p_systems_;
  NameChoice systems_;
  std::string name_;

  AshfinchSystem trial_system_;
  bool trial_started_ = false;
  Cents trial_balance_ = 0;
  int trial_card_ = 1;
};

}  // namespace vessaro
