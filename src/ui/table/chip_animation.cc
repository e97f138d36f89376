#include "ui/table/chip_animation.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QWidget>

namespace vessaro {

TAnimater::TAnimater(QWidget* control, TAnimateManeger& registry)
    : QObject(control), control_(control), registry_(&registry) {
  entry_ = registry_->Register(this);
  connect(&timer_, &QTimer::timeout, this, [this] {
    if (control_.isNull()) {
      End();
      return;
    }
    Step();
  });
}

TAnimater::~TAnimater() {
  if (entry_ >= 0 && registry_ != nullptr) registry_->Unregister(entry_);
}

void TAnimater::Start(int interval_ms) { timer_.start(interval_ms); }

void TAnimater::End() {
  timer_.stop();
  if (entry_ >= 0 && registry_ != nullptr) registry_->Unregister(entry_);
  entry_ = -1;
  deleteLater();
}

TScaleAnimater::TScaleAnimater(QWidget* control, QSize end, int duration_ms, TAnimateManeger& registry)
    : TAnimater(control, registry),
      start_(control->geometry()),
      end_(end),
      steps_(std::max(1, duration_ms / kInterval)) {}

void TScaleAnimater::Step() {
  QWidget* c = control();
  if (c == nullptr) return;
  step_ += growing_ ? 1 : -1;
  if (step_ >= steps_) {
    step_ = steps_;
    growing_ = false;
  } else if (step_ <= 0) {
    c->setGeometry(start_);  // exactly where it started, whatever the rounding on the way
    if (stop_requested_) {
      End();
      return;
    }
    step_ = 0;
    growing_ = true;
    return;
  }
  const int w = start_.width() + (end_.width() - start_.width()) * step_ / steps_;
  const int h = start_.height() + (end_.height() - start_.height()) * step_ / steps_;
  // The centre stays where it was.
  c->setGeometry(start_.x() + (start_.width() - w) / 2, start_.y() + (start_.height() - h) / 2, w, h);
}

TAnimateManeger::~TAnimateManeger() {
  for (TAnimater*& a : entries_) {
    if (a == nullptr) continue;
    TAnimater* animator = a;
    a = nullptr;
    animator->registry_ = nullptr;
    delete animator;
  }
}

int TAnimateManeger::Register(TAnimater* animator) {
  for (size_t i = 0; i < entries_.size(); ++i) {
    if (entries_[i] == nullptr) {
      entries_[i] = animator;
      return static_cast<int>(i);
    }
  }
  const size_t entry = entries_.size();
  entries_.resize(entries_.size() + 10, nullptr);
  entries_[entry] = animator;
  return static_cast<int>(entry);
}

void TAnimateManeger::Unregister(int entry) {
  if (entry >= 0 && entry < static_cast<int>(entries_.size())) entries_[entry] = nullptr;
}

TAnimater* TAnimateManeger::Find(const QWidget* control) const {
  for (TAnimater* a : entries_)
    if (a != nullptr && a->control() == control) return a;
  return nullptr;
}

int TAnimateManeger::running() const {
  int n = 0;
  for (TAnimater* a : entries_) n += a != nullptr;
  return n;
}

void PulseControl(TAnimateManeger& registry, QWidget* control, int width, int height, int duration_ms) {
  if (control == nullptr || registry.Animating(control)) return;
  control->raise();  // grown, it overlaps its neighbours: draw it above them
  auto* pulse = new TScaleAnimater(control, QSize(width, height), duration_ms, registry);
  pulse->Start(TScaleAnimater::kInterval);
}

void StopPulse(TAnimateManeger& registry, QWidget* control) {
  if (auto* pulse = dynamic_cast<TScaleAnimater*>(registry.Find(control))) pulse->RequestStop();
}

TMouseEventManager::TMouseEventManager(QObject* parent) : QObject(parent) {}

void TMouseEventManager::Register(QWidget* control, std::function<void()> on_enter, std::function<void()> on_leave) {
  entries_.push_back(Entry{control, std::move(on_enter), std::move(on_leave)});
}

const TMouseEventManager::Entry* TMouseEventManager::Lookup(const QWidget* control) const {
  for (const Entry& e : entries_)
    if (e.control == control) return &e;
  return nullptr;
}

void TMouseEventManager::Track(QWidget* under) {
  if (under == nullptr || under == last_) return;
  if (const Entry* left = Lookup(last_); left != nullptr && left->on_leave) left->on_leave();
  if (const Entry* entered = Lookup(under); entered != nullptr && entered->on_enter) entered->on_enter();
  last_ = under;
}

void TMouseEventManager::TrackPointer() { Track(QApplication::widgetAt(QCursor::pos())); }

void TMouseEventManager::TrackWhenIdle() {
  if (QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance())
    connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this, &TMouseEventManager::TrackPointer);
}

}  // namespace vessaro
