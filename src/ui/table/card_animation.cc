#include "ui/table/card_animation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <cmath>

namespace vessaro {

TAnimateCard::TAnimateCard(QWidget* control, QObject* parent)
    : QObject(parent),
      control_(control),
      initial_width_(control->width()),
      initial_left_(control->x()),
      initial_top_(control->y()) {
  timer_.SetEnabled(false);
  timer_.SetInterval(kInterval);
  timer_.SetHandler([this] { Step(); });
}

void TAnimateCard::StartSlide(QPoint start, QPoint target) {
  start_ = start;
  target_ = target;
  step_ = 0;
  steps_ = std::max(1, kSlideTime / kInterval);
  control_->move(start);
  control_->show();
  control_->raise();
  QCoreApplication::processEvents();
  mode_ = Mode::kSlide;
  timer_.SetEnabled(true);
}

void TAnimateCard::StartFlip() {
  steps_ = std::max(1, kFlipTime / kInterval);
  angle_step_ = 180.0 / steps_;
  angle_ = 0;
  returning_ = false;
  face_ = false;
  ShowSide(false);
  mode_ = Mode::kFlip;
  timer_.SetEnabled(true);
}

void TAnimateCard::SetWidth(int width) {
  control_->setGeometry(initial_left_ + (initial_width_ - width) / 2, control_->y(), width, control_->height());
}

void TAnimateCard::Stop() {
  mode_ = Mode::kIdle;
  timer_.SetEnabled(false);
}

void TAnimateCard::Step() {
  switch (mode_) {
    case Mode::kIdle:
      return;
    case Mode::kSlide: {
      ++step_;
      if (step_ >= steps_) {
        control_->move(target_);
        Stop();
        return;
      }
      control_->move(start_ + (target_ - start_) * step_ / steps_);
      return;
    }
    case Mode::kFlip: {
      if (!returning_) {
        angle_ += angle_step_;
        if (angle_ >= 90) {
          SetWidth(0);
          face_ = !face_;
          ShowSide(face_);
          returning_ = true;
          return;
        }
      } else {
        angle_ -= angle_step_;
        if (angle_ <= 0) {
          angle_ = 0;
          SetWidth(initial_width_);
          Stop();
          return;
        }
      }
      SetWidth(static_cast<int>(std::lround(std::cos(angle_ * M_PI / 180.0) * initial_width_)));
      return;
    }
  }
}

void TAnimateCard::Finish() {
  if (mode_ == Mode::kSlide) control_->move(target_);
  if (mode_ == Mode::kFlip) {
    if (!returning_) {
      face_ = !face_;
      ShowSide(face_);
    }
    angle_ = 0;
    SetWidth(initial_width_);
  }
  Stop();
}

void TAnimateCard::Wait() {
  if (running()) {
    QEventLoop loop;
    QTimer poll;
    QElapsedTimer waited;
    waited.start();
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
      if (!running() || waited.elapsed() > 1000) loop.quit();
    });
    poll.start();
    loop.exec();
  }
  if (mode_ != Mode::kIdle) Finish();
}

TAnimateImageCard::TAnimateImageCard(QLabel* label, QPixmap back, QPixmap face, QObject* parent)
    : TAnimateCard(label, parent), label_(label), back_(std::move(back)), face_(std::move(face)) {}

void TAnimateImageCard::ShowSide(bool face) { label_->setPixmap(face ? face_ : back_); }

void SlideCard(QWidget* control, int start_x, int start_y, int target_x, int target_y) {
  TAnimateCard card(control);
  card.StartSlide(QPoint(start_x, start_y), QPoint(target_x, target_y));
  card.Wait();
}

void FlipCard(QLabel* control, const QPixmap& face, const QPixmap& back) {
  const QRect before = control->geometry();
  {
    TAnimateImageCard card(control, back, face);
    card.StartFlip();
    card.Wait();
  }
  control->setGeometry(before);
}

}  // namespace vessaro
