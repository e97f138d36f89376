// What the simulator's window "アップデート情報" decides: the write check through the archive
// update, and the web pages and forum password it opens or shows.
#pragma once

#include <string>
#include <vector>

#include "common/files.h"
#include "update/update_config.h"
#include "update/update_protocol.h"

namespace vessaro {

namespace update_info_texts {
inline constexpr const char* kTitle = "アップデート情報";
inline constexpr const char* kReleaseNoteFile = "releasenote.txt";
inline constexpr const char* kAdminCheck = "管理者モード実行かの確認をする";
inline constexpr const char* kAdminHelp = "管理者モードで実行するには？";
inline constexpr const char* kForum = "交流掲示板";
inline constexpr const char* kNotAdministrator = "管理者モードで実行されていません\r\n管理者モードにて実行してください";
inline constexpr const char* kAdministrator = "管理者モードで実行されています";
inline constexpr const char* kNoServer = "アップデートサーバーが設定されていないため、確認できません。";
inline constexpr const char* kNoPage = "このページのアドレスが設定されていません。";
inline constexpr const char* kNoForum = "交流掲示板のアドレスが設定されていません。";
inline constexpr const char* kForumPassword = "交流掲示板のパスワードは「%s」です。";
inline constexpr const char* kHelpText =
    "アップデートでは、プログラムのフォルダーにファイルを書き込みます。\r\n"
    "書き込む権限がないとアップデートに失敗します。\r\n"
    "下のボタンから、権限のあるユーザーで実行する方法の説明ページを開けます。";
inline constexpr const char* kHelpPage1 = "フォルダーの権限を確認する";
inline constexpr const char* kHelpPage2 = "管理者として実行する";
}  // namespace update_info_texts

// "管理者モード実行かの確認をする": installs the archive into the launcher's folder and says
// whether the program may write there. A download or extraction that fails says so instead (it
// tells nothing about the folder); no server root says the check cannot be made.
std::string CheckAdministrator(UpdatePorts& ports, const UpdateConfig& config, const fs::path& program_folder,
                               const std::string& own_program_name);

// What a web button does: messages to show first, then the page to open (empty: none).
struct WebAction {
  std::vector<std::string> messages;
  std::string url;
};
WebAction OpenPageAction(const std::string& url);
WebAction ForumAction(const UpdateConfig& config);

}  // namespace vessaro
