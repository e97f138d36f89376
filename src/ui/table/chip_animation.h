// The chips' hover pulse: a scale animation that grows a chip to 70 x 70 and back while the
// pointer rests on it, a registry that allows one animation per control, and the tracker that
// finds the control under the pointer whenever the application is idle.
#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QTimer>
#include <functional>
#include <vector>

class QWidget;

namespace vessaro {

class TAnimateManeger;

// An animation of one control, on an ordinary window timer; it frees itself when it ends, and
// goes with its control or its registry, whichever goes first.
class TAnimater : public QObject {
  Q_OBJECT
 public:
  TAnimater(QWidget* control, TAnimateManeger& registry);
  ~TAnimater() override;
  QWidget* control() const { return control_; }
  void Start(int interval_ms);
  // One tick of the timer.
  virtual void Step() = 0;

 protected:
  // Stops the timer, leaves the registry and deletes the animator once control returns to the
  // event loop.
  void End();

 private:
  friend class TAnimateManeger;
  QPointer<QWidget> control_;
  TAnimateManeger* registry_;
  int entry_ = -1;
  QTimer timer_;
};

// From the control's size to another and back, endlessly, keeping the centre where it is. A stop
// request lets the current growth finish and the shrink back complete, so the control always
// ends at its starting size.
class TScaleAnimater : public TAnimater {
  Q_OBJECT
 public:
  static constexpr int kInterval = 10;  // ms

  TScaleAnimater(QWidget* control, QSize end, int duration_ms, TAnimateManeger& registry);
  void RequestStop() { stop_requested_ = true; }
  bool growing() const { return growing_; }
  int steps() const { return steps_; }
  void Step() override;

 private:
  QRect start_;
  QSize end_;
  int steps_;
  int step_ = 0;
  bool growing_ = true;
  bool stop_requested_ = false;
};

// The running animators. Entries are taken when an animator is made and cleared when it is
// freed; the list grows ten entries at a time.
class TAnimateManeger {
 public:
  TAnimateManeger() = default;
  TAnimateManeger(const TAnimateManeger&) = delete;
  TAnimateManeger& operator=(const TAnimateManeger&) = delete;
  ~TAnimateManeger();
  int Register(TAnimater* animator);
  void Unregister(int entry);
  TAnimater* Find(const QWidget* control) const;
  bool Animating(const QWidget* control) const { return Find(control) != nullptr; }
  int capacity() const { return static_cast<int>(entries_.size()); }
  int running() const;

 private:
  std::vector<TAnimater*> entries_;
};

// The pointer entered a chip: the pulse to width x height over duration ms, unless the chip
// already has an animation.
void PulseControl(TAnimateManeger& registry, QWidget* control, int width, int height, int duration_ms);
// The pointer left it: the pulse winds down.
void StopPulse(TAnimateManeger& registry, QWidget* control);

// Calls a control's enter and leave handlers as the pointer moves over the registered controls.
class TMouseEventManager : public QObject {
  Q_OBJECT
 public:
  explicit TMouseEventManager(QObject* parent = nullptr);
  void Register(QWidget* control, std::function<void()> on_enter, std::function<void()> on_leave);
  int registered() const { return static_cast<int>(entries_.size()); }
  // Looks up the control under the pointer whenever the application's event loop is about to
  // wait for more events.
  void TrackWhenIdle();
  // What each idle moment does with the control under the pointer (nullptr: none).
  void Track(QWidget* under);
  QWidget* last_seen() const { return last_; }

 private:
  struct Entry {
    QPointer<QWidget> control;
    std::function<void()> on_enter;
    std::function<void()> on_leave;
  };
  const Entry* Lookup(const QWidget* control) const;
  void TrackPointer();

  std::vector<Entry> entries_;
  QPointer<QWidget> last_;
};

}  // namespace vessaro
