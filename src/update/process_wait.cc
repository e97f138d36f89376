#include "update/process_wait.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <fstream>

#include "common/files.h"
#include "common/text.h"

namespace vessaro {

bool IsProgramRunning(ProcessList& processes, std::string_view program) {
  for (const std::string& name : processes.ProgramNames()) {
    if (name.size() >= program.size() && EqualsIgnoreCase(std::string_view(name).substr(name.size() - program.size()), program))
      return true;
  }
  return false;
}

bool WaitForProgramToEnd(ProcessList& processes, EventPump& pump, std::string_view program) {
  for (int waited = 0;; waited += kProcessPollMs) {
    if (!IsProgramRunning(processes, program)) return true;
    if (waited >= kProcessWaitMs) return false;
    pump.Pause(kProcessPollMs);
  }
}

std::vector<std::string> SystemProcessList::ProgramNames() {
  std::vector<std::string> names;
  std::error_code ec;
  const uid_t me = ::getuid();
  for (auto it = fs::directory_iterator("/proc", ec); !ec && it != fs::directory_iterator(); it.increment(ec)) {
    const std::string pid = it->path().filename().string();
    if (pid.empty() || !std::isdigit(static_cast<unsigned char>(pid[0]))) continue;
    struct stat st {};
    // Another user's copy of the simulator runs in that user's folder and does not matter here.
    if (::stat(it->path().c_str(), &st) != 0 || st.st_uid != me) continue;
    // A process may end between the listing and this read: then there is simply no name.
    std::ifstream in(it->path() / "comm");
    std::string comm;
    std::getline(in, comm);
    while (!comm.empty() && (comm.back() == '\n' || comm.back() == '\r')) comm.pop_back();
    if (!comm.empty()) names.push_back(std::move(comm));
  }
  return names;
}

}  // namespace vessaro
