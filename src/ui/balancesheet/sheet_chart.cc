#include "ui/balancesheet/sheet_chart.h"

#include <QGraphicsLayout>
#include <QPen>
#include <QVBoxLayout>
#include <algorithm>

#include "balancesheet/sheet_texts.h"
#include "ui/common/qt_ports.h"

namespace vessaro {

SheetChart::SheetChart(QWidget* parent) : QWidget(parent) {
  chart_ = new QChart;
  chart_->legend()->setVisible(true);
  chart_->legend()->setAlignment(Qt::AlignRight);
  chart_->setMargins(QMargins(4, 4, 4, 4));
  chart_->layout()->setContentsMargins(0, 0, 0, 0);
  series_ = new QLineSeries;
  series_->setPen(QPen(QColor(0x1f, 0x4f, 0xbf), 2));
  chart_->addSeries(series_);
  x_axis_ = new QValueAxis;
  x_axis_->setTitleText(ToQt(sheet_text::kGraphXAxis));
  x_axis_->setLabelFormat(QStringLiteral("%d"));
  x_axis_->setTickInterval(1);
  x_axis_->setTickType(QValueAxis::TicksDynamic);
  x_axis_->setTickAnchor(0);
  y_axis_ = new QValueAxis;
  y_axis_->setLabelFormat(QStringLiteral("%d"));
  chart_->addAxis(x_axis_, Qt::AlignBottom);
  chart_->addAxis(y_axis_, Qt::AlignLeft);
  series_->attachAxis(x_axis_);
  series_->attachAxis(y_axis_);
  view_ = new QChartView(chart_);
  view_->setRenderHint(QPainter::Antialiasing);
  view_->setMinimumHeight(240);
  total_label_ = new QLabel;
  total_label_->setObjectName(QStringLiteral("GraphTotalLabel"));
  total_label_->setAlignment(Qt::AlignRight);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(2);
  layout->addWidget(view_, 1);
  layout->addWidget(total_label_);
  Show(EmptyProfitGraph());
}

void SheetChart::Show(const GraphSeries& graph) {
  chart_->setTitle(ToQt(graph.title));
  series_->setName(ToQt(graph.series));
  y_axis_->setTitleText(ToQt(graph.total_label));
  QList<QPointF> points;
  points.reserve(static_cast<qsizetype>(graph.points.size()));
  long long low = graph.points.empty() ? 0 : graph.points.front().second;
  long long high = low;
  long long last_x = 1;
  for (const auto& [x, y] : graph.points) {
    points.append(QPointF(static_cast<double>(x), static_cast<double>(y)));
    low = std::min(low, y);
    high = std::max(high, y);
    last_x = std::max(last_x, x);
  }
  series_->replace(points);
  // Room above and below the line, and whole-number ticks on both axes.
  const long long span = std::max<long long>(high - low, 10);
  y_axis_->setRange(static_cast<double>(low - span / 10), static_cast<double>(high + span / 10));
  y_axis_->applyNiceNumbers();
  // Ticks on whole report counts: 1, 2 or 5 times a power of ten, about ten of them. The
  // interval is set before the range, so a long range never meets a short interval's many ticks.
  static constexpr long long kMantissas[3] = {1, 2, 5};
  long long power = 1;
  int mantissa = 0;
  while (last_x / (kMantissas[mantissa] * power) > 10) {
    if (++mantissa == 3) {
      mantissa = 0;
      power *= 10;
    }
  }
  const long long step = kMantissas[mantissa] * power;
  if (step > x_axis_->tickInterval()) x_axis_->setTickInterval(static_cast<double>(step));
  x_axis_->setRange(0, static_cast<double>(last_x));
  x_axis_->setTickInterval(static_cast<double>(step));
  if (graph.points.empty()) {
    total_label_->clear();
  } else {
    total_label_->setText(ToQt(graph.total_label) + QStringLiteral("： ") +
                          QString::number(graph.points.back().second));
  }
}

}  // namespace vessaro
