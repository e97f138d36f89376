// A drop-down of consecutive whole numbers (the range boxes of the analysis window), for lists of
// any length: the numbers are computed as they are drawn, and the list that drops down draws only
// its visible rows, so a log of ten million rounds opens it at once. Typing is refused.
#pragma once

#include <QAbstractListModel>
#include <QComboBox>
#include <QFrame>
#include <QTableView>
#include <cstdint>

namespace vessaro {

class NumberRangeModel : public QAbstractListModel {
  Q_OBJECT
 public:
  using QAbstractListModel::QAbstractListModel;
  // The numbers first .. last; none when last < first.
  void SetRange(int64_t first, int64_t last);
  int64_t first() const { return first_; }
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  int64_t first_ = 1;
  int count_ = 0;
};

class NumberChoice : public QComboBox {
  Q_OBJECT
 public:
  explicit NumberChoice(QWidget* parent = nullptr);

  void SetRange(int64_t first, int64_t last);
  // Chooses a number of the list; anything else leaves nothing chosen.
  void SetValue(int64_t value);
  // The chosen number, or 0 when nothing is chosen.
  int64_t value() const;

  void showPopup() override;
  void hidePopup() override;
  QTableView* popup_view() const { return popup_view_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  NumberRangeModel* numbers_;
  QFrame* popup_ = nullptr;
  QTableView* popup_view_ = nullptr;
};

}  // namespace vessaro
