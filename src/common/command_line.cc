#include "common/command_line.h"

namespace vessaro {
namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void OnInterrupt(int) { interrupted = 1; }

}  // namespace

std::string MissingValueMessage(const std::string& option) {
  return option + " に値がありません / " + option + " needs a value";
}

bool TakeOptionValue(const std::vector<std::string>& args, size_t& i, std::string& into, std::string& error) {
  if (i + 1 >= args.size()) {
    error = MissingValueMessage(args[i]);
    return false;
  }
  into = args[++i];
  return true;
}

const volatile std::sig_atomic_t* CatchInterrupts() {
  std::signal(SIGINT, OnInterrupt);
  std::signal(SIGTERM, OnInterrupt);
  return &interrupted;
}

}  // namespace vessaro
