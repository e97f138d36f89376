// The logic of the balance graph windows "残高推移グラフ" (after a run, and after a log replay):
// the shown graph, its library of saved graphs in Graph/, and the clean-up of temporary graph
// files. The windows only draw this state and forward the user's commands.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "analysis/graph_details.h"
#include "analysis/graph_file.h"
#include "common/files.h"
#include "common/ports.h"

namespace vessaro {

inline constexpr const char* kGraphCaption = "残高推移グラフ";
inline constexpr const char* kGraphChoicePrompt = "グラフを選択してください";
inline constexpr const char* kSystemSeriesTitle = "オート使用のシステム";
inline constexpr const char* kFlatSeriesTitle = "フラットベット";
inline constexpr const char* kLogSeriesTitle = "インターカジノログ";

inline constexpr const char* kEnterGraphName = "グラフ名を入力してください";
inline constexpr const char* kGraphExists = "同じグラフ名が存在します\r\n上書きしますか？";
inline constexpr const char* kGraphFileMissing = "グラフファイルが存在しません";
inline constexpr const char* kChooseGraphToDelete = "削除したいグラフを選択してください";
inline constexpr const char* kDiscardGraph = "内容が保存されていません。グラフを破棄しますか？";
inline constexpr const char* kDiscardGraphAndClose =
    "内容が保存されていません。グラフを破棄して終了しますか？";
inline constexpr const char* kGraphSaved = "保存しました";
inline constexpr const char* kGraphDeleted = "削除しました";

// Marks in file names: the temporary graph of a run or replay, and the two kinds of saved graph.
inline constexpr std::string_view kTmpGraphMark = "_TmpGraph";
inline constexpr std::string_view kSavedFlatSuffix = "_Graph_Flat";
inline constexpr std::string_view kSavedLogSuffix = "_Graph_Log";

struct SavedGraph {
  std::string name;  // as listed: the base name without "_Graph_Flat" / "_Graph_Log"
  fs::path file;
  bool operator==(const SavedGraph&) const = default;
};

// Files of the folder whose base name holds "_Graph", in the folder's order.
std::vector<SavedGraph> ListSavedGraphs(const fs::path& graph_folder);
// The file a saved graph of this flavour is written to.
fs::path SavedGraphFile(const fs::path& graph_folder, std::string_view name, GraphFlavour flavour);
// Title of the second curve for a loaded file: by its kind, whichever window shows it.
std::string SecondSeriesTitle(const fs::path& file, GraphFlavour flavour);
std::string PatternLabel(std::string_view pattern_name);

class GraphWindowModel {
 public:
  // graph_file may be empty (the run window opened without a run). rounds is the length of the
  // most recent run or replay of the session, which thins long graphs.
  GraphWindowModel(fs::path program_folder, GraphFlavour flavour, fs::path graph_file,
                   int64_t rounds, Dialogs& dialogs);

  // The first display: fills the saved-graph list and draws the given file.
  void Open();

  // "保存": true when the shown graph was written under the typed name.
  bool Save();
  // A choice in the drop-down (-1 is the prompt). The run window loads it at once; a choice whose
  // load is refused goes back to the previous one.
  void Choose(int index);
  // "読み込み" (and the run window's choice): true when the chosen graph is now shown.
  bool LoadChosen();
  // "選択データの削除" / "削除": true when the chosen saved graph was deleted.
  bool DeleteChosen();
  // "閉じる": true when the window may close; temporary graph files are gone by then.
  bool Close();

  std::vector<DetailRow> DetailRows() const { return MakeDetailRows(summary_); }

  GraphFlavour flavour() const { return flavour_; }
  const std::string& name() const { return name_; }
  void set_name(std::string name) { name_ = std::move(name); }
  const std::vector<SavedGraph>& saved_graphs() const { return saved_graphs_; }
  int choice() const { return choice_; }
  const GraphContent& content() const { return content_; }
  // Grows whenever the drawn points change, so a window redraws its chart only then.
  int content_revision() const { return content_revision_; }
  const std::string& system_title() const { return system_title_; }
  const std::string& second_title() const { return second_title_; }
  const std::string& pattern_label() const { return pattern_label_; }
  const std::string& summary() const { return summary_; }
  const std::vector<std::string>& summary_lines() const { return summary_lines_; }
  const fs::path& current_file() const { return current_file_; }
  bool saved() const { return saved_; }
  fs::path graph_folder() const { return program_folder_ / "Graph"; }

 private:
  void Draw(const fs::path& file);
  void ClearGraph();
  void RemoveTemporaryGraphs();
  void ShowIoError(const IoError& error);

  fs::path program_folder_;
  GraphFlavour flavour_;
  int64_t rounds_;
  Dialogs& dialogs_;
  fs::path current_file_;
  bool saved_ = false;
  std::string name_;
  std::vector<SavedGraph> saved_graphs_;
  int choice_ = -1;
  GraphContent content_;
  int content_revision_ = 0;
  std::string system_title_;
  std::string second_title_;
  std::string pattern_label_;
  std::string summary_;
  std::vector<std::string> summary_lines_;
};

}  // namespace vessaro
