// Draws a road entry grid: one cell per letter, Player as a blue ring, Banker as a red ring. The
// windows that show a wide grid put it in a scroll area.
#pragma once

#include <QWidget>

#include "analysis/road_grid.h"

namespace vessaro {

class RoadGridView : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kCell = 22;

  explicit RoadGridView(const RoadGrid* grid, QWidget* parent = nullptr, int cell = kCell);
  int cell() const { return cell_; }
  void set_grid(const RoadGrid* grid);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  const RoadGrid* grid_;
  int cell_;
};

}  // namespace vessaro
