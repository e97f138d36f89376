// The real clock, for programs without a window system (vessaro-sim) and for the Qt programs.
#pragma once

#include "common/ports.h"

namespace vessaro {

class SystemClock : public Clock {
 public:
  DateTime LocalNow() override;
  DateTime UtcNow() override;
  int64_t MonotonicMillis() override;
};

}  // namespace vessaro
