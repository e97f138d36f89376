// The log merge "ログ結合": every play log of one kind in a folder joined into
// history/<name>_merge<k>.txt, so that several days of play are analysed at once.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/files.h"
#include "common/ports.h"

namespace vessaro {

namespace merge_texts {
inline constexpr const char* kCaption = "ログ結合";
inline constexpr const char* kChoosePrompt = "選択してください";
inline constexpr const char* kChooseFolderTitle = "入力フォルダを選択してください。";
inline constexpr const char* kChooseKind = "結合したいログの種類を選択してください";
inline constexpr const char* kFolderBlank = "フォルダ名が空白です";
inline constexpr const char* kNameBlank = "保存ファイル名が空白です";
inline constexpr const char* kFolderMissing = "指定されたディレクトリが存在しません";
inline constexpr const char* kMergedBefore = "1度結合されたファイルは再結合できません ファイル名:%s";
inline constexpr const char* kOtherFormat = "別形式のファイルがあります ファイル名:%s";
inline constexpr const char* kNoFiles = "結合するファイルがありません";
inline constexpr const char* kFileExists = "同じファイル名が存在します\r\n上書きしますか？";
inline constexpr const char* kFinished = "結合処理が終了しました";
}  // namespace merge_texts

// The kinds in the order of the drop-down: 0 the program's play histories, 1 InterCasino-format
// logs, 2 simple user logs, 3 detailed user logs.
inline constexpr const char* kMergeKinds[4] = {"Kindletのログ", "インターカジノのログ", "簡易作成にて生成したログ",
                                               "詳細作成にて生成したログ"};

// history/<name>_merge<kind>.txt.
fs::path MergedLogPath(const fs::path& program_folder, std::string_view name, int kind);

// Whether a file's first line passes the kind's test.
bool PassesMergeTest(int kind, std::string_view first_line);

struct MergeRequest {
  int kind = -1;  // -1: the prompt
  std::string folder;
  std::string name;
};

struct MergeOutcome {
  std::optional<fs::path> merged;  // the file written
  // The field the cursor goes to after a refusal of the fields.
  enum class Field { kNone, kKind, kFolder, kName } focus = Field::kNone;
};

// "結合する": the checks of the fields and of the inputs (in listing order), the question before
// replacing a merged file, and the merge. Nothing is written unless every check has passed.
MergeOutcome MergeLogs(const fs::path& program_folder, const MergeRequest& request, Dialogs& dialogs);

}  // namespace vessaro
