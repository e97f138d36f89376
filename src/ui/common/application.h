// The QApplication of every program of the suite: what escapes an event handler is shown to the
// user as a message instead of ending the program, and the program set-up they share.
#pragma once

#include <QApplication>

namespace vessaro {

class VessaroApplication : public QApplication {
 public:
  // Ignores the file-size signal and sets up the Japanese texts and font.
  VessaroApplication(int& argc, char** argv, const QString& name);

  bool notify(QObject* receiver, QEvent* event) override;

  // Shows "予期しないエラーが発生しました。" with the reason, over no window.
  static void ShowUnexpectedError(const char* reason);
};

}  // namespace vessaro
