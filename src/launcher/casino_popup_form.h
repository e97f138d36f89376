// The announcement window "お知らせ": one picture filling the window. A click on the picture or
// on its "OK" mark, or the Enter key, closes it.
#pragma once

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include "common/files.h"

namespace vessaro {

class TCasinoPopupForm : public QDialog {
  Q_OBJECT
 public:
  TCasinoPopupForm(const fs::path& picture, QWidget* parent = nullptr);

  // False when the file is not a picture this program can read (then it is not shown).
  bool has_picture() const { return has_picture_; }
  QPushButton* ok_mark() const { return ok_; }
  QLabel* picture_label() const { return picture_; }

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  bool has_picture_ = false;
  QLabel* picture_ = nullptr;
  QPushButton* ok_ = nullptr;
};

}  // namespace vessaro
