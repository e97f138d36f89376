#include "common/process_setup.h"

#include <csignal>

namespace vessaro {

void IgnoreFileSizeSignal() { std::signal(SIGXFSZ, SIG_IGN); }

}  // namespace vessaro
