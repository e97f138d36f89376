// "リスト追加": one input with "追加" (or Enter) and "キャンセル". The caller's accept function
// decides whether the text is taken (it shows its own message when not) and the dialog closes.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <string>

namespace vessaro {

class TListAddDlgForm : public QDialog {
  Q_OBJECT
 public:
  TListAddDlgForm(std::function<bool(const std::string&)> accept, QWidget* parent = nullptr);

  QLineEdit* input() const { return input_; }
  QPushButton* add_button() const { return add_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 public slots:
  void BtnAddClick();

 private:
  std::function<bool(const std::string&)> accept_;
  QLineEdit* input_;
  QPushButton* add_button_;
  QPushButton* cancel_button_;
};

}  // namespace vessaro
