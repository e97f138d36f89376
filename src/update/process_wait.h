// Waiting for the other program of the pair to end before its files are replaced, and the list
// of running programs behind it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "common/ports.h"

namespace vessaro {

inline constexpr int kProcessPollMs = 100;
inline constexpr int kProcessWaitMs = 5000;
inline constexpr const char* kAlreadyRunningFormat = "%sが既に起動されています。";

// True when a running program's name ends with program, ignoring case ("Vessaro", but not
// "vessaro-sim", which is another program).
bool IsProgramRunning(ProcessList& processes, std::string_view program);

// Polls every 100 ms, handling window events in between, for at most 5000 ms; true as soon as no
// such program runs, false when one still runs at the end.
bool WaitForProgramToEnd(ProcessList& processes, EventPump& pump, std::string_view program);

// The programs of this user's running processes, read from /proc.
class SystemProcessList : public ProcessList {
 public:
  std::vector<std::string> ProgramNames() override;
};

}  // namespace vessaro
