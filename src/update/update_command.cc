#include "update/update_command.h"

#include "common/command_line.h"
#include "common/text.h"
#include "update/update_config.h"

namespace vessaro {

namespace {
constexpr const char* kNoRoot = "アップデートサーバーが設定されていません。";
}

std::string UpdateHelpText() {
  return
      "使い方 / Usage:\n"
      "  vessaro-update --home DIR [--root URL] [--file NAME]\n"
      "\n"
      "プログラムフォルダ DIR のファイルを、アップデートサーバーのファイル一覧（アプリケーション\n"
      "\"baccarat\"）に合わせて更新します。\n"
      "Brings the files of the program folder DIR up to date from the update server's file list of\n"
      "application \"baccarat\".\n"
      "\n"
      "  --home DIR   プログラムフォルダ / the program folder (the base folder of the update)\n"
      "  --root URL   アップデートサーバーのルート（省略時は DIR の System/Update.ini）\n"
      "               the server root (default: System/Update.ini of DIR, or VESSARO_UPDATE_ROOT)\n"
      "  --file NAME  一覧を求めるファイル名（Kindlet など。省略時はすべて）\n"
      "               the file name sent with the list request (Kindlet, say; default: all files)\n"
      "  --help       この説明を表示します / shows this text\n"
      "\n"
      "更新したファイルを1行ずつ表示し、最後に結果を表示します。\n"
      "Prints each file it replaced, then the result.\n"
      "\n"
      "終了コード / exit status: 0 成功 / success; 2 引数の誤り、サーバー未設定、通信・ダウンロードの\n"
      "  失敗 / wrong arguments, no server, or a failed request or download.\n";
}

std::optional<UpdateCommandOptions> ParseUpdateArguments(const std::vector<std::string>& args, std::string& error) {
  UpdateCommandOptions o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "--help" || a == "-h") {
      o.help = true;
      return o;
    }
    if (a != "--home" && a != "--root" && a != "--file") {
      error = "不明な引数です / unknown argument: " + a;
      return std::nullopt;
    }
    std::string v;
    if (!TakeOptionValue(args, i, v, error)) return std::nullopt;
    if (a == "--home") o.home = v;
    if (a == "--root") o.root = v;
    if (a == "--file") o.file_name = v;
  }
  if (o.home.empty()) {
    error = "--home を指定してください / --home is required";
    return std::nullopt;
  }
  if (!FolderExists(o.home)) {
    error = "フォルダがありません / no such folder: " + o.home;
    return std::nullopt;
  }
  if (Contains(o.file_name, "/") || Contains(o.file_name, "\\")) {
    error = "--file にはファイル名だけを指定してください / --file takes a file name, not a path";
    return std::nullopt;
  }
  return o;
}

int RunUpdateCommand(const UpdateCommandOptions& options, UpdatePorts& ports, const fs::path& own_program,
                     std::ostream& out) {
  const fs::path home = fs::absolute(options.home);
  std::string root = options.root ? *options.root : LoadUpdateConfig(home).root;
  while (!root.empty() && root.back() == '/') root.pop_back();
  if (root.empty()) {
    out << kNoRoot << "\n";
    return 2;
  }
  UpdateRequest request;
  request.base = home;
  request.root = root;
  request.file_name = options.file_name;
  request.own_program = own_program;
  UpdateOutcome outcome = UpdateFiles(ports, nullptr, request);
  for (const fs::path& file : outcome.replaced) out << "更新 / replaced: " << file.string() << "\n";
  if (!outcome.message.empty()) out << ReplaceAll(outcome.message, "\r\n", "\n") << "\n";
  out << "結果 / result: " << outcome.result << " (" << outcome.replaced.size() << " 件更新 / files replaced)\n";
  return outcome.result == 0 ? 0 : 2;
}

}  // namespace vessaro
