// "ワイルド検索": the text a remarks condition looks for (a part of the remarks).
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <string>

#include "common/ports.h"

namespace vessaro {

class TWildSeachForm : public QDialog {
  Q_OBJECT
 public:
  TWildSeachForm(Dialogs& dialogs, QWidget* parent = nullptr);

  // The checked, trimmed text after "OK".
  const std::string& text() const { return text_; }

  QLineEdit* input() const { return input_; }
  QPushButton* ok_button() const { return ok_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 public slots:
  void BtnOkClick();

 private:
  Dialogs& dialogs_;
  std::string text_;
  QLineEdit* input_;
  QPushButton* ok_button_;
  QPushButton* cancel_button_;
};

}  // namespace vessaro
