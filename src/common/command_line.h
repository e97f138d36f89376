// What the command-line companions share in reading their arguments and in stopping on Ctrl+C.
#pragma once

#include <csignal>
#include <exception>
#include <iostream>
#include <string>
#include <vector>

namespace vessaro {

// The refusal for an option given last, without its value.
std::string MissingValueMessage(const std::string& option);

// Takes the value after the option at args[i] and moves i onto it; false, with the refusal in
// `error`, when the option is the last argument.
bool TakeOptionValue(const std::vector<std::string>& args, size_t& i, std::string& into, std::string& error);

// Ctrl+C and SIGTERM set the flag returned instead of killing the program, so that a run or a
// replay can end as its cancel does: files closed on whole lines, what was done reported.
const volatile std::sig_atomic_t* CatchInterrupts();

// The frame of every command-line program's main: parse the arguments (exit 2 with the refusal and
// the help text), answer --help, then run; anything unforeseen becomes a message and exit 2
// instead of an abort. `parse(args, error)` returns an optional options object with a `help`
// member; `run(options)` returns the exit code.
template <typename Parse, typename Run>
int RunCommandLine(int argc, char** argv, const std::string& help_text, Parse parse, Run run) {
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    auto options = parse(args, error);
    if (!options) {
      std::cerr << error << "\n\n" << help_text;
      return 2;
    }
    if (options->help) {
      std::cout << help_text;
      return 0;
    }
    return run(*options);
  } catch (const std::exception& e) {
    std::cout << std::flush;
    std::cerr << "予期しないエラーで終了しました / stopped on an unexpected error: " << e.what() << "\n";
    return 2;
  }
}

}  // namespace vessaro
