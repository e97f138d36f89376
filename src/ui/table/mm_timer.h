// TMMTimer: the periodic timer behind the card animations. A precise Qt timer on the window
// thread; a tick that comes more than 90 % of an interval late means the window thread was busy,
// and the timer then disables itself instead of catching up. Qt never queues a second timeout of
// one timer, so ticks cannot pile up while the thread is busy either way.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <cstdint>
#include <functional>

namespace vessaro {

class TMMTimer : public QObject {
  Q_OBJECT
 public:
  explicit TMMTimer(QObject* parent = nullptr);

  int interval() const { return interval_; }
  bool enabled() const { return enabled_; }
  // Each of these stops the running timer and starts it afresh when it is enabled, has an
  // interval and has a handler.
  void SetInterval(int ms);
  void SetEnabled(bool on);
  void SetHandler(std::function<void()> handler);

  // Milliseconds of a monotonic clock; tests hand in their own to simulate a busy thread.
  void SetClock(std::function<int64_t()> clock);
  // One tick, as the timer delivers it: the handler, or disabling when the tick is too late.
  void Tick();
  bool active() const { return timer_.isActive(); }

 private:
  void Restart();
  int64_t Now() const;

  QTimer timer_;
  QElapsedTimer elapsed_;
  std::function<int64_t()> clock_;
  std::function<void()> handler_;
  int interval_ = 1000;
  bool enabled_ = true;
  int64_t due_ = 0;
};

}  // namespace vessaro
