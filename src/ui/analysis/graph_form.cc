#include "ui/analysis/graph_form.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPen>
#include <QRegularExpression>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/analysis/graph_bunseki_form.h"
#include "ui/common/qt_ports.h"

namespace vessaro {
namespace {

QPushButton* Button(const char* text, const char* name) {
  auto* button = new QPushButton(QString::fromUtf8(text));
  button->setObjectName(QString::fromUtf8(name));
  button->setAutoDefault(false);
  return button;
}

// The summary lines one under the other. A figure and its label never part at a line break (a
// word joiner sits between their characters, which Japanese text would otherwise break anywhere);
// the breaks fall between figures.
QString SummaryText(const std::vector<std::string>& lines) {
  static const QRegularExpression kBlanks(QStringLiteral("[ \\x{3000}]+"));
  QStringList shown;
  for (const std::string& line : lines) {
    // Replay summaries put a blank after some colons and before "%" and "】": those stay together
    // too.
    QStringList tokens;
    for (const QString& token : ToQt(line).split(kBlanks, Qt::SkipEmptyParts)) {
      const bool glued = !tokens.isEmpty() && (tokens.last().endsWith(QStringLiteral("：")) ||
                                               tokens.last().endsWith(QLatin1Char(':')) ||
                                               token.startsWith(QLatin1Char('%')) ||
                                               token.startsWith(QStringLiteral("】")));
      if (glued) {
        tokens.last() += QChar(0x00A0) + token;
      } else {
        tokens << token;
      }
    }
    QStringList parts;
    for (const QString& token : tokens) {
      QString joined;
      for (qsizetype i = 0; i < token.size(); ++i) {
        if (i > 0 && !token[i].isLowSurrogate()) joined += QChar(0x2060);
        joined += token[i];
      }
      parts << joined;
    }
    shown << parts.join(QStringLiteral("  "));
  }
  return shown.join(QLatin1Char('\n'));
}

}  // namespace

GraphFormBase::GraphFormBase(GraphFlavour flavour, const fs::path& program_folder,
                             const fs::path& graph_file, int64_t rounds, Dialogs* dialogs,
                             TGraphBunsekiForm* detail, QWidget* parent)
    : QDialog(parent),
      own_dialogs_(dialogs != nullptr ? nullptr : std::make_unique<QtDialogs>(this)),
      model_(program_folder, flavour, graph_file, rounds,
             dialogs != nullptr ? *dialogs : *own_dialogs_),
      detail_(detail) {
  setObjectName(flavour == GraphFlavour::kRun ? QStringLiteral("GraphForm")
                                              : QStringLiteral("GraphLogForm"));
  setWindowTitle(ToQt(kGraphCaption));
  setModal(true);
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);
  if (detail_ == nullptr) detail_ = new TGraphBunsekiForm(this);

  BuildChart();

  pattern_label_ = new QLabel;
  pattern_label_->setObjectName(QStringLiteral("PatternLabel"));
  summary_label_ = new QLabel;
  summary_label_->setObjectName(QStringLiteral("SummaryLabel"));
  summary_label_->setWordWrap(true);
  summary_label_->setTextFormat(Qt::PlainText);
  summary_label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  summary_label_->setFrameShape(QFrame::StyledPanel);
  summary_label_->setMinimumHeight(summary_label_->fontMetrics().height() * 3 + 8);
  summary_label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  summary_label_->setMargin(4);

  name_edit_ = new QLineEdit;
  name_edit_->setObjectName(QStringLiteral("GraphNameEdit"));
  name_edit_->setMinimumWidth(160);
  save_button_ = Button("保存", "BtnSave");
  graph_combo_ = new QComboBox;
  graph_combo_->setObjectName(QStringLiteral("GraphCombo"));
  graph_combo_->setMinimumWidth(200);
  graph_combo_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
  graph_combo_->addItem(ToQt(kGraphChoicePrompt));
  detail_button_ = Button("詳細解析値を表示する", "BtnDetail");
  close_button_ = Button("閉じる", "BtnClose");
  if (flavour == GraphFlavour::kRun) {
    delete_button_ = Button("選択データの削除", "BtnDelete");
  } else {
    load_button_ = Button("読み込み", "BtnLoad");
    delete_button_ = Button("削除", "BtnDelete");
  }

  auto* controls = new QHBoxLayout;
  controls->addWidget(new QLabel(QStringLiteral("グラフ名：")));
  controls->addWidget(name_edit_);
  controls->addWidget(save_button_);
  controls->addSpacing(16);
  controls->addWidget(graph_combo_);
  if (load_button_ != nullptr) controls->addWidget(load_button_);
  controls->addWidget(delete_button_);
  controls->addStretch();
  controls->addWidget(detail_button_);
  controls->addWidget(close_button_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(chart_view_, 1);
  layout->addWidget(pattern_label_);
  layout->addWidget(summary_label_);
  layout->addLayout(controls);

  connect(save_button_, &QPushButton::clicked, this, &GraphFormBase::BtnSaveClick);
  connect(close_button_, &QPushButton::clicked, this, &GraphFormBase::BtnCloseClick);
  connect(detail_button_, &QPushButton::clicked, this, &GraphFormBase::BtnDetailClick);
  connect(delete_button_, &QPushButton::clicked, this, &GraphFormBase::BtnDeleteClick);
  if (load_button_ != nullptr)
    connect(load_button_, &QPushButton::clicked, this, &GraphFormBase::BtnLoadClick);
  // The run window loads what is chosen at once; the replay window only remembers it.
  connect(graph_combo_, &QComboBox::activated, this, &GraphFormBase::ComboGraphActivated);

  resize(980, 700);
}

GraphFormBase::~GraphFormBase() = default;

void GraphFormBase::BuildChart() {
  chart_ = new QChart;
  chart_->setTitle(ToQt(kGraphCaption));
  QFont title_font = chart_->titleFont();
  title_font.setPointSizeF(title_font.pointSizeF() * 1.4);
  title_font.setBold(true);
  chart_->setTitleFont(title_font);
  chart_->legend()->setAlignment(Qt::AlignTop);
  chart_->setMargins(QMargins(6, 6, 12, 6));

  system_series_ = new QLineSeries;
  system_series_->setObjectName(QStringLiteral("YourBetSystem"));
  system_series_->setPen(QPen(QColor(Qt::red), 3));
  flat_series_ = new QLineSeries;
  flat_series_->setObjectName(QStringLiteral("FlatBet"));
  flat_series_->setPen(QPen(QColor(0, 0, 128), 1.5));
  chart_->addSeries(flat_series_);
  chart_->addSeries(system_series_);  // drawn last: the system's curve stays on top
  // The legend lists the system first, as the series are named.
  chart_->legend()->setReverseMarkers(true);

  x_axis_ = new QValueAxis;
  x_axis_->setTitleText(QStringLiteral("試行回数"));
  x_axis_->setLabelFormat(QStringLiteral("%d"));
  y_axis_ = new QValueAxis;
  y_axis_->setTitleText(QStringLiteral("残高"));
  y_axis_->setLabelFormat(QStringLiteral("%d"));
  chart_->addAxis(x_axis_, Qt::AlignBottom);
  chart_->addAxis(y_axis_, Qt::AlignLeft);
  for (QLineSeries* series : {system_series_, flat_series_}) {
    series->attachAxis(x_axis_);
    series->attachAxis(y_axis_);
  }

  chart_view_ = new QChartView(chart_);
  chart_view_->setObjectName(QStringLiteral("GraphChart"));
  chart_view_->setRenderHint(QPainter::Antialiasing);
  chart_view_->setMinimumSize(600, 360);
}

void GraphFormBase::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (shown_) return;
  shown_ = true;
  model_.Open();
  Refresh();
}

void GraphFormBase::TakeName() { model_.set_name(FromQt(name_edit_->text())); }

void GraphFormBase::Refresh() {
  const QString name = ToQt(model_.name());
  if (name_edit_->text() != name) name_edit_->setText(name);
  if (listed_ != model_.saved_graphs()) {
    listed_ = model_.saved_graphs();
    QSignalBlocker block(graph_combo_);
    graph_combo_->clear();
    graph_combo_->addItem(ToQt(kGraphChoicePrompt));
    for (const SavedGraph& graph : listed_) graph_combo_->addItem(ToQt(graph.name));
  }
  {
    QSignalBlocker block(graph_combo_);
    graph_combo_->setCurrentIndex(model_.choice() + 1);
  }
  system_series_->setName(ToQt(model_.system_title()));
  flat_series_->setName(ToQt(model_.second_title()));
  pattern_label_->setText(ToQt(model_.pattern_label()));
  summary_label_->setText(SummaryText(model_.summary_lines()));
  if (drawn_revision_ != model_.content_revision()) RedrawChart();
}

void GraphFormBase::RedrawChart() {
  drawn_revision_ = model_.content_revision();
  const std::vector<GraphPoint>& points = model_.content().points;
  QList<QPointF> system;
  QList<QPointF> second;
  system.reserve(static_cast<qsizetype>(points.size()));
  second.reserve(static_cast<qsizetype>(points.size()));
  double low = 0, high = 0, last_x = 0;
  for (size_t i = 0; i < points.size(); ++i) {
    const GraphPoint& p = points[i];
    system.append(QPointF(static_cast<double>(p.x), static_cast<double>(p.system)));
    second.append(QPointF(static_cast<double>(p.x), static_cast<double>(p.second)));
    const double a = static_cast<double>(std::min(p.system, p.second));
    const double b = static_cast<double>(std::max(p.system, p.second));
    low = i == 0 ? a : std::min(low, a);
    high = i == 0 ? b : std::max(high, b);
    last_x = std::max(last_x, static_cast<double>(p.x));
  }
  system_series_->replace(system);
  flat_series_->replace(second);
  if (points.empty()) {
    x_axis_->setRange(0, 1);
    y_axis_->setRange(0, 1);
    return;
  }
  if (high - low < 1) {
    low -= 10;
    high += 10;
  }
  x_axis_->setRange(0, std::max(last_x, 1.0));
  y_axis_->setRange(low, high);
  y_axis_->applyNiceNumbers();
  if (last_x >= 10) x_axis_->applyNiceNumbers();
}

void GraphFormBase::BtnSaveClick() {
  TakeName();
  model_.Save();
  Refresh();
}

void GraphFormBase::ComboGraphActivated(int index) {
  TakeName();
  model_.Choose(index - 1);
  Refresh();
}

void GraphFormBase::BtnLoadClick() {
  TakeName();
  model_.LoadChosen();
  Refresh();
}

void GraphFormBase::BtnDeleteClick() {
  TakeName();
  model_.DeleteChosen();
  Refresh();
}

void GraphFormBase::BtnDetailClick() { detail_->ShowRows(model_.DetailRows(), this); }

void GraphFormBase::BtnCloseClick() {
  TakeName();
  if (model_.flavour() == GraphFlavour::kRun) detail_->close();
  if (!model_.Close()) return;
  accept();
}

void GraphFormBase::reject() {
  if (model_.flavour() == GraphFlavour::kRun) return;
  QDialog::reject();
}

}  // namespace vessaro
