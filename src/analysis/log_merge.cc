#include "analysis/log_merge.h"

#include "analysis/play_log.h"
#include "common/format.h"
#include "common/names.h"
#include "common/text.h"
#include "systems/editor_common.h"

namespace vessaro {
namespace {

namespace mt = merge_texts;

MergeOutcome Refused(Dialogs& dialogs, const std::string& message, MergeOutcome::Field focus) {
  dialogs.ShowMessage(message, MessageKind::kWarning);
  MergeOutcome out;
  out.focus = focus;
  return out;
}

}  // namespace

fs::path MergedLogPath(const fs::path& program_folder, std::string_view name, int kind) {
  return program_folder / "history" / (std::string(name) + "_merge" + std::to_string(kind) + ".txt");
}

bool PassesMergeTest(int kind, std::string_view first_line) {
  switch (kind) {
    case 0:
    case 2:
      return first_line.find_first_of("BP") != std::string_view::npos &&
             first_line.find(',') == std::string_view::npos;
    case 1:
      return Contains(first_line, "ゲーム:");
    case 3:
      return SplitFields(first_line, 0, ",").count == 5 &&
             (Contains(first_line, ",B,") || Contains(first_line, ",P,"));
    default:
      return false;
  }
}

MergeOutcome MergeLogs(const fs::path& program_folder, const MergeRequest& request, Dialogs& dialogs) {
  using Field = MergeOutcome::Field;
  if (request.kind < 0 || request.kind > 3) return Refused(dialogs, mt::kChooseKind, Field::kKind);
  if (request.folder.empty()) return Refused(dialogs, mt::kFolderBlank, Field::kFolder);
  if (request.name.empty()) return Refused(dialogs, mt::kNameBlank, Field::kName);
  const fs::path folder = Trim(request.folder);
  if (!FolderExists(folder)) return Refused(dialogs, mt::kFolderMissing, Field::kFolder);
  const std::string name = Trim(request.name);
  if (name.empty()) return Refused(dialogs, mt::kNameBlank, Field::kName);
  if (auto refusal = CheckNameCharacters(name, NameKind::kFile)) return Refused(dialogs, *refusal, Field::kName);

  return GuardFileErrors(dialogs, [&]() -> MergeOutcome {
    // Every input is read and checked before anything is written.
    const std::vector<fs::path> files = ListFiles(folder);
    std::vector<LogLines> inputs;
    for (const fs::path& file : files) {
      const std::string file_name = file.filename().string();
      // The file's own name, not the folder's: a folder called "..._merge" holds ordinary logs.
      if (Contains(file_name, "_merge"))
        return Refused(dialogs, Format(mt::kMergedBefore, file_name.c_str()), Field::kNone);
      LogLines lines = ReadLogLines(file);
      if (!PassesMergeTest(request.kind, lines.first()))
        return Refused(dialogs, Format(mt::kOtherFormat, file_name.c_str()), Field::kNone);
      inputs.push_back(std::move(lines));
    }
    if (inputs.empty()) return Refused(dialogs, mt::kNoFiles, Field::kFolder);

    std::string merged;
    if (request.kind == 1) {
      std::string letters;
      for (const LogLines& log : inputs) {
        OutcomeSequence sequence = ToOutcomeSequence(log);
        letters += sequence.letters;
      }
      for (size_t i = 0; i < letters.size(); i += 100) {
        merged.append(letters, i, 100);
        merged += "\r\n";
      }
    } else {
      for (const LogLines& log : inputs) {
        for (size_t i = 0; i < log.size(); ++i) {
          if (log[i].empty()) continue;
          merged.append(log[i]);
          merged += "\r\n";
        }
      }
    }

    const fs::path target = MergedLogPath(program_folder, name, request.kind);
    if (!EnsureFolder(target.parent_path())) ThrowIoError(IoAction::kCreateFolder, target.parent_path());
    if (FileExists(target) && !dialogs.AskYesNo(mt::kFileExists)) return MergeOutcome{};
    WriteTextFile(target, merged);
    dialogs.ShowMessage(mt::kFinished, MessageKind::kInformation);
    MergeOutcome out;
    out.merged = target;
    return out;
  });
}

}  // namespace vessaro
