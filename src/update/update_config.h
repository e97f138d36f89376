// Where the updates and the maker's web pages are: System/Update.ini of the program folder, which
// the installation ships. No server root means no update and no announcement.
#pragma once

#include <string>

#include "common/files.h"

namespace vessaro {

inline constexpr const char* kUpdateSettingsFile = "System/Update.ini";
// Environment variables that override the file (tests, a maker trying a new server).
inline constexpr const char* kUpdateRootVariable = "VESSARO_UPDATE_ROOT";
inline constexpr const char* kUpdateTimeoutVariable = "VESSARO_UPDATE_TIMEOUT_MS";

struct UpdateConfig {
  std::string root;  // "https://host/path" or "http://host"; empty: no update
  int timeout_ms = 300000;
  std::string admin_help_url1;  // the two pages of "管理者モードで実行するには？"
  std::string admin_help_url2;
  std::string forum_url;  // "交流掲示板" and the password shown before it opens
  std::string forum_password;
};

// [update] root, timeout_seconds; [web] admin_help1, admin_help2, forum, forum_password. A root
// loses its trailing "/"; VESSARO_UPDATE_ROOT, when set (even empty), replaces it, and
// VESSARO_UPDATE_TIMEOUT_MS the time-out.
UpdateConfig LoadUpdateConfig(const fs::path& program_folder);

}  // namespace vessaro
