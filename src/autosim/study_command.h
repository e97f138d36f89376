// vessaro-sim --sessions K: a Monte Carlo study from the command line, after the same argument
// and settings checks as one run. It writes no auto log, graph file or play history; it prints the
// summary and writes the sessions (--csv) and the summary with the balance bands (--json).
#pragma once

#include <csignal>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "autosim/study.h"
#include "common/ports.h"

namespace vessaro {

struct StudyOptions {
  std::optional<std::string> sessions;  // given: a study instead of one run
  std::string jobs;                     // empty: one worker per core
  std::string csv;
  std::string json;
};

// Takes the study's own options (--sessions, --jobs, --csv, --json) out of args, leaving those
// of one run. False, with the message, when a value is missing or one comes without --sessions.
bool TakeStudyArguments(std::vector<std::string>& args, StudyOptions& out, std::string& error);

// The help text's part on studies (Japanese and English).
std::string StudyHelpText();

// Exit codes beyond those of one run: 3 when a session ended on a settings error, 130 when the
// study was interrupted (what was finished is still printed and written).
inline constexpr int kStudyInterrupted = 130;

// Plays the study of `request` (names, rounds, limits and seed already checked as for one run;
// the counts are read from options). Prints to out; returns the exit code. interrupted, when
// given, is looked at with every progress report (a signal handler sets it) and cancels the study.
int RunStudyCommand(const StudyOptions& options, StudyRequest request, const fs::path& home,
                    const TableSettings& settings, Clock& clock, std::ostream& out,
                    const volatile std::sig_atomic_t* interrupted = nullptr);

}  // namespace vessaro
