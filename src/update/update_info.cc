#include "update/update_info.h"

#include "common/format.h"

namespace vessaro {

std::string CheckAdministrator(UpdatePorts& ports, const UpdateConfig& config, const fs::path& program_folder,
                               const std::string& own_program_name) {
  if (config.root.empty()) return update_info_texts::kNoServer;
  ArchiveRequest request;
  request.target_file = program_folder / kLauncherProgram;
  request.root = config.root;
  request.own_program_name = own_program_name;
  ArchiveOutcome outcome = InstallArchive(ports, request);
  if (outcome.result == kResultDownloadFailed || outcome.result == kResultExtractFailed) return outcome.message;
  if (outcome.result < 0 || !outcome.message.empty()) return update_info_texts::kNotAdministrator;
  return update_info_texts::kAdministrator;
}

WebAction OpenPageAction(const std::string& url) {
  if (url.empty()) return WebAction{{update_info_texts::kNoPage}, ""};
  return WebAction{{}, url};
}

WebAction ForumAction(const UpdateConfig& config) {
  if (config.forum_url.empty()) return WebAction{{update_info_texts::kNoForum}, ""};
  WebAction action;
  if (!config.forum_password.empty())
    action.messages.push_back(Format(update_info_texts::kForumPassword, config.forum_password.c_str()));
  action.url = config.forum_url;
  return action;
}

}  // namespace vessaro
