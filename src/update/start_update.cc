#include "update/start_update.h"

#include <unistd.h>

#include <cerrno>

#include "common/format.h"
#include "update/process_wait.h"

namespace vessaro {

int StartProgramFile(Shell& shell, const fs::path& program) {
  if (!FileExists(program)) return ENOENT;
  if (::access(program.c_str(), X_OK) != 0) return EACCES;
  return shell.StartProgram(program.string(), {}) ? 0 : 1;
}

bool UpdateLauncherAtStart(StartUpdatePorts& ports, StartUpdateView& view, const fs::path& program_folder,
                           const std::string& root, const fs::path& own_program) {
  if (root.empty()) return false;
  view.Show();
  if (!WaitForProgramToEnd(ports.processes, ports.update.pump, kLauncherProgram)) {
    view.Close();
    ports.dialogs.ShowMessage(Format(kAlreadyRunningFormat, kLauncherProgram), MessageKind::kInformation);
    return false;
  }
  UpdateRequest request;
  request.base = program_folder;
  request.root = root;
  request.file_name = kLauncherProgram;
  request.own_program = own_program;
  UpdateOutcome outcome = UpdateFiles(ports.update, &view, request);
  view.Close();
  const bool report = outcome.result < 0 || outcome.message_from_server ||
                      (outcome.result == 0 && !outcome.message.empty());
  if (report && !outcome.message.empty()) ports.dialogs.ShowMessage(outcome.message, MessageKind::kInformation);
  if (!outcome.updated) return false;

  ports.dialogs.ShowMessage(start_texts::kLauncherUpdated, MessageKind::kInformation);
  const int code = StartProgramFile(ports.shell, program_folder / kLauncherProgram);
  if (code != 0) {
    // The simulator stays rather than leaving the user with no program at all.
    ports.dialogs.ShowMessage(Format(start_texts::kStartFailed, kLauncherProgram, code), MessageKind::kError);
    return false;
  }
  return true;
}

}  // namespace vessaro
