#include "ui/table/mm_timer.h"

#include <cmath>

namespace vessaro {

TMMTimer::TMMTimer(QObject* parent) : QObject(parent) {
  timer_.setTimerType(Qt::PreciseTimer);
  elapsed_.start();
  connect(&timer_, &QTimer::timeout, this, &TMMTimer::Tick);
}

int64_t TMMTimer::Now() const { return clock_ ? clock_() : elapsed_.elapsed(); }

void TMMTimer::SetInterval(int ms) {
  interval_ = ms;
  Restart();
}

void TMMTimer::SetEnabled(bool on) {
  enabled_ = on;
  Restart();
}

void TMMTimer::SetHandler(std::function<void()> handler) {
  handler_ = std::move(handler);
  Restart();
}

void TMMTimer::SetClock(std::function<int64_t()> clock) {
  clock_ = std::move(clock);
  Restart();
}

void TMMTimer::Restart() {
  timer_.stop();
  if (!enabled_ || interval_ <= 0 || !handler_) return;
  due_ = Now() + interval_;
  timer_.start(interval_);
}

void TMMTimer::Tick() {
  if (!enabled_ || !handler_) return;
  const int64_t now = Now();
  const int64_t grace = std::lround(interval_ * 0.9);
  if (now - due_ > grace) {
    SetEnabled(false);
    return;
  }
  due_ = now + interval_;
  handler_();
}

}  // namespace vessaro
