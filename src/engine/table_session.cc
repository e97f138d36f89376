#include "engine/table_session.h"

#include "common/format.h"
#include "common/money.h"
#include "common/text.h"

namespace vessaro {
namespace {

constexpr const char* kChipPictures[] = {"chip0_5.bmp", "chip1.bmp",   "chip5.bmp",
                                         "chip25.bmp",  "chip100.bmp", "chip250.bmp",
                                         "chip500.bmp", "chip1000.bmp", "chip5000.bmp",
                                         "card.bmp"};
constexpr const char* kDataFolders[] = {"log", "betpattern", "history", "tmp", "Graph"};

}  // namespace

std::vector<std::string> MissingRequiredFiles(const fs::path& program_folder) {
  std::vector<std::string> missing;
  const fs::path image = program_folder / "image";
  auto need = [&](const std::string& name) {
    if (!FileExists(image / name)) missing.push_back("image\\" + name);
  };
  for (const char* name : kChipPictures) need(name);
  for (int i = 0; i < 52; ++i) need(std::string(CardName(Card{static_cast<uint8_t>(i)})) + ".bmp");
  // A data folder that cannot be made (a plain file in its place) would fail every save later.
  for (const char* folder : kDataFolders)
    if (!EnsureFolder(program_folder / folder)) missing.push_back(std::string(folder) + "\\");
  return missing;
}

std::string MissingFilesMessage(const std::vector<std::string>& missing) {
  constexpr size_t kNamed = 5;
  std::string message = table_texts::kMissingFiles;
  message += "\r\n";
  for (size_t i = 0; i < missing.size() && i < kNamed; ++i) message += (i > 0 ? "、" : "") + missing[i];
  if (missing.size() > kNamed) message += Format(" ほか%d件", static_cast<int>(missing.size() - kNamed));
  return message;
}

fs::path DefaultLogFile(const fs::path& program_folder, const DateTime& now) {
  return program_folder / "log" / (StampHour(now) + "logfile.txt");
}

TableSession::TableSession(fs::path program_folder, Dialogs& dialogs, EventPump& pump, Clock& clock,
                           RuleDialogPort& rule_dialog, SessionServices& services)
    : program_folder_(std::move(program_folder)),
      dialogs_(dialogs),
      pump_(pump),
      clock_(clock),
      rule_dialog_(rule_dialog),
      services_(services),
      scoreboard_(&grid_, program_folder_, clock),
      engine_(static_cast<uint64_t>(MillisecondsOfDay(clock.UtcNow()))) {
  engine_.set_listener(this);
  bets_.balance_text = "5000";
  SetBalance(bets_, UnitsToCents(5000), "5000");
}

void TableSession::Refresh() {
  if (view_ != nullptr) view_->Refresh();
}

void TableSession::ShowBalanceSetting(bool append_cents) {
  std::string text = settings_.balance_setting;
  if (append_cents && !Contains(text, ".")) text += ".00";
  SetBalance(bets_, ParseMoney(settings_.balance_setting).value_or(0), text);
}

void TableSession::ShowLimits() {
  display_.minimum_text = std::to_string(settings_.minimum);
  display_.maximum_text = std::to_string(settings_.maximum);
}

bool TableSession::FirstDisplay() {
  if (!services_.RunLauncherUpdate()) return false;
  display_.log_file = DefaultLogFile(program_folder_, clock_.LocalNow()).string();
  RefillRunLists();
  services_.LoadSoundSettings(true);
  LoadTableSettings(program_folder_, settings_, dialogs_, rule_dialog_);
  ShowBalanceSetting(true);
  ShowLimits();
  bets_.selected_chip = 1;
  Refresh();
  return true;
}

void TableSession::RefillRunLists() {
  RunLists lists = services_.ReadRunLists(program_folder_);
  display_.system_names = std::move(lists.systems);
  display_.pattern_names = std::move(lists.patterns);
}

void TableSession::SelectChip(int value) {
  if (dealing_ || automatic_run()) return;
  bets_.selected_chip = value;
  display_.settings_menu_visible = false;
  services_.PlayChipSound();
  Refresh();
}

void TableSession::PlaceChip(BetSide side) {
  if (dealing_ || automatic_run()) return;
  display_.rebet_caption = false;
  ClearRoundDisplay();
  BetResult r = vessaro::PlaceChip(bets_, side, settings_.minimum, settings_.maximum);
  if (!r.ok) {
    Refresh();
    dialogs_.ShowMessage(r.message, MessageKind::kWarning);
    return;
  }
  display_.player_pile = bets_.player_stake;
  display_.banker_pile = bets_.banker_stake;
  services_.PlayChipSound();
  Refresh();
}

void TableSession::RebetCommand() {
  if (dealing_ || automatic_run()) return;
  RepeatLastBet();
}

void TableSession::RepeatLastBet() {
  if (automatic_run() || bets_.last_bet.empty()) return;
  ClearRoundDisplay();
  if (!Rebet(bets_, settings_.maximum)) {
    Refresh();
    return;
  }
  display_.player_pile = bets_.player_stake;
  display_.banker_pile = bets_.banker_stake;
  Refresh();
  services_.PlayChipSound();
  pump_.Pause(500);
}

void TableSession::ClearBetsCommand() {
  if (dealing_ || automatic_run()) return;
  display_.rebet_caption = false;
  ClearRoundDisplay();
  ClearBets(bets_);
  display_.player_pile = 0;
  display_.banker_pile = 0;
  display_.banner = BannerKind::kNone;
  Refresh();
}

void TableSession::ClearRoundDisplay() {
  if (display_.banner == BannerKind::kNone) return;
  ClearCardArea();
  display_.player_pile = display_.banker_pile = 0;
  display_.player_win_pile = display_.banker_win_pile = 0;
}

void TableSession::ClearCardArea() {
  bets_.winnings_text = "0";
  display_.player_total = display_.banker_total = "0";
  display_.player_total_red = display_.banker_total_red = false;
  display_.banner = BannerKind::kNone;
  for (CardSlot& slot : display_.cards) slot = CardSlot{};
}

void TableSession::ShowCardBacks() {
  for (CardPlace place : {kPlayer1, kPlayer2, kBanker1, kBanker2})
    display_.cards[place] = CardSlot{CardSlot::State::kBack, Card{}};
  Refresh();
}

void TableSession::SetTableEnabled(bool on) {
  display_.table_enabled = on;
  display_.rebet_caption = true;
  display_.settings_menu_visible = false;
  display_.stop_enabled = !on;
  if (!automatic_run()) display_.run_panel_open = false;
  Refresh();
}

void TableSession::ToggleSettingsMenu() {
  if (dealing_ || automatic_run()) return;
  display_.settings_menu_visible = !display_.settings_menu_visible;
  Refresh();
}

void TableSession::HideSettingsMenu() {
  display_.settings_menu_visible = false;
  Refresh();
}

void TableSession::ToggleRunPanel() {
  if (dealing_ || automatic_run()) return;
  display_.run_panel_open = !display_.run_panel_open;
  Refresh();
}

void TableSession::OnCardDealt(Hand hand, int position, Card card, int new_total) {
  const CardPlace place =
      static_cast<CardPlace>((hand == Hand::kPlayer ? kPlayer1 : kBanker1) + position - 1);
  if (!automatic_run()) {
    display_.cards[place] = CardSlot{CardSlot::State::kBack, card};
    if (view_ != nullptr) view_->AnimateCard(place);
  }
  display_.cards[place] = CardSlot{CardSlot::State::kFace, card};
  (hand == Hand::kPlayer ? display_.player_total : display_.banker_total) = std::to_string(new_total);
  Refresh();
  if (position < 3) {
    pump_.Pause(card_pause_);
  } else if (hand == Hand::kPlayer) {
    pump_.Sleep(card_pause_);
  }
}

void TableSession::Deal() {
  // The pauses below process window events; nothing they let through may start a second round.
  if (dealing_) return;
  dealing_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{dealing_};
  if (display_.rebet_caption) RepeatLastBet();
  if (!MakeLastBet(bets_)) return;
  const bool automatic = automatic_run();
  if (!automatic) {
    SetTableEnabled(false);
    if (services_.narration() != 0) {
      services_.PlayNarration("nomore");
      pump_.Pause(1000);
    }
  }
  ClearCardArea();
  ++round_counter_;
  display_.round_caption = Format("ラウンド%lld", static_cast<long long>(round_counter_));
  card_pause_ = automatic ? 10 : settings_.deal_interval;
  if (automatic) {
    for (CardPlace place : {kPlayer1, kPlayer2, kBanker1, kBanker2})
      display_.cards[place] = CardSlot{CardSlot::State::kBack, Card{}};
  }
  Refresh();
  pump_.Pause(card_pause_);

  const BetSide staked = bets_.StakedSide();
  const int64_t stake = bets_.player_stake + bets_.banker_stake;
  engine_.DealRound(OutcomeModeFromName(settings_.outcome_mode), stake, bets_.balance,
                    staked == BetSide::kBanker ? BiasSide::kBanker : BiasSide::kPlayer, round_);

  if (!automatic && services_.narration() != 0) {
    const int wait = services_.narration() == 3 ? 2500 : 2000;
    services_.PlayNarration(Format("p%d", round_.player_total));
    pump_.Pause(wait);
    services_.PlayNarration(Format("b%d", round_.banker_total));
    pump_.Pause(wait);
    services_.PlayNarration(round_.result == 'P' ? "pwin" : round_.result == 'B' ? "bwin" : "tie");
  }

  BetOutcome outcome = Settle(bets_, round_.result, automatic);
  ApplySettlementToDisplay(round_.result, outcome, staked, stake);
  last_result_ = round_.result;
  display_.statistics_line = scoreboard_.RecordResult(round_.result, automatic, round_counter_,
                                                      requested_rounds_, settings_.outcome_mode);
  display_.rebet_caption = true;
  if (!automatic) SetTableEnabled(true);
  Refresh();
}

void TableSession::ApplySettlementToDisplay(char result, BetOutcome outcome, BetSide staked_side,
                                            int64_t stake) {
  if (result == 'B') display_.banker_total_red = true;
  if (result == 'P') display_.player_total_red = true;
  const int64_t won_units = TruncateToUnits(bets_.winnings);
  if (outcome == BetOutcome::kWin || outcome == BetOutcome::kTie) {
    if (staked_side == BetSide::kBanker) {
      display_.banker_pile = 0;
      display_.banker_win_pile = outcome == BetOutcome::kTie ? stake : won_units;
    } else {
      display_.player_pile = 0;
      display_.player_win_pile = outcome == BetOutcome::kTie ? stake : won_units;
    }
  }
  if (outcome == BetOutcome::kLoss) display_.player_pile = display_.banker_pile = 0;
  display_.banner = outcome == BetOutcome::kWin    ? BannerKind::kWin
                    : outcome == BetOutcome::kLoss ? BannerKind::kLose
                                                   : BannerKind::kTie;
}

void TableSession::AllClear() {
  if (dealing_ || automatic_run()) return;
  ClearRoundDisplay();
  round_counter_ = 0;
  bets_.stake_text = "0";
  display_.statistics_line = kEmptyStatisticsLine;
  display_.round_caption = "ラウンド0";
  grid_.Clear();
  ClearCardArea();
  RefillRunLists();
  scoreboard_.ClearRecord();
  const std::string held = settings_.balance_setting;
  LoadTableSettings(program_folder_, settings_, dialogs_, rule_dialog_);
  if (settings_.remember_balance) settings_.balance_setting = held;
  ShowBalanceSetting(false);
  ShowLimits();
  Refresh();
}

void TableSession::Reinitialise() {
  settings_ = TableSettings{};
  bets_.last_bet.clear();
  bets_.player_stake = bets_.banker_stake = bets_.table_stake = 0;
  bets_.selected_chip = 1;
  bets_.outcome = BetOutcome::kWin;
  scoreboard_.ClearRecord();
  scoreboard_.ResetHistoryBuffer();
  round_ = RoundRecord{};
  round_counter_ = 0;
  automatic_state_ = 0;
  stop_request_ = false;
  services_.ClearStopConditions();
  services_.ResetSound();
}

void TableSession::ApplyRuleSettings() {
  if (dealing_ || automatic_run()) return;
  SaveSettingsBeforeDialog(program_folder_, settings_, bets_.balance_text);
  if (!rule_dialog_.RunRuleDialog(false)) {
    Refresh();
    return;
  }
  Reinitialise();
  LoadTableSettings(program_folder_, settings_, dialogs_, rule_dialog_);
  services_.LoadSoundSettings(false);
  AllClear();
  ShowLimits();
  ShowBalanceSetting(true);
  display_.statistics_line = table_texts::kAppliedStatistics;
  display_.round_caption = Format("ラウンド%lld", static_cast<long long>(round_counter_));
  bets_.winnings_text = "0.00";
  bets_.stake_text = "0.00";
  display_.player_pile = display_.banker_pile = 0;
  display_.rebet_caption = false;
  display_.settings_menu_visible = false;
  Refresh();
}

void TableSession::SaveOnClose() {
  SaveSettingsOnClose(program_folder_, settings_, bets_.balance_text);
}

bool TableSession::ProbeWritable() {
  const fs::path probe = program_folder_ / ("tmp" + StampHour(clock_.LocalNow()));
  EnsureFolder(probe);
  pump_.Pause(200);
  if (FolderExists(probe)) {
    RemoveFolder(probe);
    return true;
  }
  dialogs_.ShowMessage(table_texts::kNotAdministrator, MessageKind::kWarning);
  return false;
}

}  // namespace vessaro
