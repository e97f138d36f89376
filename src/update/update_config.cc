#include "update/update_config.h"

#include <cstdlib>

#include "common/ini.h"
#include "common/text.h"

namespace vessaro {
namespace {

std::string TrimRoot(std::string root) {
  root = Trim(root);
  while (!root.empty() && root.back() == '/') root.pop_back();
  return root;
}

}  // namespace

UpdateConfig LoadUpdateConfig(const fs::path& program_folder) {
  UpdateConfig config;
  std::string text;
  try {
    text = ReadTextFile(ResolveBelow(program_folder, kUpdateSettingsFile));
  } catch (const IoError&) {
    // An unreadable settings file is as good as none: no update.
  }
  IniDocument ini = IniDocument::Parse(text);
  config.root = TrimRoot(ini.Get("update", "root"));
  long long seconds = 0;
  if (ParseInt64(ini.Get("update", "timeout_seconds"), seconds) && seconds > 0 && seconds <= 3600)
    config.timeout_ms = static_cast<int>(seconds * 1000);
  config.admin_help_url1 = ini.Get("web", "admin_help1");
  config.admin_help_url2 = ini.Get("web", "admin_help2");
  config.forum_url = ini.Get("web", "forum");
  config.forum_password = ini.Get("web", "forum_password");
  if (const char* root = std::getenv(kUpdateRootVariable); root != nullptr) config.root = TrimRoot(root);
  long long ms = 0;
  if (const char* timeout = std::getenv(kUpdateTimeoutVariable);
      timeout != nullptr && ParseInt64(timeout, ms) && ms > 0 && ms <= 3600000)
    config.timeout_ms = static_cast<int>(ms);
  return config;
}

}  // namespace vessaro
