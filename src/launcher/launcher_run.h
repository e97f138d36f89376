// The launcher's run: wait for the simulator to be closed, update the simulator's files, show the
// maker's announcements and start the simulator. The window "Vessaro - 起動中" only shows it.
#pragma once

#include <string>
#include <vector>

#include "common/files.h"
#include "common/ports.h"
#include "update/update_protocol.h"

namespace vessaro {

namespace launcher_texts {
inline constexpr const char* kTitle = "Vessaro - 起動中";
inline constexpr const char* kUpdating = "アップデートを行っています...";
inline constexpr const char* kAnnouncementTitle = "お知らせ";
inline constexpr const char* kAnnouncementFolder = "popup";
inline constexpr const char* kAnnouncementList = "popuplist.txt";
}  // namespace launcher_texts

// The window of the run: the progress bar, and the announcement shown until the user closes it.
class LauncherView : public ProgressSink {
 public:
  virtual void ShowAnnouncement(const fs::path& picture) = 0;
};

struct LauncherPorts {
  UpdatePorts update;
  Dialogs& dialogs;
  ProcessList& processes;
  Shell& shell;
};

enum class LauncherEnd {
  kStarted,           // the simulator was started: the launcher ends
  kStartFailed,       // the start was refused (message shown): the launcher ends anyway
  kSimulatorRunning,  // message shown, nothing done: the window stays
  kUpdateFailed,      // message shown, the simulator not started: the window stays
};

// Downloads the announcement list and its pictures into program_folder/popup and returns the
// pictures to show, in order. A picture name that is not a plain file name is left out.
std::vector<fs::path> FetchAnnouncements(UpdatePorts& ports, const fs::path& program_folder,
                                         const std::string& root);

// Deletes every file of the announcement folder except the list and the shown pictures.
void CleanAnnouncements(const fs::path& program_folder, const std::vector<fs::path>& shown);

LauncherEnd RunLauncher(LauncherPorts& ports, LauncherView& view, const fs::path& program_folder,
                        const std::string& root, const fs::path& own_program);

}  // namespace vessaro
