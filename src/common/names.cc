#include "common/names.h"

#include "common/cp932.h"

namespace vessaro {

std::string ForbiddenCharactersMessage(NameKind kind) {
  return kind == NameKind::kGraph ? "\\/:*?\"<'>|.は禁止文字です" : "\\/:*?\"<'>|.,は禁止文字です";
}

std::optional<std::string> CheckNameCharacters(std::string_view name, NameKind kind) {
  std::string_view forbidden = kind == NameKind::kGraph ? "\\/:*?\"<>|." : "\\/:*?\"<>|.,";
  if (name.find_first_of(forbidden) != std::string_view::npos)
    return ForbiddenCharactersMessage(kind);
  for (const char c : name)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return std::string(kControlCharacterMessage);
  if (!IsCp932Encodable(name)) return std::string(kUnstorableCharacterMessage);
  return std::nullopt;
}

}  // namespace vessaro
