// The preview's graph on QtCharts: one line series with its title, the x axis "回数" and the
// total label, drawn from the GraphSeries the preview model computed.
#pragma once

#include <QChart>
#include <QChartView>
#include <QLabel>
#include <QLineSeries>
#include <QValueAxis>
#include <QWidget>

#include "balancesheet/preview.h"

namespace vessaro {

class SheetChart : public QWidget {
  Q_OBJECT
 public:
  explicit SheetChart(QWidget* parent = nullptr);

  void Show(const GraphSeries& graph);

  QChart* chart() const { return chart_; }
  QLineSeries* series() const { return series_; }
  QLabel* total_label() const { return total_label_; }

 private:
  QChart* chart_;
  QChartView* view_;
  QLineSeries* series_;
  QValueAxis* x_axis_;
  QValueAxis* y_axis_;
  QLabel* total_label_;
};

}  // namespace vessaro
