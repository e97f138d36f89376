// The simulator's side of the pair: at its first display it waits for the launcher to end,
// brings the launcher's file up to date and, when it was updated, starts it and ends. Also the
// start of the other program, which both sides share.
#pragma once

#include <string>

#include "common/files.h"
#include "common/ports.h"
#include "update/update_protocol.h"

namespace vessaro {

namespace start_texts {
inline constexpr const char* kLauncherUpdated =
    "起動プログラムのアップデートがありました。アプリケーションを再起動します。";
inline constexpr const char* kStartFailed = "%sの起動に失敗しました\\(%d)";
inline constexpr const char* kSplashTitle = "Kindlet";
inline constexpr const char* kSplashText = "アップデートを確認しています．．．";
}  // namespace start_texts

// Starts the program file; 0 when it started, otherwise the reason: 2 (no such file), 13 (not
// executable) or 1 (the system refused to start it).
int StartProgramFile(Shell& shell, const fs::path& program);

// The splash "Kindlet" with its progress bar.
class StartUpdateView : public ProgressSink {
 public:
  virtual void Show() = 0;
  virtual void Close() = 0;
};

struct StartUpdatePorts {
  UpdatePorts update;
  Dialogs& dialogs;
  ProcessList& processes;
  Shell& shell;
};

// True when the launcher was updated and started: the simulator must end now. Without a server
// root nothing is done. A failure of the network alone is not reported (the launcher has just
// tried the same server); a negative result, or a message the server sent, is shown.
bool UpdateLauncherAtStart(StartUpdatePorts& ports, StartUpdateView& view, const fs::path& program_folder,
                           const std::string& root, const fs::path& own_program);

}  // namespace vessaro
