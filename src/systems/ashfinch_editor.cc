#include "systems/ashfinch_editor.h"

#include "common/format.h"
#include "common/names.h"
#include "common/text.h"
#include "systems/editor_common.h"
#include "systems/messages.h"

namespace vessaro {

namespace st = systems_text;

namespace {

using Config = AshfinchModeConfig;

// Fields 1 to 13 (field 0 is the unit, shared by the modes).
int64_t Config::*const kIntegerMembers[kAshfinchIntegerFields] = {nullptr,
                                                                  &Config::lr1,
                                                                  &Config::lr2,
                                                                  &Config::lr_min,
                                                                  &Config::lr_def,
                                                                  &Config::jyoken_count,
                                                                  &Config::jyoken_lu,
                                                                  &Config::jyoken_lr,
                                                                  &Config::jyoken_nbu,
                                                                  &Config::jyoken_round,
                                                                  &Config::start_x,
                                                                  &Config::success_x,
                                                                  &Config::fail_x,
                                                                  &Config::fail_def_lu};
double Config::*const kDecimalMembers[kAshfinchFieldCount - kAshfinchIntegerFields] = {
    &Config::m1,     &Config::m2,      &Config::m3,     &Config::m_low1,     &Config::m_high1,
    &Config::m_low2, &Config::m_high2, &Config::m_low3, &Config::fail_def_lr};

// -999 is refused like a text that is not a number.
constexpr long long kRefusedValue = -999;

std::string IntegerText(int64_t v) { return Format("%lld", static_cast<long long>(v)); }

}  // namespace

AshfinchEditorModel::AshfinchEditorModel(fs::path program_folder, Dialogs& dialogs)
    : program_folder_(std::move(program_folder)),
      dialogs_(dialogs),
      p_systems_{st::kPSystemPrompt, {}, -1},
      systems_{st::kSystemPrompt, {}, -1} {
  ShowFields();
}

void AshfinchEditorModel::Show() {
  GuardFileErrors(dialogs_, [&] {
    systems_.Refill(ListAshfinchNames(program_folder_));
    p_systems_.Refill(ListOrdinarySystemNames(program_folder_));
    p_systems_.Choose(p_system_);
  });
}

void AshfinchEditorModel::SetField(AshfinchField f, std::string text) {
  if (f == AshfinchField::kMHigh1) fields_[static_cast<int>(AshfinchField::kMLow2)] = text;
  if (f == AshfinchField::kMHigh2) fields_[static_cast<int>(AshfinchField::kMLow3)] = text;
  fields_[static_cast<int>(f)] = std::move(text);
}

void AshfinchEditorModel::SetEnabled(bool enabled) {
  enabled_ = mode_ == AshfinchMode::kN || enabled;
}

std::vector<std::string> AshfinchEditorModel::EnabledChoices() const {
  if (mode_ == AshfinchMode::kN) return {st::kEnabledText};
  return {st::kEnabledText, st::kDisabledText};
}

void AshfinchEditorModel::ChoosePSystem(int index) {
  p_systems_.selected = index;
  p_system_ = p_systems_.HasChoice() ? p_systems_.Shown() : std::string(st::kPSystemPrompt);
}

int AshfinchEditorModel::FirstInvalidField() const {
  for (int k = 0; k < kAshfinchFieldCount; ++k) {
    if (k < kAshfinchIntegerFields) {
      long long v;
      if (!ParseInt64(Trim(fields_[k]), v) || v == kRefusedValue) return k;
    } else {
      std::optional<double> v = ParseAshfinchDecimal(fields_[k]);
      if (!v || *v == kRefusedValue) return k;
    }
  }
  return -1;
}

bool AshfinchEditorModel::CheckFields() {
  int invalid = FirstInvalidField();
  if (invalid < 0) return true;
  dialogs_.ShowMessage(Format(st::kInvalidField, -(invalid + 1)), MessageKind::kWarning);
  return false;
}

void AshfinchEditorModel::StoreFields() {
  Config& config = settings_.mode(mode_);
  long long v = 0;
  ParseInt64(Trim(fields_[0]), v);
  settings_.unit = v;
  for (int k = 1; k < kAshfinchIntegerFields; ++k) {
    ParseInt64(Trim(fields_[k]), v);
    config.*kIntegerMembers[k] = v;
  }
  for (int k = kAshfinchIntegerFields; k < kAshfinchFieldCount; ++k)
    config.*kDecimalMembers[k - kAshfinchIntegerFields] =
        ParseAshfinchDecimal(fields_[k]).value_or(0);
  config.enabled = mode_ == AshfinchMode::kN || enabled_;
  config.p_system = p_system_;
}

void AshfinchEditorModel::ShowFields() {
  const Config& config = settings_.mode(mode_);
  fields_[0] = IntegerText(settings_.unit);
  for (int k = 1; k < kAshfinchIntegerFields; ++k)
    fields_[k] = IntegerText(config.*kIntegerMembers[k]);
  for (int k = kAshfinchIntegerFields; k < kAshfinchFieldCount; ++k)
    fields_[k] = AshfinchDecimalText(config.*kDecimalMembers[k - kAshfinchIntegerFields]);
  enabled_ = mode_ == AshfinchMode::kN || config.enabled;
  p_system_ = config.p_system;
  p_systems_.Choose(p_system_);
}

bool AshfinchEditorModel::SelectMode(AshfinchMode mode) {
  if (mode == mode_) return true;
  if (!CheckFields()) return false;
  StoreFields();
  mode_ = mode;
  ShowFields();
  return true;
}

bool AshfinchEditorModel::Save() {
  return GuardFileErrors(dialogs_, [&] {
    auto refuse = [&](const std::string& message) {
      dialogs_.ShowMessage(message, MessageKind::kWarning);
      return false;
    };
    const std::string name = Trim(name_);
    if (name.empty()) return refuse(st::kEnterSystemName);
    if (auto refusal = CheckNameCharacters(name, NameKind::kFile)) return refuse(*refusal);
    if (!CheckFields()) return false;
    StoreFields();
    const Config& parlay = settings_.mode(AshfinchMode::kP);
    if (parlay.enabled) {
      bool listed = false;
      for (const std::string& system : ListOrdinarySystemNames(program_folder_))
        listed |= system == parlay.p_system;
      if (!listed) return refuse(st::kChoosePSystem);
    }
    fs::path path = AshfinchFilePath(program_folder_, name);
    if (FileExists(path) && !dialogs_.AskYesNo(st::kSystemExists)) return false;
    WriteAshfinchFile(path, settings_);
    systems_.AddIfMissing(name);
    dialogs_.ShowMessage(st::kSaved, MessageKind::kInformation);
    return true;
  });
}

void AshfinchEditorModel::Load() {
  settings_ = AshfinchSettings{};
  GuardFileErrors(dialogs_, [&] {
    fs::path path = AshfinchFilePath(program_folder_, systems_.Shown());
    if (!systems_.HasChoice() || !FileExists(path)) {
      dialogs_.ShowMessage(st::kSystemFileMissing, MessageKind::kWarning);
      return;
    }
    AshfinchSettings loaded;
    LoadStatus status = ReadAshfinchFile(path, loaded);
    if (!status.ok()) {
      dialogs_.ShowMessage(status.message, MessageKind::kWarning);
      return;
    }
    SpreadFixedMultiplier(loaded);
    settings_ = loaded;
    name_ = systems_.Shown();
  });
  ShowFields();
}

void AshfinchEditorModel::Delete() {
  GuardFileErrors(dialogs_, [&] {
    if (!systems_.HasChoice()) {
      dialogs_.ShowMessage(st::kChooseSystemToDelete, MessageKind::kWarning);
      return;
    }
    fs::path path = AshfinchFilePath(program_folder_, systems_.Shown());
    if (!FileExists(path)) {
      dialogs_.ShowMessage(st::kSettingsFileMissing, MessageKind::kWarning);
      return;
    }
    if (!DeleteFileIfExists(path)) ThrowIoError(IoAction::kDelete, path);
    systems_.Refill(ListAshfinchNames(program_folder_));
    dialogs_.ShowMessage(st::kDeleted, MessageKind::kInformation);
  });
}

void AshfinchEditorModel::AllClear() {
  settings_ = AshfinchSettings{};
  ShowFields();
  name_.clear();
  systems_.Reset();
}

bool AshfinchEditorModel::TrialClear() {
  if (!CheckFields()) return false;
  StoreFields();
  GuardFileErrors(dialogs_,
                  [&] { trial_system_.Start(settings_, BetPatternFolder(program_folder_)); });
  int64_t units;
  if (__builtin_mul_overflow(settings_.unit, int64_t{100}, &units) ||
      __builtin_mul_overflow(units, int64_t{100}, &trial_balance_))
    trial_balance_ = settings_.unit < 0 ? INT64_MIN : INT64_MAX;
  trial_card_ = 1;
  trial_started_ = true;
  return true;
}

bool AshfinchEditorModel::TrialStep(BetOutcome outcome) {
  if (!trial_started_ && !TrialClear()) return false;
  AshfinchStep step = trial_system_.Next(outcome, trial_balance_, trial_card_);
  trial_card_ = step.next_card;
  Cents change;
  if (__builtin_mul_overflow(step.result, int64_t{100}, &change))
    change = step.result < 0 ? INT64_MIN : INT64_MAX;
  if (__builtin_add_overflow(trial_balance_, change, &trial_balance_))
    trial_balance_ = change < 0 ? INT64_MIN : INT64_MAX;
  return true;
}

AshfinchTrialView AshfinchEditorModel::trial() const {
  const AshfinchState& s = trial_system_.state();
  AshfinchTrialView v;
  v.nbu = IntegerText(s.nbu);
  v.lu = IntegerText(s.lu);
  v.lr = AshfinchDecimalText(s.lr);
  v.round = IntegerText(s.round);
  v.mode = kAshfinchModeLetters[static_cast<int>(s.mode)];
  v.balance = FormatCents(trial_balance_);
  v.m = AshfinchDecimalText(s.m);
  v.p_units = AshfinchDecimalText(s.PUnits(trial_system_.settings().unit));
  v.n_successes = IntegerText(s.n_successes);
  return v;
}

}  // namespace vessaro
