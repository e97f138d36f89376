#include "modal.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>

namespace vessaro::testing {

ModalScript::ModalScript(QWidget* already_open) : ignored_(already_open) {}
ModalScript::~ModalScript() = default;

void ModalScript::Schedule() {
  if (polling_) return;
  polling_ = true;
  QTimer::singleShot(0, &context_, [this] {
    polling_ = false;
    Poll();
  });
}

void ModalScript::Poll() {
  if (steps_.empty()) return;
  Schedule();
  QWidget* w = QApplication::activeModalWidget();
  // A window a step has already handled (and left open for a nested one) is not the next one.
  if (w == nullptr || !w->isVisible() || w == handled_.data() || w == ignored_.data()) return;
  std::function<void(QWidget*)> step = std::move(steps_.front());
  steps_.pop_front();
  ++steps_run_;
  QPointer<QWidget> window = w;
  handled_ = w;
  step(w);
  if (window != nullptr && window->isVisible()) {
    ++left_open_;
    if (auto* dialog = qobject_cast<QDialog*>(window.data())) dialog->reject();
  }
}

}  // namespace vessaro::testing
