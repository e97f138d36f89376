// vessaro-sim: automatic runs without display from the command line (scripts, batches, benchmarks).
#include "autosim/sim_command.h"
#include "common/command_line.h"
#include "common/process_setup.h"
#include "common/system_clock.h"

int main(int argc, char** argv) {
  vessaro::IgnoreFileSizeSignal();
  // Ctrl+C ends the run as its cancel does: the files are closed on whole lines and say how many
  // rounds were played.
  const volatile std::sig_atomic_t* interrupted = vessaro::CatchInterrupts();
  return vessaro::RunCommandLine(argc, argv, vessaro::SimHelpText(), vessaro::ParseSimArguments,
                                 [&](const vessaro::SimOptions& options) {
                                   vessaro::SystemClock clock;
                                   return vessaro::RunSimCommand(options, clock, std::cout, interrupted);
                                 });
}
