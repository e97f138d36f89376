// The logic of the face pattern editor "出現パターン設定": a sequence of Player and Banker
// results on a 6 x 12 grid, the list of face patterns with their sides, and the list files.
#pragma once

#include <string>
#include <vector>

#include "common/files.h"
#include "common/ports.h"
#include "systems/folders.h"

namespace vessaro {

// The side dialog "ベット先の選択": shows the caption and answers "P" ("プレーヤーにベットする"),
// "B" ("バンカーにベットする") or "" when it was closed without a choice.
class BetSelectPort {
 public:
  virtual ~BetSelectPort() = default;
  virtual std::string ChooseBetSide(std::string_view caption) = 0;
};

// The caption of the side dialog for a sequence: "PPB のパターンが発生した場合 ".
std::string BetSelectCaption(std::string_view sequence);

class FacePatternEditorModel {
 public:
  static constexpr int kRows = 6;
  static constexpr int kColumns = 12;

  FacePatternEditorModel(fs::path program_folder, Dialogs& dialogs);

  void Show();  // fills the list of face pattern list files

  // --- The grid. Equal results go down a column, a change of result starts the next column.
  bool AddPlayer() { return AddResult('P'); }  // "PLAYER"
  bool AddBanker() { return AddResult('B'); }  // "BANKER"
  void ClearLast();                            // "クリア": removes the result at the cursor
  // 'P', 'B' or 0 for an empty cell (0-based column and row).
  char Cell(int column, int row) const;
  // The cell of the last result; false when the grid is empty.
  bool Cursor(int& column, int& row) const;
  // The grid read column by column, top to bottom.
  std::string Sequence() const;

  // --- The list of face patterns.
  const std::vector<std::string>& lines() const { return lines_; }
  int selected_line() const { return selected_line_; }
  void SelectLine(int index) { selected_line_ = index; }
  // "リストに追加": asks the side through the port, adds the line and empties the grid.
  bool AddToList(BetSelectPort& side_dialog);
  // "リストから削除".
  bool RemoveFromList();
  // "リスト読み込み": lays the chosen line's sequence out on the grid again.
  bool LoadLineIntoGrid();
  // "リスト修正": replaces the chosen line with the grid's sequence and a newly chosen side.
  bool ReplaceLine(BetSelectPort& side_dialog);

  // --- Files.
  const NameChoice& files() const { return files_; }
  void ChooseFile(int index) { files_.selected = index; }
  const std::string& name() const { return name_; }
  void SetName(std::string name) { name_ = std::move(name); }
  bool Save();      // "保存"
  void Load();      // "読み込み"
  void Delete();    // "パターン削除"
  void AllClear();  // "オールクリア"

 private:
  bool AddResult(char letter);
  // Lays a sequence out as columns; false (and the refusal shown) when the grid cannot hold it.
  bool LayOut(std::string_view sequence, std::vector<std::string>& columns);

  fs::path program_folder_;
  Dialogs& dialogs_;
  std::vector<std::string> columns_;  // each a run of one letter, top to bottom
  std::vector<std::string> lines_;
  int selected_line_ = -1;
  NameChoice files_;
  std::string name_;
};

}  // namespace vessaro
