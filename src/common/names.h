// The check of names that users type and that become file names.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vessaro {

enum class NameKind {
  kFile,   // systems, patterns, logs, reports: eleven forbidden characters
  kGraph,  // saved graphs: the comma is allowed
};

// The refusal message for the kind ("\/:*?"<'>|.,は禁止文字です" and the graph variant).
std::string ForbiddenCharactersMessage(NameKind kind);

// Shown when a typed text holds a character the data files' code page cannot store.
inline constexpr const char* kUnstorableCharacterMessage =
    "保存できない文字（絵文字など）が含まれています";

// Shown when a name holds a line break, a tab or another control character (a pasted text).
inline constexpr const char* kControlCharacterMessage = "改行やタブなどの制御文字は使えません";

// nullopt when the (already trimmed) name may be used; otherwise the message to show.
// An empty name is the caller's own message, so it is not checked here.
std::optional<std::string> CheckNameCharacters(std::string_view name, NameKind kind);

}  // namespace vessaro
