// Builds zip archives for the tests with libzip: entries encrypted with a password (the old
// PKWARE method, which the maker's archives use) or plain.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "common/files.h"

namespace vessaro::testing {

// entries: name in the archive, content. False when libzip refused.
bool MakeZip(const fs::path& archive, const std::vector<std::pair<std::string, std::string>>& entries,
             const std::string& password);

// The archive's bytes.
std::string ZipBytes(const std::vector<std::pair<std::string, std::string>>& entries, const std::string& password);

}  // namespace vessaro::testing
