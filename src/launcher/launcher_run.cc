#include "launcher/launcher_run.h"

#include <algorithm>

#include "common/format.h"
#include "common/text.h"
#include "update/confined_path.h"
#include "update/process_wait.h"
#include "update/start_update.h"

namespace vessaro {
namespace {

// The value of key in key=value lines, regardless of the key's letter case; empty when missing.
std::string ValueOf(const std::vector<std::string>& lines, const std::string& key) {
  for (const std::string& line : lines) {
    const size_t eq = line.find('=');
    if (eq != std::string::npos && EqualsIgnoreCase(std::string_view(line).substr(0, eq), key))
      return line.substr(eq + 1);
  }
  return {};
}

}  // namespace

std::vector<fs::path> FetchAnnouncements(UpdatePorts& ports, const fs::path& program_folder,
                                         const std::string& root) {
  std::vector<fs::path> shown;
  const fs::path folder = program_folder / launcher_texts::kAnnouncementFolder;
  if (!EnsureFolder(folder)) return shown;
  const fs::path list = folder / launcher_texts::kAnnouncementList;
  DeleteFileIfExists(list);
  if (root.empty()) return shown;
  const std::string base = WithScheme(root);
  const std::string query = StampMinute(ports.clock.LocalNow());
  if (ports.http.Download(base + "/popup/popuplist.txt?" + query, list.string()).status != 200) return shown;

  std::vector<std::string> lines;
  try {
    lines = ReadTextLines(list);
  } catch (const IoError&) {
    return shown;
  }
  for (int n = 1;; ++n) {
    const std::string name = ValueOf(lines, Format("popup%d", n));
    if (name.empty()) break;
    // Only a plain file name of the announcement folder; anything else is not shown.
    std::optional<std::string> flat = FlatFileName(name);
    if (!flat || *flat != name || EqualsIgnoreCase(name, launcher_texts::kAnnouncementList)) continue;
    const fs::path picture = folder / name;
    DeleteFileIfExists(picture);
    ports.http.Download(base + "/popup/" + EncodeUrlPath(name) + "?" + query, picture.string());
    shown.push_back(picture);
  }
  return shown;
}

void CleanAnnouncements(const fs::path& program_folder, const std::vector<fs::path>& shown) {
  const fs::path folder = program_folder / launcher_texts::kAnnouncementFolder;
  for (const fs::path& file : ListFiles(folder)) {
    const std::string name = file.filename().string();
    if (name == launcher_texts::kAnnouncementList) continue;
    const bool keep = std::any_of(shown.begin(), shown.end(), [&](const fs::path& p) { return p.filename() == name; });
    if (!keep) DeleteFileIfExists(file);
  }
}

LauncherEnd RunLauncher(LauncherPorts& ports, LauncherView& view, const fs::path& program_folder,
                        const std::string& root, const fs::path& own_program) {
  const fs::path simulator = program_folder / kSimulatorProgram;
  if (!WaitForProgramToEnd(ports.processes, ports.update.pump, kSimulatorProgram)) {
    ports.dialogs.ShowMessage(Format(kAlreadyRunningFormat, kSimulatorProgram), MessageKind::kInformation);
    return LauncherEnd::kSimulatorRunning;
  }
  if (!root.empty()) {
    UpdateRequest request;
    request.base = program_folder;
    request.root = root;
    request.own_program = own_program;
    UpdateOutcome outcome = UpdateFiles(ports.update, &view, request);
    if (outcome.result < 0) {
      ports.dialogs.ShowMessage(outcome.message, MessageKind::kError);
      return LauncherEnd::kUpdateFailed;
    }
  }
  const std::vector<fs::path> shown = FetchAnnouncements(ports.update, program_folder, root);
  for (const fs::path& picture : shown)
    if (FileExists(picture)) view.ShowAnnouncement(picture);
  CleanAnnouncements(program_folder, shown);

  const int code = StartProgramFile(ports.shell, simulator);
  if (code != 0) {
    ports.dialogs.ShowMessage(Format(start_texts::kStartFailed, kSimulatorProgram, code), MessageKind::kError);
    return LauncherEnd::kStartFailed;
  }
  return LauncherEnd::kStarted;
}

}  // namespace vessaro
