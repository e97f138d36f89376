#include "systems/ashfinch.h"

#include <charconv>
#include <cmath>
#include <limits>

#include "common/cp932.h"
#include "common/format.h"
#include "common/hex.h"
#include "common/ini.h"
#include "common/rounding.h"
#include "common/text.h"
#include "systems/messages.h"

namespace vessaro {
namespace {

using Config = AshfinchModeConfig;

constexpr double kDecimalLimit = 1e15;
// Unit counts computed from a quotient are held within this bound, far above any stake a table
// takes, so a runaway progression saturates instead of overflowing.
constexpr double kCountLimit = 1e15;
constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();
constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();

int64_t SatAdd(int64_t a, int64_t b) {
  int64_t r;
  if (!__builtin_add_overflow(a, b, &r)) return r;
  return b > 0 ? kInt64Max : kInt64Min;
}

int64_t SatMul(int64_t a, int64_t b) {
  int64_t r;
  if (!__builtin_mul_overflow(a, b, &r)) return r;
  return (a < 0) != (b < 0) ? kInt64Min : kInt64Max;
}

int64_t SatNeg(int64_t a) { return a == kInt64Min ? kInt64Max : -a; }

// Rounds halves to even within the count bound; nullopt when the value is not a number.
std::optional<int64_t> RoundCount(double value) {
  if (std::isnan(value)) return std::nullopt;
  if (value > kCountLimit) value = kCountLimit;
  if (value < -kCountLimit) value = -kCountLimit;
  return RoundHalfEven(value);
}

struct Key {
  const char* name;
  bool Config::*flag = nullptr;
  int64_t Config::*integer = nullptr;
  double Config::*decimal = nullptr;
  std::string Config::*text = nullptr;
};

// The keys of a mode section, in the order they are written.
const Key kModeKeys[] = {
    {"Enabled", &Config::enabled},
    {"C_LR1", nullptr, &Config::lr1},
    {"C_LR2", nullptr, &Config::lr2},
    {"C_LRMin", nullptr, &Config::lr_min},
    {"C_LRDef", nullptr, &Config::lr_def},
    {"C_JyokenCount", nullptr, &Config::jyoken_count},
    {"C_JyokenLU", nullptr, &Config::jyoken_lu},
    {"C_JyokenLR", nullptr, &Config::jyoken_lr},
    {"C_JyokenNBU", nullptr, &Config::jyoken_nbu},
    {"C_JyokenRound", nullptr, &Config::jyoken_round},
    {"C_M1", nullptr, nullptr, &Config::m1},
    {"C_M2", nullptr, nullptr, &Config::m2},
    {"C_M3", nullptr, nullptr, &Config::m3},
    {"C_MLow1", nullptr, nullptr, &Config::m_low1},
    {"C_MHigh1", nullptr, nullptr, &Config::m_high1},
    {"C_MLow2", nullptr, nullptr, &Config::m_low2},
    {"C_MHigh2", nullptr, nullptr, &Config::m_high2},
    {"C_MLow3", nullptr, nullptr, &Config::m_low3},
    {"C_StartX", nullptr, &Config::start_x},
    {"C_SuccessX", nullptr, &Config::success_x},
    {"C_FailX", nullptr, &Config::fail_x},
    {"C_FailDefLU", nullptr, &Config::fail_def_lu},
    {"C_FailDefLR", nullptr, nullptr, &Config::fail_def_lr},
    {"C_PSystem", nullptr, nullptr, nullptr, &Config::p_system},
};

// The keys of files without "INFORMATION", all in section BETPATTERN and shared by every mode.
const Key kOldKeys[] = {
    {"CLR1", nullptr, &Config::lr1},
    {"CLR2", nullptr, &Config::lr2},
    {"CLRMin", nullptr, &Config::lr_min},
    {"CLRDef", nullptr, &Config::lr_def},
    {"CJyokenCount", nullptr, &Config::jyoken_count},
    {"CJyokenLU", nullptr, &Config::jyoken_lu},
    {"CJyokenLR", nullptr, &Config::jyoken_lr},
    {"CJyokenNBU", nullptr, &Config::jyoken_nbu},
    {"CJyokenRound", nullptr, &Config::jyoken_round},
};

constexpr const char* kMainSection = "BETPATTERN";
constexpr const char* kInformationSection = "INFORMATION";

std::optional<int64_t> ParseInteger(std::string_view text) {
  long long v;
  if (!ParseInt64(Trim(text), v)) return std::nullopt;
  return static_cast<int64_t>(v);
}

// Reads one key into the config; false when it is missing or not of its type.
bool ReadKey(const IniDocument& doc, std::string_view section, const Key& key, Config& config) {
  if (!doc.HasKey(section, key.name)) return false;
  std::string value = doc.Get(section, key.name);
  if (key.flag) {
    config.*key.flag = TextToFlag(value);
  } else if (key.integer) {
    std::optional<int64_t> v = ParseInteger(value);
    if (!v) return false;
    config.*key.integer = *v;
  } else if (key.decimal) {
    std::optional<double> v = ParseAshfinchDecimal(value);
    if (!v) return false;
    config.*key.decimal = *v;
  } else {
    config.*key.text = value;
  }
  return true;
}

LoadStatus Unreadable(std::string_view label, std::string_view key) {
  return LoadStatus::Invalid(Format(systems_text::kAshfinchUnreadable, std::string(label).c_str(),
                                    std::string(key).c_str()));
}

}  // namespace

std::optional<double> ParseAshfinchDecimal(std::string_view text) {
  std::string trimmed = Trim(text);
  std::string_view s = trimmed;
  std::string_view body = s;
  if (!body.empty() && body[0] == '-') body.remove_prefix(1);
  size_t dot = body.find('.');
  std::string_view whole = body.substr(0, dot);
  std::string_view fraction =
      dot == std::string_view::npos ? std::string_view() : body.substr(dot + 1);
  if (whole.empty() && fraction.empty()) return std::nullopt;
  for (char c : whole)
    if (c < '0' || c > '9') return std::nullopt;
  for (char c : fraction)
    if (c < '0' || c > '9') return std::nullopt;
  double value = 0;
  auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value, std::chars_format::fixed);
  if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(value)) return std::nullopt;
  if (std::fabs(value) > kDecimalLimit) return std::nullopt;
  return value == 0 ? 0.0 : value;  // no "-0"
}

std::string AshfinchDecimalText(double value) {
  if (value == 0 || !std::isfinite(value)) value = 0;
  char buf[512];
  auto [end, ec] = std::to_chars(buf, buf + sizeof(buf), value, std::chars_format::fixed);
  return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

std::string MakeAshfinchText(const AshfinchSettings& settings) {
  IniDocument doc;
  doc.Set(kMainSection, "Unit", Format("%lld", static_cast<long long>(settings.unit)));
  doc.Set(kInformationSection, "Version", "2.1");
  for (int m = 0; m < 3; ++m) {
    const Config& config = settings.modes[m];
    const char* section = kAshfinchModeLetters[m];
    for (const Key& key : kModeKeys) {
      std::string value;
      if (key.flag)
        value = FlagToText(config.*key.flag);
      else if (key.integer)
        value = Format("%lld", static_cast<long long>(config.*key.integer));
      else if (key.decimal)
        value = AshfinchDecimalText(config.*key.decimal);
      else
        value = config.*key.text;
      doc.Set(section, key.name, value);
    }
  }
  return doc.Serialize();
}

LoadStatus ParseAshfinchText(std::string_view text, std::string_view file_label,
                             AshfinchSettings& out) {
  IniDocument doc = IniDocument::Parse(text);
  AshfinchSettings settings;
  if (!doc.HasKey(kMainSection, "Unit")) return Unreadable(file_label, "Unit");
  std::optional<int64_t> unit = ParseInteger(doc.Get(kMainSection, "Unit"));
  if (!unit) return Unreadable(file_label, "Unit");
  settings.unit = *unit;
  if (doc.HasSection(kInformationSection)) {
    for (int m = 0; m < 3; ++m) {
      const char* section = kAshfinchModeLetters[m];
      for (const Key& key : kModeKeys)
        if (!ReadKey(doc, section, key, settings.modes[m]))
          return Unreadable(file_label, Format("[%s] %s", section, key.name));
    }
  } else {
    if (!doc.HasKey(kMainSection, "CNBU")) return Unreadable(file_label, "CNBU");
    std::optional<double> m = ParseAshfinchDecimal(doc.Get(kMainSection, "CNBU"));
    if (!m) return Unreadable(file_label, "CNBU");
    settings.fixed_m = *m;
    for (const Key& key : kOldKeys)
      if (!ReadKey(doc, kMainSection, key, settings.modes[0]))
        return Unreadable(file_label, key.name);
    settings.modes[0].enabled = true;
    settings.modes[1] = settings.modes[0];
    settings.modes[2] = settings.modes[0];
    settings.modes[2].enabled = false;
  }
  out = std::move(settings);
  return LoadStatus::Ok();
}

void WriteAshfinchFile(const fs::path& path, const AshfinchSettings& settings) {
  EnsureFolder(path.parent_path());
  WriteWholeFile(path, HexEncodeText(MakeAshfinchText(settings)));
}

LoadStatus ReadAshfinchFile(const fs::path& path, AshfinchSettings& out) {
  const std::string label = path.filename().string();
  if (!FileExists(path)) return LoadStatus::Missing(systems_text::kSystemFileMissing);
  std::string bytes = ReadWholeFile(path);
  // A line end added by a text editor does not make the hexadecimal content plain text.
  std::string content = Trim(bytes);
  std::optional<std::string> decoded;
  if (!content.empty() && content.size() % 2 == 0) decoded = HexDecodeBytes(content);
  std::string text = decoded ? DecodeFileText(*decoded) : DecodeFileText(bytes);
  return ParseAshfinchText(text, label, out);
}

LoadStatus AshfinchSystem::Load(const fs::path& path) {
  Release();
  AshfinchSettings settings;
  LoadStatus status = ReadAshfinchFile(path, settings);
  if (!status.ok()) return status;
  Start(settings, path.parent_path());
  return status;
}

void AshfinchSystem::Start(const AshfinchSettings& settings, const fs::path& betpattern_folder) {
  settings_ = settings;
  const Config& p = settings_.mode(AshfinchMode::kP);
  if (p.enabled) {
    // Only the name counts, so a hand-edited path cannot lead outside the folder.
    p_system_.Load(betpattern_folder / (FileNamePart(p.p_system) + "_syspattern.txt"));
  } else {
    p_system_.Assign(std::vector<CardFields>(kSystemCardCount));
  }
  state_ = AshfinchState{};
  Reset();
  loaded_ = true;
}

void AshfinchSystem::Release() {
  loaded_ = false;
  settings_ = AshfinchSettings{};
  state_ = AshfinchState{};
  p_system_.Assign({});
}

void AshfinchSystem::Reset() {
  state_.cumulative = 0;
  state_.mode = AshfinchMode::kN;
  state_.r_block = 0;
  state_.m = 0;
  state_.p_gain = 0;
  SmallReset();
}

void AshfinchSystem::SmallReset() {
  state_.nbu = 1;
  state_.lu = 0;
  state_.lr = 0;
  state_.round = 0;
}

void AshfinchSystem::EnterRecovery() {
  state_.mode = AshfinchMode::kR;
  // A block of LU / 0 cannot be computed; one unit per NBU is the sound fallback.
  std::optional<int64_t> block;
  if (state_.lr != 0) block = RoundCount(static_cast<double>(state_.lu) / state_.lr);
  state_.r_block = block.value_or(1);
  SmallReset();
}

bool AshfinchSystem::Failed(const Config& p) const {
  int64_t count = 0;
  count += state_.lu > p.jyoken_lu;
  count += state_.lr > static_cast<double>(p.jyoken_lr);
  count += state_.nbu > p.jyoken_nbu;
  count += state_.round > p.jyoken_round;
  return count >= p.jyoken_count;
}

void SpreadFixedMultiplier(AshfinchSettings& settings) {
  if (!settings.fixed_m) return;
  for (AshfinchModeConfig& c : settings.modes) {
    c.m1 = c.m2 = c.m3 = *settings.fixed_m;
    c.m_low1 = 0;
    c.m_low2 = c.m_high1;  // joined, as the editor keeps them
    c.m_low3 = c.m_high2;
  }
  settings.fixed_m.reset();
}

double AshfinchSystem::Multiplier(const Config& p, double lr) const {
  if (settings_.fixed_m) return *settings_.fixed_m;
  if (p.m_low1 <= lr && lr < p.m_high1) return p.m1;
  if (p.m_low2 <= lr && lr < p.m_high2) return p.m2;
  if (lr >= p.m_low3) return p.m3;
  return 2;
}

int64_t AshfinchSystem::StakeUnits(Cents balance, int card) const {
  switch (state_.mode) {
    case AshfinchMode::kN:
      return SatMul(state_.nbu, settings_.unit);
    case AshfinchMode::kR:
      return SatMul(SatMul(state_.nbu, state_.r_block), settings_.unit);
    case AshfinchMode::kP: {
      long long v;
      return ParseInt64(p_system_.StakeFor(card, balance).stake, v) ? v : 0;
    }
  }
  return 0;
}

StakeResult AshfinchSystem::Bet(Cents balance, int card) const {
  if (state_.mode == AshfinchMode::kP) return p_system_.StakeFor(card, balance);
  char buf[24];
  auto [end, ec] = std::to_chars(buf, buf + sizeof(buf), StakeUnits(balance, card));
  return {std::string(buf, end), {}};
}

AshfinchStep AshfinchSystem::Next(BetOutcome outcome, Cents balance, int card) {
  AshfinchStep step;
  const AshfinchMode mode = state_.mode;
  const Config& p = settings_.mode(mode);
  state_.round = SatAdd(state_.round, 1);
  const int64_t stake = StakeUnits(balance, card);
  step.result = outcome == BetOutcome::kWin    ? stake
                : outcome == BetOutcome::kLoss ? SatNeg(stake)
                                               : 0;
  state_.cumulative = SatAdd(state_.cumulative, step.result);

  if (mode == AshfinchMode::kP) {
    state_.p_gain = SatAdd(state_.p_gain, step.result);
    const double p_units = state_.PUnits(settings_.unit);
    if (p_units > 0 && p_units >= static_cast<double>(p.success_x)) {
      Reset();
      step.next_card = 1;
    } else if (p_units < 0 && -p_units >= static_cast<double>(p.fail_x)) {
      Reset();
      step.next_card = 1;
      state_.lu = p.fail_def_lu;
      state_.lr = p.fail_def_lr;
      if (Failed(settings_.mode(AshfinchMode::kN))) EnterRecovery();
      state_.m = Multiplier(p, state_.lr);
      std::optional<int64_t> nbu;
      if (state_.lr != 0) nbu = RoundCount(static_cast<double>(state_.lu) / state_.lr * state_.m);
      state_.nbu = nbu && *nbu != 0 ? *nbu : 1;
    } else {
      step.next_card = p_system_.NextCard(outcome, card);
    }
    return step;
  }

  step.next_card = 1;
  if (outcome == BetOutcome::kWin) {
    state_.lu = std::max<int64_t>(0, SatAdd(state_.lu, SatNeg(state_.nbu)));
    state_.lr = std::max(0.0, state_.lr - 1);
  } else if (outcome == BetOutcome::kLoss) {
    state_.lu = SatAdd(state_.lu, state_.nbu);
    state_.lr += 1;
  }

  if (state_.cumulative >= settings_.unit) {
    if (mode == AshfinchMode::kN) state_.n_successes = SatAdd(state_.n_successes, 1);
    Reset();
    const Config& parlay = settings_.mode(AshfinchMode::kP);
    if (parlay.enabled && state_.n_successes >= parlay.start_x) {
      state_.mode = AshfinchMode::kP;
      state_.n_successes = 0;
    }
    return step;
  }
  if (state_.lu == 0) {
    if (mode == AshfinchMode::kR && state_.cumulative >= 0) state_.mode = AshfinchMode::kN;
    SmallReset();
    return step;
  }
  // LU / C_LR2 with C_LR2 of 0 has no value: LR stays and this step's NBU falls back to 1.
  bool nbu_undefined = false;
  if (static_cast<double>(state_.lu) < static_cast<double>(p.lr1) * state_.lr) {
    if (p.lr2 == 0)
      nbu_undefined = true;
    else
      state_.lr = static_cast<double>(state_.lu) / static_cast<double>(p.lr2);
  }
  if (0 < state_.lr && state_.lr < static_cast<double>(p.lr_min))
    state_.lr = static_cast<double>(p.lr_def);
  if (Failed(p)) {
    state_.n_successes = 0;
    if (mode == AshfinchMode::kN && settings_.mode(AshfinchMode::kR).enabled)
      EnterRecovery();
    else
      Reset();
  }
  if (state_.round != 0) {
    state_.m = Multiplier(p, state_.lr);
    std::optional<int64_t> nbu;
    if (!nbu_undefined && state_.lr != 0)
      nbu = RoundCount(static_cast<double>(state_.lu) / state_.lr * state_.m);
    state_.nbu = nbu.value_or(1);
  }
  return step;
}

LoadStatus LoadAshfinchSystem(const fs::path& path, AshfinchSystem& system) {
  return system.Load(path);
}

StakeResult GetAshfinchBet(const AshfinchSystem& system, Cents balance, int card) {
  return system.Bet(balance, card);
}

AshfinchStep GetAshfinchNext(AshfinchSystem& system, BetOutcome outcome, Cents balance, int card) {
  return system.Next(outcome, balance, card);
}

void ReleaseAshfinchSystem(AshfinchSystem& system) { system.Release(); }

}  // namespace vessaro
