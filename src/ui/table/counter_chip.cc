#include "ui/table/counter_chip.h"

#include <QMouseEvent>
#include <QPainter>

#include "engine/bets.h"

namespace vessaro {

TCounterChip::TCounterChip(const TablePictures& pictures, QWidget* parent)
    : QWidget(parent), pictures_(pictures) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
  resize(kChipSize, kChipSize);
}

void TCounterChip::ShowChipPile(int64_t amount) {
  amount_ = amount;
  const auto counts = DecomposeChips(amount);
  chip_count_ = 0;
  for (int64_t c : counts) chip_count_ += static_cast<int>(c);
  const int bottom = geometry().bottom();
  const int height = kStep * chip_count_ + kChipSize;
  setGeometry(x(), bottom - height + 1, width(), height);
  update();
}

void TCounterChip::paintEvent(QPaintEvent*) {
  if (amount_ <= 0) return;
  QPainter painter(this);
  const auto counts = DecomposeChips(amount_);
  int drawn = 0;
  for (size_t i = 0; i < kPileChipValues.size(); ++i) {
    for (int64_t n = 0; n < counts[i]; ++n) {
      const int top = height() - kChipSize - kStep * drawn;
      painter.drawPixmap((width() - kChipSize) / 2, top, kChipSize, kChipSize,
                         pictures_.Chip(kPileChipValues[i]));
      ++drawn;
    }
  }
}

QPixmap SelectChipPicture(const QPixmap& chip) {
  // A chip picture that could not be loaded stays empty rather than painting on nothing.
  if (chip.isNull()) return chip;
  QPixmap out(chip.size());
  const QImage image = chip.toImage();
  out.fill(image.pixelColor(0, image.height() - 1));
  QPainter painter(&out);
  const int w = chip.width() - 4;
  const int h = chip.height() - 4;
  painter.drawPixmap(4, 4, w, h, chip);
  painter.drawPixmap(0, 0, w, h, chip);
  return out;
}

ChipButton::ChipButton(int value, const QPixmap& picture, QWidget* parent)
    : QLabel(parent), value_(value), picture_(picture) {
  // Not a fixed size: the hover pulse grows the chip, and the picture grows with it.
  resize(TCounterChip::kChipSize, TCounterChip::kChipSize);
  setScaledContents(true);
  setPixmap(picture_);
  setCursor(Qt::PointingHandCursor);
  setToolTip(QString::number(value));
}

void ChipButton::SetSelected(bool selected) {
  if (selected == selected_) return;
  selected_ = selected;
  setPixmap(selected ? SelectChipPicture(picture_) : picture_);
}

void ChipButton::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && isEnabled()) emit clicked(value_);
}

}  // namespace vessaro
