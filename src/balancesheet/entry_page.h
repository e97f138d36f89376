// The entry page "収支日報" of the balance-sheet window: the report's fields as the page shows
// them, the checks and computations run on Enter, the date pickers, saving, loading and deleting
// reports, the pick lists, the date search, the balance-detail list and the bonus area. The window
// forwards every action here and redraws from the state.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "balancesheet/calendar.h"
#include "balancesheet/daily_report.h"
#include "balancesheet/pick_list.h"
#include "balancesheet/search_index.h"
#include "balancesheet/sheet_folders.h"
#include "common/datetime.h"
#include "common/ports.h"

namespace vessaro {

enum class PickKind { kPlace, kGame };

// The value the date dialog "日付選択" starts on, and what its "OK" returns.
struct DatePick {
  CivilDate date;
  int hour = 0;
  int minute = 0;
};
// "yyyy/mm/dd" and hour ":" two-digit minute, as the dialog writes them.
std::string PickedDateText(const DatePick& pick);
std::string PickedTimeText(const DatePick& pick);

// "プレー毎残高入力": the balances of one visit in play order.
class BalanceDetailModel {
 public:
  // field: the report's field 24 (the list of the file it names, or a new list when empty).
  BalanceDetailModel(fs::path day_folder, std::string_view field, Dialogs& dialogs, Clock& clock);

  const std::vector<std::string>& lines() const { return lines_; }
  // Enter in the input: checked and appended. True when the input is to be emptied.
  bool Append(std::string_view input);
  // "リスト修正", "リスト挿入", "リスト削除" on the selected row (-1: none). True when done.
  bool Modify(int selected, std::string_view input);
  bool Insert(int selected, std::string_view input);
  bool Remove(int selected);
  // "保存": writes the list; the path that field 24 then names.
  std::optional<fs::path> Save();

 private:
  std::optional<std::string> CheckedValue(std::string_view input);
  // The checked input for the selected row of "リスト修正" or "リスト挿入".
  std::optional<std::string> CheckedEdit(int selected, std::string_view input, const char* no_selection);

  fs::path day_folder_;
  std::string file_name_;  // empty for a new list
  Dialogs& dialogs_;
  Clock& clock_;
  std::vector<std::string> lines_;
};

class EntryPageModel {
 public:
  EntryPageModel(const fs::path& program_folder, Dialogs& dialogs, Clock& clock, EventPump& pump);

  const SheetFolders& folders() const { return folders_; }

  // The fields as shown: the remarks with line breaks, the bonus rate with its "%".
  const DailyReport& page() const { return page_; }
  const std::string& field(ReportField f) const { return page_[f]; }
  // A typed field (or the remarks) changed in the window.
  void SetField(ReportField f, std::string text) { page_[f] = std::move(text); }

  const std::string& report_name() const { return report_name_; }
  bool saved() const { return saved_; }
  bool loaded() const { return loaded_; }
  // Where the input focus goes after the last command; nullopt leaves it where it is.
  std::optional<ReportField> focus() const { return focus_; }

  // Opening the window: the page cleared, the tree ensured, every list read again.
  void Open();
  // "オールクリア" (the bonus check box keeps its state).
  void AllClear();

  // Enter in a typed field: its check, the computation it runs, and the focus moved on. False
  // when refused (the message was shown and the focus stays).
  bool EnterIn(ReportField f);
  // The field after f in the Enter order (remarks after the losing streak).
  static std::optional<ReportField> NextField(ReportField f);

  DatePick DialogStart(bool end_date) const;
  void PickStartDate(const DatePick& pick);
  void PickEndDate(const DatePick& pick);

  // "保存".
  bool Save();
  // The report list: saved reports by name, and the one shown (-1: the prompt).
  const std::vector<std::string>& reports() const { return reports_; }
  int chosen_report() const { return chosen_report_; }
  void ChooseReport(int index);
  // "日報削除", with the regeneration it runs afterwards (observer: the progress line).
  bool Delete(RegenerationObserver& observer);
  // "INDEX再生成".
  bool Regenerate(RegenerationObserver& observer);
  // "閉じる" and the close box: true when the window may close.
  bool ConfirmClose();
  // "検索" of "直接検索：".
  bool DateSearch(std::string_view typed);

  // Pick lists.
  const PickList& list(PickKind kind) const { return kind == PickKind::kPlace ? places_ : games_; }
  // "リスト追加" dialog's "追加": true when the dialog closes.
  bool AddToList(PickKind kind, std::string_view typed);
  void RemoveFromList(PickKind kind, int index);
  void PickFromList(PickKind kind, int index);
  void ClearPicked(PickKind kind);

  // Balance-detail entry.
  BalanceDetailModel OpenBalanceDetail();
  void BalanceDetailSaved(const fs::path& path);
  // "クリア" beside the balance details: the file it names is deleted.
  void ClearBalanceDetail();

  // Bonus area.
  bool bonus_play() const { return bonus_play_; }
  bool bonus_read() const { return bonus_read_; }
  // The chooser: the bonus names, plus a loaded report's bonus that no file holds any more.
  const std::vector<std::string>& bonus_names() const { return bonus_names_; }
  int chosen_bonus() const { return chosen_bonus_; }
  void SetBonusPlay(bool on);
  // Choosing in the chooser reads the bonus ("読込" does the same for the shown one).
  void ChooseBonus(int index);
  void ReadBonus();
  // "削除" of the bonus area.
  void DeleteBonus();
  // After "ボーナスの追加" closed: the bonus and report lists read again.
  void BonusDialogClosed();
  // "ボーナス進捗入力": false (message shown) when no bonus file was read; otherwise the window
  // runs "ボーナス消化進捗" and hands its increment (0 when cancelled) to AddBonusProgress.
  bool CanAddBonusProgress();
  void AddBonusProgress(long long increment);

 private:
  void ClearPage();
  void ReloadReports();
  void ReloadBonusNames();
  void ComputeProfitAndRate();
  // False when the payout came out negative (its message was shown).
  bool ComputeAverageAndPayout(bool on_enter);
  void RecomputePlayTime();
  bool CheckBeforeSave();
  void SettleBalanceDetail();
  DailyReport RecordToSave() const;
  void WriteBonusProgress();
  void LoadReport(const std::string& name);
  std::string ChosenBonusName() const;
  bool Refuse(const std::string& message, std::optional<ReportField> focus = std::nullopt);

  SheetFolders folders_;
  Dialogs& dialogs_;
  Clock& clock_;
  EventPump& pump_;
  DailyReport page_;
  std::string report_name_;
  bool saved_ = false;
  bool loaded_ = false;
  std::string loaded_name_;  // the report the list shows as loaded
  std::optional<ReportField> focus_;
  std::vector<std::string> reports_;
  int chosen_report_ = -1;
  PickList places_;
  PickList games_;
  bool bonus_play_ = false;
  bool bonus_read_ = false;
  std::vector<std::string> bonus_names_;
  int chosen_bonus_ = -1;
};

}  // namespace vessaro
