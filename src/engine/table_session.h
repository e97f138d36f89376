// The table session: the controller behind the table window. It owns the settings, the betting
// state, the scoreboard and the round engine, runs the deal flow with its pauses, All Clear and
// the rule settings, and describes what the table shows; the window only draws that description
// and forwards the user's commands.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "common/files.h"
#include "common/ports.h"
#include "engine/bets.h"
#include "engine/round.h"
#include "engine/scoreboard.h"
#include "engine/table_settings.h"

namespace vessaro {

namespace table_texts {
inline constexpr const char* kWinBanner = "YOU WIN!!";
inline constexpr const char* kLoseBanner = "YOU LOSE";
inline constexpr const char* kTieBanner = "TIE";
inline constexpr const char* kDealJa = "ディール";
inline constexpr const char* kDealEn = "DEAL";
inline constexpr const char* kRebetDealJa = "再ベットディール";
inline constexpr const char* kRebetDealEn = "REBETS DEAL";
inline constexpr const char* kRebetJa = "再ベット";
inline constexpr const char* kRebetEn = "REBET";
inline constexpr const char* kBetClearJa = "ベットクリア";
inline constexpr const char* kBetClearEn = "BETSCLEAR";
inline constexpr const char* kAppliedStatistics = "0戦 0勝(0%) 0敗(0%) 0分(0%) ペイアウト：0%";
inline constexpr const char* kMissingFiles = "起動に必要なファイルが足りません";
inline constexpr const char* kAlreadyRunning = "すでに起動されています。";
inline constexpr const char* kAlreadyRunningTitle = "二重起動";
inline constexpr const char* kCannotStartApplication = "アプリケーションファイルを起動できませんでした。";
inline constexpr const char* kNotAdministrator =
    "Kindletを管理者モードで実行していない為、この機能を使用することができません\r\n"
    "管理者モードでの実行方法はメイン画面の　アップデート情報　をご確認ください";
inline constexpr const char* kStopQuestion = "オート処理を中断します\r\nよろしいですか？";
inline constexpr const char* kSystemPrompt = "登録システムを選択してください";
inline constexpr const char* kPatternPrompt = "登録パターンを選択してください";
}  // namespace table_texts

enum class BannerKind { kNone, kWin, kLose, kTie };

// The six card places: each hand's first card nearest the middle, the third card outermost.
enum CardPlace { kPlayer1 = 0, kPlayer2, kPlayer3, kBanker1, kBanker2, kBanker3 };

struct CardSlot {
  enum class State { kEmpty, kBack, kFace };
  State state = State::kEmpty;
  Card card;
};

// Everything the table shows, apart from the betting texts (BetState) and the grid.
struct TableDisplay {
  std::string round_caption = "ラウンド0";
  std::string statistics_line = kEmptyStatisticsLine;
  std::string minimum_text;
  std::string maximum_text;
  std::string player_total = "0";
  std::string banker_total = "0";
  bool player_total_red = false;
  bool banker_total_red = false;
  BannerKind banner = BannerKind::kNone;
  std::array<CardSlot, 6> cards;
  int64_t player_pile = 0;  // stakes drawn as chip piles
  int64_t banker_pile = 0;
  int64_t player_win_pile = 0;  // amounts won, after a settlement
  int64_t banker_win_pile = 0;
  bool rebet_caption = false;  // deal command reads "再ベットディール" / "REBETS DEAL" (small type)
  bool table_enabled = true;
  bool settings_menu_visible = false;
  bool run_panel_open = false;
  bool stop_enabled = false;
  std::string trials = "100";
  std::string log_file;
  std::vector<std::string> system_names;
  std::vector<std::string> pattern_names;
};

// The window: told to show the state again, and that a card is about to be turned up.
class TableView {
 public:
  virtual ~TableView() = default;
  virtual void Refresh() = 0;
  // A card back slides into place and turns over (outside automatic runs); returns when done.
  virtual void AnimateCard(CardPlace place) {}
};

// Names for the run panel's lists.
struct RunLists {
  std::vector<std::string> systems;
  std::vector<std::string> patterns;
};

// What later parts of the program plug in: the launcher update, sound settings, narration, and
// the names of the systems and patterns (which the betting-systems module knows how to read).
class SessionServices {
 public:
  virtual ~SessionServices() = default;
  virtual RunLists ReadRunLists(const fs::path& program_folder) { return {}; }
  // False when the launcher was updated and started: the simulator ends instead of going on.
  virtual bool RunLauncherUpdate() { return true; }
  // Sound settings and voice folder back to their start values (re-initialising the session).
  virtual void ResetSound() {}
  virtual void LoadSoundSettings(bool start_music) {}
  // 0 no narration, 1 man, 2 woman, 3 child.
  virtual int narration() const { return 0; }
  virtual void PlayNarration(const std::string& name) {}
  virtual void PlayChipSound() {}
  // The stop conditions of automatic runs are cleared when the session is re-initialised.
  virtual void ClearStopConditions() {}
};

// The pictures the table cannot start without (chips and card back, then the 52 faces), and the
// data folders it creates: what is missing or cannot be made, as "image\\chip5.bmp" or "Graph\\".
// Empty when the table can start.
std::vector<std::string> MissingRequiredFiles(const fs::path& program_folder);
// "起動に必要なファイルが足りません" and, on a further line, the first few missing files.
std::string MissingFilesMessage(const std::vector<std::string>& missing);

// The default auto-run log file: log/<yyyymmddhh>logfile.txt.
fs::path DefaultLogFile(const fs::path& program_folder, const DateTime& now);


class TableSession : private CardDealtListener {
 public:
  TableSession(fs::path program_folder, Dialogs& dialogs, EventPump& pump, Clock& clock,
               RuleDialogPort& rule_dialog, SessionServices& services);

  void set_view(TableView* view) { view_ = view; }

  // First display: launcher update, log file, lists, sound, settings, balance, chip 1. Call after
  // MissingRequiredFiles found nothing missing. False when the simulator hands over to the
  // updated launcher.
  bool FirstDisplay();

  // Commands of the table.
  void SelectChip(int value);
  void PlaceChip(BetSide side);
  void RebetCommand();
  void ClearBetsCommand();
  void Deal();
  void AllClear();
  void ApplyRuleSettings();
  void ToggleSettingsMenu();
  void HideSettingsMenu();
  void ToggleRunPanel();
  // Closing the window: saves the settings.
  void SaveOnClose();
  // The balance-sheet banner's probe that the program folder is writable.
  bool ProbeWritable();

  // Parts the automatic runs drive.
  void ClearRoundDisplay();
  void ShowCardBacks();
  void SetTableEnabled(bool on);
  void RefillRunLists();

  bool dealing() const { return dealing_; }
  bool automatic_run() const { return automatic_state_ != 0; }
  void set_automatic_state(int state) { automatic_state_ = state; }
  bool stop_request() const { return stop_request_; }
  void set_stop_request(bool on) { stop_request_ = on; }
  int64_t round_counter() const { return round_counter_; }
  void set_round_counter(int64_t n) { round_counter_ = n; }
  char last_result() const { return last_result_; }

  const fs::path& program_folder() const { return program_folder_; }
  const TableSettings& settings() const { return settings_; }
  TableSettings& mutable_settings() { return settings_; }
  const BetState& bets() const { return bets_; }
  BetState& mutable_bets() { return bets_; }
  const TableDisplay& display() const { return display_; }
  TableDisplay& mutable_display() { return display_; }
  const ResultGrid& grid() const { return grid_; }
  Scoreboard& scoreboard() { return scoreboard_; }
  const Scoreboard& scoreboard() const { return scoreboard_; }
  const RoundRecord& last_round() const { return round_; }
  RoundEngine& engine() { return engine_; }

  // For automatic runs: the requested rounds the scoreboard writes the last history line at.
  void set_requested_rounds(int64_t n) { requested_rounds_ = n; }

 private:
  void Reinitialise();
  void RepeatLastBet();
  void ShowBalanceSetting(bool append_cents);
  void ShowLimits();
  void ClearCardArea();
  void Refresh();
  void OnCardDealt(Hand hand, int position, Card card, int new_total) override;
  void ApplySettlementToDisplay(char result, BetOutcome outcome, BetSide staked_side,
                                int64_t stake);

  fs::path program_folder_;
  Dialogs& dialogs_;
  EventPump& pump_;
  Clock& clock_;
  RuleDialogPort& rule_dialog_;
  SessionServices& services_;
  TableView* view_ = nullptr;

  TableSettings settings_;
  BetState bets_;
  TableDisplay display_;
  ResultGrid grid_;
  Scoreboard scoreboard_;
  RoundEngine engine_;
  RoundRecord round_;

  int64_t round_counter_ = 0;
  int64_t requested_rounds_ = 0;
  int automatic_state_ = 0;
  bool stop_request_ = false;
  char last_result_ = 0;
  bool dealing_ = false;
  int card_pause_ = 0;
};

}  // namespace vessaro
