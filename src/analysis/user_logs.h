// Play typed in by hand: the simple log window "簡易プレーログ作成" (the winner of every round on a
// road entry grid, saved as history/<name>_user1.txt) and the detailed log window
// "詳細プレーログ作成" (balance, side, stake and result of every round, saved as
// history/<name>_user2.txt). Every check, message and file operation of both windows.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/road_grid.h"
#include "common/files.h"
#include "common/ports.h"
#include "systems/folders.h"

namespace vessaro {

namespace user_log_texts {
inline constexpr const char* kSimpleCaption = "簡易プレーログ作成";
inline constexpr const char* kDetailedCaption = "詳細プレーログ作成";
inline constexpr const char* kEnterName = "保存ファイル名を入力してください";
inline constexpr const char* kNothingToSave = "保存内容がありません";
inline constexpr const char* kFileExists = "同じファイル名が存在します\r\n上書きしますか？";
inline constexpr const char* kSaved = "保存しました";
inline constexpr const char* kDeleted = "削除しました";
inline constexpr const char* kNoSideOrStake = "ベット先またはベット額が入力されていません";
inline constexpr const char* kBlankField = "空白があります";
inline constexpr const char* kNumbersOnly = "数値項目は半角整数の0から1000000のみ有効です";
inline constexpr const char* kChooseToModify = "修正対象のリストを選択してください";
inline constexpr const char* kChooseToInsert = "挿入対象のリストを選択してください";
inline constexpr const char* kChooseToDelete = "削除対象のリストを選択してください";
inline constexpr const char* kStartBlank = "開始残高が空白です";
inline constexpr const char* kStartNumbersOnly = "開始残高は半角整数の0から1000000のみ有効です";
inline constexpr const char* kChooseFileToLoad = "読み込みたいファイルを選択してください";
inline constexpr const char* kChooseFileToDelete = "削除したいファイルを選択してください";
inline constexpr const char* kFileMissing = "設定ファイルが存在しません";
inline constexpr const char* kChoosePrompt = "選択してください";
inline constexpr const char* kWon = "勝ち";
inline constexpr const char* kLost = "負け";
}  // namespace user_log_texts

// The whole numbers the detailed log accepts: 0 up to ten thousand million, so that a balance grown
// by wins stays enterable (the messages keep naming 0 to 1000000).
inline constexpr long long kMaxUserLogNumber = 10'000'000'000;

// history/<name>_user1.txt and history/<name>_user2.txt.
fs::path SimpleLogPath(const fs::path& program_folder, std::string_view name);
fs::path DetailedLogPath(const fs::path& program_folder, std::string_view name);
// Names of the saved detailed logs: history files whose base name holds "_user2", without it.
std::vector<std::string> ListDetailedLogNames(const fs::path& program_folder);

// The balance after a round: a loss takes the stake, a win on P adds it, a win on B adds 95 % of
// it, rounded to a whole number with halves to even (1000 + 30 x 0.95 gives 1028).
int64_t NewBalance(int64_t current, std::string_view side, int64_t stake, bool won);

// The winner a record stands for ("P" for (P, 勝ち) and (B, 負け), "B" otherwise), read from its
// fields as written; lines of fewer fields count as Banker.
char RecordWinner(std::string_view record);

class SimpleLogModel {
 public:
  SimpleLogModel(fs::path program_folder, Dialogs& dialogs);

  // "BANKER" / "PLAYER": the grid's refusal is shown.
  void Add(char letter);
  void DeleteLast() { grid_.DeleteLast(); }
  void DeleteAll() { grid_.Clear(); }
  // "保存": true when the file was written.
  bool Save();

  const RoadGrid& grid() const { return grid_; }
  const std::string& name() const { return name_; }
  void set_name(std::string name) { name_ = std::move(name); }

 private:
  fs::path program_folder_;
  Dialogs& dialogs_;
  RoadGrid grid_;
  std::string name_;
};

class DetailedLogModel {
 public:
  DetailedLogModel(fs::path program_folder, Dialogs& dialogs);

  // The five entry fields of one round, the start balance and the save name, as typed.
  struct Entry {
    std::string current;
    std::string side;  // "P" / "B", set by buttons
    std::string stake;
    std::string result;  // "勝ち" / "負け", set by buttons
    std::string new_balance;
  };
  Entry& entry() { return entry_; }
  const Entry& entry() const { return entry_; }
  std::string& start_balance() { return start_balance_; }
  std::string& save_name() { return save_name_; }

  // "開始" (and Enter in the start-balance field).
  void Start();
  // "P" / "B".
  void SetSide(const std::string& side) { entry_.side = side; }
  // "勝ち" / "負け": the result, and the new balance computed.
  void SetResult(bool won);
  // ">>追加", ">>修正", ">>挿入", "削除".
  bool AddRound();
  bool ModifyRound();
  bool InsertRound();
  bool DeleteRound();
  // Selecting a record copies its fields into the entry; -1 deselects.
  void Select(int index);
  // "リスト選択クリア".
  void ClearSelection();
  // "現在までの登録をフェイスカードに読み込む" / "フェイスカードクリア".
  void RebuildRoad();
  void ClearRoad() { road_.Clear(); }
  // "オールクリア".
  void AllClear();
  // "保存", "ファイル読込", "ファイル削除".
  bool Save();
  bool Load();
  bool DeleteFile();
  // The drop-down of saved logs, filled when the window is drawn and after a save or a load.
  void RefillFiles();

  const std::vector<std::string>& records() const { return records_; }
  int selected() const { return selected_; }
  int64_t round_counter() const { return round_counter_; }
  bool entry_enabled() const { return entry_enabled_; }
  const RoadGrid& road() const { return road_; }
  NameChoice& files() { return files_; }

 private:
  // The checks of an entered round; the record to store, or nullopt after the message.
  std::optional<std::string> CheckedRecord();
  void EmptyEntry() { entry_ = Entry{}; }

  fs::path program_folder_;
  Dialogs& dialogs_;
  Entry entry_;
  std::string start_balance_;
  std::string save_name_;
  std::vector<std::string> records_;
  int selected_ = -1;
  int64_t round_counter_ = 0;
  bool entry_enabled_ = false;
  RoadGrid road_;
  NameChoice files_;
};

}  // namespace vessaro
