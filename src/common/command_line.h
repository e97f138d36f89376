// What the command-line companions share in reading their arguments and in stopping on Ctrl+C.
#pragma once

#include <csignal>
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

}  // namespace vessaro
