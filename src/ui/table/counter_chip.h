// Chip piles on the betting areas (TCounterChip) and the drawing of the selected chip.
#pragma once

#include <QLabel>
#include <QWidget>

#include "ui/table/table_pictures.h"

namespace vessaro {

// A stake drawn as a pile of chips, largest at the bottom, 7 pixels apart. The control grows
// upwards to fit the pile and keeps its bottom edge where it is.
class TCounterChip : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kChipSize = 50;
  static constexpr int kStep = 7;

  TCounterChip(const TablePictures& pictures, QWidget* parent);
  void ShowChipPile(int64_t amount);
  int64_t amount() const { return amount_; }
  int chip_count() const { return chip_count_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const TablePictures& pictures_;
  int64_t amount_ = 0;
  int chip_count_ = 0;
};

// The picture of a chip drawn as selected: filled with the colour of its bottom-left pixel, then
// the picture twice, each 4 pixels smaller, at (4, 4) and at (0, 0).
QPixmap SelectChipPicture(const QPixmap& chip);

// One of the eight chips of the table.
class ChipButton : public QLabel {
  Q_OBJECT
 public:
  ChipButton(int value, const QPixmap& picture, QWidget* parent);
  int value() const { return value_; }
  void SetSelected(bool selected);
  bool selected() const { return selected_; }

 signals:
  void clicked(int value);

 protected:
  void mousePressEvent(QMouseEvent* event) override;

 private:
  int value_;
  QPixmap picture_;
  bool selected_ = false;
};

}  // namespace vessaro
