#include "autosim/system_sources.h"

#include "autosim/run_statistics.h"
#include "common/text.h"
#include "systems/ashfinch.h"
#include "systems/card_deck.h"
#include "systems/folders.h"
#include "systems/pattern_cards.h"
#include "systems/special_pattern.h"
#include "systems/system_cards.h"

namespace vessaro {
namespace {

class CardSystem : public RunSystem {
 public:
  LoadedSystem cards;
  StakeAsked Stake(int card, Cents balance, std::string_view) override {
    StakeResult r = GetSystemBet(cards, balance, card);
    return {std::move(r.stake), std::string(r.error)};
  }
  int Next(BetOutcome outcome, int card, Cents) override { return GetNextCard(outcome, cards, card); }
};

class AshfinchRunSystem : public RunSystem {
 public:
  AshfinchSystem system;
  AshfinchSystem loaded;  // as it stood after loading: the progression's start
  ~AshfinchRunSystem() override { ReleaseAshfinchSystem(system); }
  void Restart() override { system = loaded; }
  StakeAsked Stake(int card, Cents balance, std::string_view) override {
    StakeResult r = GetAshfinchBet(system, balance, card);
    return {std::move(r.stake), std::string(r.error)};
  }
  int Next(BetOutcome outcome, int card, Cents balance_before_bet) override {
    return GetAshfinchNext(system, outcome, balance_before_bet, card).next_card;
  }
};

class FixedPattern : public RunPattern {
 public:
  LoadedPattern cards;
  bool fixed() const override { return true; }
  BetSide Side(int card, std::string_view, const LastRoundRecord&) override {
    return GetPatternSide(cards, card);
  }
  int Next(BetOutcome outcome, int card) override { return GetNextCard(outcome, cards, card); }
};

class SpecialPattern : public RunPattern {
 public:
  LoadedSpecialPattern pattern;
  bool fixed() const override { return false; }
  BetSide Side(int, std::string_view history, const LastRoundRecord& last_round) override {
    return pattern.SideFor(last_round, history);
  }
  int Next(BetOutcome, int card) override { return card; }
};

}  // namespace

RunSources SystemsRunSourceLoader::Load(const fs::path& program_folder, std::string_view system_name,
                                        std::string_view pattern_name) {
  RunSources sources;
  const std::string system = Trim(system_name);
  const std::string pattern = Trim(pattern_name);
  const fs::path system_file = SystemFilePath(program_folder, system);
  fs::path pattern_file = PatternFilePath(program_folder, pattern);
  const bool special = !FileExists(pattern_file);
  if (special) pattern_file = SpecialPatternFilePath(program_folder, pattern);
  if (!FileExists(system_file) || !FileExists(pattern_file)) {
    sources.message = run_texts::kFilesMissing;
    return sources;
  }

  if (IsAshfinchSystemPath(system_file)) {
    auto ashfinch = std::make_unique<AshfinchRunSystem>();
    LoadStatus status = LoadAshfinchSystem(system_file, ashfinch->system);
    if (!status.ok()) {
      sources.message = status.message;
      return sources;
    }
    ashfinch->loaded = ashfinch->system;
    sources.system = std::move(ashfinch);
  } else {
    auto cards = std::make_unique<CardSystem>();
    LoadStatus status = cards->cards.Load(system_file);
    if (!status.ok()) {
      sources.message = status.message;
      return sources;
    }
    sources.system = std::move(cards);
  }

  if (special) {
    auto loaded = std::make_unique<SpecialPattern>();
    LoadStatus status = loaded->pattern.Load(pattern_file, program_folder);
    if (!status.ok()) {
      sources.message = status.message;
      sources.system.reset();
      return sources;
    }
    sources.pattern = std::move(loaded);
  } else {
    auto loaded = std::make_unique<FixedPattern>();
    LoadStatus status = loaded->cards.Load(pattern_file);
    if (!status.ok()) {
      sources.message = status.message;
      sources.system.reset();
      return sources;
    }
    sources.pattern = std::move(loaded);
  }
  return sources;
}

}  // namespace vessaro
