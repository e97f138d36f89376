// Scripted answers for windows that open modally with exec(): each step runs on the next modal
// window that appears, inside its event loop, as a user would act on it.
#pragma once

#include <gtest/gtest.h>

#include <QPointer>
#include <QWidget>
#include <deque>
#include <functional>

namespace vessaro::testing {

class ModalScript {
 public:
  // already_open: a modal window shown before (the editor under test) that is never a step's.
  explicit ModalScript(QWidget* already_open = nullptr);
  ~ModalScript();

  // The next modal window must be a T; a step that leaves it open closes it (rejected), so a
  // wrong script fails instead of hanging.
  template <typename T>
  ModalScript& Then(std::function<void(T*)> step) {
    steps_.push_back([step](QWidget* w) {
      T* window = qobject_cast<T*>(w);
      if (window == nullptr) {
        ADD_FAILURE() << "unexpected modal window " << w->metaObject()->className();
        return;
      }
      step(window);
    });
    Schedule();
    return *this;
  }

  int steps_run() const { return steps_run_; }
  bool all_run() const { return steps_.empty(); }
  int left_open() const { return left_open_; }

 private:
  void Schedule();
  void Poll();

  // Owns the pending polls: they end with the script. Each poll arms the next before it acts, so
  // a window opened from inside a step (a nested exec) is found too.
  QObject context_;
  bool polling_ = false;
  std::deque<std::function<void(QWidget*)>> steps_;
  QPointer<QWidget> ignored_;
  QPointer<QWidget> handled_;
  int steps_run_ = 0;
  int left_open_ = 0;
};

}  // namespace vessaro::testing
