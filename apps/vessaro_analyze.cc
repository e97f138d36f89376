// vessaro-analyze: the training analysis from the command line (scripts, checks without display).
#include "analysis/analyze_command.h"
#include "common/command_line.h"
#include "common/process_setup.h"
#include "common/system_clock.h"

int main(int argc, char** argv) {
  vessaro::IgnoreFileSizeSignal();
  // Ctrl+C ends a replay as its cancel does: the graph holds the rounds replayed, on whole lines.
  const volatile std::sig_atomic_t* interrupted = vessaro::CatchInterrupts();
  return vessaro::RunCommandLine(argc, argv, vessaro::AnalyzeHelpText(), vessaro::ParseAnalyzeArguments,
                                 [&](const vessaro::AnalyzeOptions& options) {
                                   vessaro::SystemClock clock;
                                   return vessaro::RunAnalyzeCommand(options, clock, std::cout, std::cerr,
                                                                     interrupted);
                                 });
}
