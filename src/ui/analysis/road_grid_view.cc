#include "ui/analysis/road_grid_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>

namespace vessaro {

RoadGridView::RoadGridView(const RoadGrid* grid, QWidget* parent, int cell)
    : QWidget(parent), grid_(grid), cell_(cell) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  setFixedSize(sizeHint());
}

void RoadGridView::set_grid(const RoadGrid* grid) {
  grid_ = grid;
  setFixedSize(sizeHint());
  update();
}

QSize RoadGridView::sizeHint() const {
  if (grid_ == nullptr) return {cell_, cell_};
  return {grid_->limits().columns * cell_ + 1, grid_->limits().rows * cell_ + 1};
}

void RoadGridView::paintEvent(QPaintEvent* event) {
  QPainter p(this);
  p.fillRect(event->rect(), Qt::white);
  if (grid_ == nullptr) return;
  const int rows = grid_->limits().rows;
  const int columns = grid_->limits().columns;
  // Only the columns being repainted: the user logs' grid is 300 columns wide.
  const int first = std::max(0, event->rect().left() / cell_);
  const int last = std::min(columns - 1, event->rect().right() / cell_);
  p.setPen(QColor(0xC8, 0xC8, 0xC8));
  for (int c = first; c <= last + 1 && c <= columns; ++c) p.drawLine(c * cell_, 0, c * cell_, rows * cell_);
  for (int r = 0; r <= rows; ++r) p.drawLine(first * cell_, r * cell_, (last + 1) * cell_, r * cell_);
  p.setRenderHint(QPainter::Antialiasing);
  for (int c = first; c <= last; ++c) {
    for (int r = 0; r < rows; ++r) {
      const char letter = grid_->At(c, r);
      if (letter == 0) continue;
      const QRectF cell(c * cell_ + 3.5, r * cell_ + 3.5, cell_ - 7, cell_ - 7);
      p.setPen(QPen(letter == 'P' ? QColor(0x15, 0x4F, 0xD6) : QColor(0xD6, 0x1E, 0x1E), 2.6));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(cell);
    }
  }
}

}  // namespace vessaro
