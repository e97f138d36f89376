#include "analysis/graph_window_model.h"

#include "common/format.h"
#include "common/names.h"
#include "common/text.h"

namespace vessaro {
namespace {

bool IsTemporaryGraph(const fs::path& file) {
  return Contains(file.filename().string(), kTmpGraphMark);
}

std::string DefaultSecondTitle(GraphFlavour flavour) {
  return flavour == GraphFlavour::kRun ? kFlatSeriesTitle : kLogSeriesTitle;
}

}  // namespace

std::vector<SavedGraph> ListSavedGraphs(const fs::path& graph_folder) {
  std::vector<SavedGraph> graphs;
  for (const fs::path& file : ListFiles(graph_folder)) {
    const std::string stem = file.stem().string();
    if (!Contains(stem, "_Graph")) continue;
    graphs.push_back({RemoveAll(RemoveAll(stem, kSavedFlatSuffix), kSavedLogSuffix), file});
  }
  return graphs;
}

fs::path SavedGraphFile(const fs::path& graph_folder, std::string_view name, GraphFlavour flavour) {
  const std::string_view suffix =
      flavour == GraphFlavour::kRun ? kSavedFlatSuffix : kSavedLogSuffix;
  return graph_folder / (std::string(name) + std::string(suffix) + ".txt");
}

std::string SecondSeriesTitle(const fs::path& file, GraphFlavour flavour) {
  // The suffix decides first, so a name that itself holds "_Log" or "_Flat" keeps its kind.
  const std::string stem = file.stem().string();
  if (EndsWith(stem, kSavedFlatSuffix)) return kFlatSeriesTitle;
  if (EndsWith(stem, kSavedLogSuffix)) return kLogSeriesTitle;
  const std::string name = file.filename().string();
  if (Contains(name, "_Flat")) return kFlatSeriesTitle;
  if (Contains(name, "_Log")) return kLogSeriesTitle;
  return DefaultSecondTitle(flavour);
}

std::string PatternLabel(std::string_view pattern_name) {
  return Format("【パターン名：%.*s】", static_cast<int>(pattern_name.size()), pattern_name.data());
}

GraphWindowModel::GraphWindowModel(fs::path program_folder, GraphFlavour flavour,
                                   fs::path graph_file, int64_t rounds, Dialogs& dialogs)
    : program_folder_(std::move(program_folder)),
      flavour_(flavour),
      rounds_(rounds),
      dialogs_(dialogs),
      current_file_(std::move(graph_file)),
      system_title_(kSystemSeriesTitle),
      second_title_(DefaultSecondTitle(flavour)) {
  content_.points.push_back({0, 0, 0});
}

void GraphWindowModel::Open() {
  saved_graphs_ = ListSavedGraphs(graph_folder());
  choice_ = -1;
  if (current_file_.empty()) return;
  if (!FileExists(current_file_)) {
    // Nothing to show, so nothing to ask about or clean up when the window closes.
    current_file_.clear();
    dialogs_.ShowMessage(kGraphFileMissing, MessageKind::kWarning);
    return;
  }
  try {
    Draw(current_file_);
  } catch (const IoError& error) {
    current_file_.clear();
    ShowIoError(error);
  }
}

void GraphWindowModel::Draw(const fs::path& file) {
  content_ = ReadGraphFile(file, rounds_, flavour_);
  ++content_revision_;
  system_title_ = content_.system_name && !content_.system_name->empty() ? *content_.system_name
                                                                         : kSystemSeriesTitle;
  pattern_label_ = content_.pattern_name ? PatternLabel(*content_.pattern_name) : "";
  summary_ = content_.summary;
  summary_lines_ = content_.summary_lines;
}

void GraphWindowModel::ClearGraph() {
  content_ = GraphContent{};
  ++content_revision_;
  summary_.clear();
  summary_lines_.clear();
  pattern_label_.clear();
  current_file_.clear();
}

bool GraphWindowModel::Save() {
  const std::string name = Trim(name_);
  if (name.empty()) {
    dialogs_.ShowMessage(kEnterGraphName, MessageKind::kWarning);
    return false;
  }
  if (auto refusal = CheckNameCharacters(name, NameKind::kGraph)) {
    dialogs_.ShowMessage(*refusal, MessageKind::kWarning);
    return false;
  }
  // Without a graph there is nothing to copy; saying "saved" would be a lie.
  if (current_file_.empty() || !FileExists(current_file_)) {
    dialogs_.ShowMessage(kGraphFileMissing, MessageKind::kWarning);
    return false;
  }
  try {
    if (!EnsureFolder(graph_folder())) ThrowIoError(IoAction::kCreateFolder, graph_folder());
    const fs::path target = SavedGraphFile(graph_folder(), name, flavour_);
    const bool existed = FileExists(target);
    if (existed && !dialogs_.AskYesNo(kGraphExists)) return false;
    // Read before writing: the target may be the shown file itself. The write replaces the old
    // file in one step, so a failed copy leaves the old graph whole.
    const std::string bytes = ReadWholeFile(current_file_);
    WriteWholeFile(target, bytes);
    if (!existed) saved_graphs_.push_back({name, target});
  } catch (const IoError& error) {
    ShowIoError(error);
    return false;
  }
  dialogs_.ShowMessage(kGraphSaved, MessageKind::kInformation);
  saved_ = true;
  return true;
}

void GraphWindowModel::Choose(int index) {
  if (index < -1 || index >= static_cast<int>(saved_graphs_.size())) index = -1;
  const int previous = choice_;
  choice_ = index;
  if (flavour_ != GraphFlavour::kRun || index < 0) return;
  if (!LoadChosen()) choice_ = previous;
}

bool GraphWindowModel::LoadChosen() {
  if (choice_ < 0) {  // the prompt names no file
    dialogs_.ShowMessage(kGraphFileMissing, MessageKind::kWarning);
    return false;
  }
  const SavedGraph chosen = saved_graphs_[choice_];
  // Checked before the question below, so a graph is never discarded for one that cannot load.
  if (!FileExists(chosen.file)) {
    dialogs_.ShowMessage(kGraphFileMissing, MessageKind::kWarning);
    return false;
  }
  if (flavour_ == GraphFlavour::kRun && !saved_ && !current_file_.empty()) {
    if (dialogs_.AskYesNo(kDiscardGraph)) {
      if (IsTemporaryGraph(current_file_)) DeleteFileIfExists(current_file_);
    } else if (!Save()) {
      // The user wants to keep the graph and it could not be saved: keep showing it.
      return false;
    }
  }
  try {
    second_title_ = SecondSeriesTitle(chosen.file, flavour_);
    name_ = chosen.name;
    summary_.clear();
    summary_lines_.clear();
    Draw(chosen.file);
  } catch (const IoError& error) {
    ShowIoError(error);
    return false;
  }
  current_file_ = chosen.file;
  saved_ = true;
  return true;
}

bool GraphWindowModel::DeleteChosen() {
  if (choice_ < 0) {
    dialogs_.ShowMessage(kChooseGraphToDelete, MessageKind::kWarning);
    return false;
  }
  const SavedGraph chosen = saved_graphs_[choice_];
  if (!FileExists(chosen.file)) {
    dialogs_.ShowMessage(kGraphFileMissing, MessageKind::kWarning);
    return false;
  }
  std::error_code ec;
  const bool shown = current_file_ == chosen.file ||
                     (!current_file_.empty() && fs::equivalent(current_file_, chosen.file, ec));
  if (!DeleteFileIfExists(chosen.file)) {
    ShowIoError(IoError(IoErrorMessage(IoAction::kDelete, chosen.file)));
    return false;
  }
  saved_graphs_ = ListSavedGraphs(graph_folder());
  choice_ = -1;
  name_.clear();
  // Only the shown graph disappears with its file; deleting another saved graph keeps the view.
  if (shown) ClearGraph();
  dialogs_.ShowMessage(kGraphDeleted, MessageKind::kInformation);
  return true;
}

bool GraphWindowModel::Close() {
  if (!saved_ && !current_file_.empty() && !dialogs_.AskYesNo(kDiscardGraphAndClose)) return false;
  RemoveTemporaryGraphs();
  return true;
}

void GraphWindowModel::RemoveTemporaryGraphs() {
  if (!current_file_.empty() && IsTemporaryGraph(current_file_)) DeleteFileIfExists(current_file_);
  for (const fs::path& file : ListFiles(graph_folder()))
    if (IsTemporaryGraph(file)) DeleteFileIfExists(file);
}

void GraphWindowModel::ShowIoError(const IoError& error) {
  dialogs_.ShowMessage(error.what(), MessageKind::kError);
}

}  // namespace vessaro
