// Opening a file with the program associated with its type, and the file-type filters of the
// open-file choice.
#pragma once

#include <optional>
#include <string>

#include "common/ports.h"

namespace vessaro {

inline constexpr const char* kCannotStartApplication = "アプリケーションファイルを起動できませんでした。";
inline constexpr const char* kChooseInputFileTitle = "入力ファイルを指定してください。";

// nullopt when the file was handed to its program; otherwise the message to show. A path without
// an extension is refused.
std::optional<std::string> OpenWithAssociation(Shell& shell, const std::string& path);

// "%s FILE(%s)|%s|ALL FILE(*.*)|*.*" from a pattern such as "*.TXT".
std::string MakeFileFilter(const std::string& pattern);

}  // namespace vessaro
