// The dealt card's slide from the shoe and its turn from back to face. Both run on a TMMTimer of
// 20 ms; the callers wait for the end while the window keeps processing its events.
#pragma once

#include <QLabel>
#include <QObject>
#include <QPixmap>
#include <QPoint>

#include "ui/table/mm_timer.h"

namespace vessaro {

// Moves or turns one control. It remembers the control's width, left and top when made.
class TAnimateCard : public QObject {
  Q_OBJECT
 public:
  static constexpr int kInterval = 20;   // ms between steps
  static constexpr int kSlideTime = 20;  // ms: a single step
  static constexpr int kFlipTime = 100;  // ms: five steps of 36 degrees

  explicit TAnimateCard(QWidget* control, QObject* parent = nullptr);

  // Puts the control at the start point, shows it, lets the window draw it there, then moves it
  // to the target in equal steps.
  void StartSlide(QPoint start, QPoint target);
  // Narrows the control towards its edge (the width follows the cosine of the angle, the centre
  // stays), shows the other side at 90 degrees and widens it back to its full width.
  void StartFlip();
  // One tick of the timer.
  void Step();
  // Waits until the movement has ended, processing window events (at most a second, so a stuck
  // timer cannot hang the table). A timer that gave up leaves the control at its end.
  void Wait();
  // The end at once: on the target, or turned over at full width.
  void Finish();

  bool running() const { return mode_ != Mode::kIdle && timer_.enabled(); }
  double angle() const { return angle_; }
  bool face_showing() const { return face_; }
  TMMTimer& timer() { return timer_; }

 protected:
  virtual void ShowSide(bool face) {}
  QWidget* control() const { return control_; }
  int initial_width() const { return initial_width_; }
  int initial_left() const { return initial_left_; }

 private:
  enum class Mode { kIdle, kSlide, kFlip };
  void SetWidth(int width);
  void Stop();

  QWidget* control_;
  TMMTimer timer_;
  int initial_width_;
  int initial_left_;
  int initial_top_;
  Mode mode_ = Mode::kIdle;
  QPoint start_, target_;
  int step_ = 0;
  int steps_ = 0;
  double angle_ = 0;
  double angle_step_ = 0;
  bool returning_ = false;  // past 90 degrees, opening up again
  bool face_ = false;
};

// A card picture: shows the back or the face after each half turn.
class TAnimateImageCard : public TAnimateCard {
  Q_OBJECT
 public:
  TAnimateImageCard(QLabel* label, QPixmap back, QPixmap face, QObject* parent = nullptr);

 protected:
  void ShowSide(bool face) override;

 private:
  QLabel* label_;
  QPixmap back_, face_;
};

// The deal's start point of every card, near the top right corner of the table.
inline constexpr QPoint kShoePoint{700, 56};

// Slides the control from the start to the target and returns when it stands there.
void SlideCard(QWidget* control, int start_x, int start_y, int target_x, int target_y);
// Turns the card over from back to face and returns when it shows the face at its full width;
// its left edge and width are as before.
void FlipCard(QLabel* control, const QPixmap& face, const QPixmap& back);

}  // namespace vessaro
