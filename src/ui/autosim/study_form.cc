#include "ui/autosim/study_form.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPen>
#include <QVBoxLayout>
#include <algorithm>

#include "autosim/study_report.h"
#include "common/format.h"
#include "common/system_clock.h"
#include "ui/common/qt_ports.h"

namespace vessaro {
namespace {

constexpr int kHistogramClasses = 40;

QPushButton* Button(const char* text, const char* name) {
  auto* button = new QPushButton(QString::fromUtf8(text));
  button->setObjectName(QString::fromUtf8(name));
  button->setAutoDefault(false);
  return button;
}

QLineEdit* Field(const char* name, int width) {
  auto* edit = new QLineEdit;
  edit->setObjectName(QString::fromUtf8(name));
  edit->setMaximumWidth(width);
  return edit;
}

QChart* MakeChart(const QString& title) {
  auto* chart = new QChart;
  chart->setTitle(title);
  QFont font = chart->titleFont();
  font.setBold(true);
  font.setPointSizeF(font.pointSizeF() * 1.15);
  chart->setTitleFont(font);
  chart->legend()->setAlignment(Qt::AlignBottom);
  chart->setMargins(QMargins(4, 4, 8, 4));
  return chart;
}

QValueAxis* MakeAxis(QChart* chart, const QString& title, Qt::Alignment where) {
  auto* axis = new QValueAxis;
  axis->setTitleText(title);
  axis->setLabelFormat(QStringLiteral("%.0f"));
  chart->addAxis(axis, where);
  return axis;
}

void Attach(QAbstractSeries* series, QValueAxis* x, QValueAxis* y) {
  series->attachAxis(x);
  series->attachAxis(y);
}

// A range that shows the values with a little room, never empty.
void SetRange(QValueAxis* axis, double low, double high) {
  if (high - low < 1) {
    low -= 10;
    high += 10;
  }
  axis->setRange(low, high);
  axis->applyNiceNumbers();
}

QString ChartTitle(const char* title, const StudySummary* s) {
  QString text = QString::fromUtf8(title);
  if (s != nullptr && s->cancelled)
    text += ToQt(Format("（途中結果：%lld / %lld セッション）", static_cast<long long>(s->sessions_done),
                        static_cast<long long>(s->sessions_requested)));
  return text;
}

}  // namespace

TStudyForm::TStudyForm(const fs::path& program_folder, const TableSettings& settings, const StopLimits& limits,
                       const std::string& system, const std::string& pattern, Dialogs* dialogs, Clock* clock,
                       QWidget* parent)
    : QDialog(parent),
      own_dialogs_(dialogs != nullptr ? nullptr : std::make_unique<QtDialogs>(this)),
      own_clock_(clock != nullptr ? nullptr : std::make_unique<SystemClock>()) {
  model_ = std::make_unique<StudyFormModel>(program_folder, settings, limits, clock ? *clock : *own_clock_,
                                            dialogs ? *dialogs : *own_dialogs_);
  setObjectName(QStringLiteral("StudyForm"));
  setWindowTitle(QString::fromUtf8(study_texts::kTitle));
  setModal(true);
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);

  system_combo_ = new QComboBox;
  system_combo_->setObjectName(QStringLiteral("SystemCombo"));
  system_combo_->setMinimumWidth(230);
  pattern_combo_ = new QComboBox;
  pattern_combo_->setObjectName(QStringLiteral("PatternCombo"));
  pattern_combo_->setMinimumWidth(230);
  for (auto [combo, choice, chosen] : {std::tuple{system_combo_, &model_->systems(), system},
                                       std::tuple{pattern_combo_, &model_->patterns(), pattern}}) {
    combo->addItem(ToQt(choice->prompt));
    for (const std::string& name : choice->names) combo->addItem(ToQt(name));
    choice->Choose(chosen);
    combo->setCurrentIndex(choice->selected + 1);
  }
  sessions_edit_ = Field("SessionsEdit", 100);
  rounds_edit_ = Field("RoundsEdit", 100);
  profit_edit_ = Field("ProfitEdit", 80);
  loss_edit_ = Field("LossEdit", 80);
  seed_edit_ = Field("SeedEdit", 170);
  seed_edit_->setPlaceholderText(QStringLiteral("空欄：自動"));
  const StudyFormInput& input = model_->input();
  sessions_edit_->setText(ToQt(input.sessions));
  rounds_edit_->setText(ToQt(input.rounds));
  profit_edit_->setText(ToQt(input.profit));
  loss_edit_->setText(ToQt(input.loss));

  auto* fields = new QGridLayout;
  fields->setHorizontalSpacing(8);
  auto label = [](const char* text) {
    auto* l = new QLabel(QString::fromUtf8(text));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    return l;
  };
  fields->addWidget(label("ベットシステム"), 0, 0);
  fields->addWidget(system_combo_, 0, 1, 1, 3);
  fields->addWidget(label("ベットパターン"), 0, 4);
  fields->addWidget(pattern_combo_, 0, 5, 1, 3);
  fields->addWidget(label("セッション数"), 1, 0);
  fields->addWidget(sessions_edit_, 1, 1);
  fields->addWidget(label("試行回数"), 1, 2);
  fields->addWidget(rounds_edit_, 1, 3);
  fields->addWidget(label("利益目標"), 1, 4);
  fields->addWidget(profit_edit_, 1, 5);
  fields->addWidget(label("損失上限"), 1, 6);
  fields->addWidget(loss_edit_, 1, 7);
  fields->addWidget(label("シード"), 1, 8);
  fields->addWidget(seed_edit_, 1, 9);
  auto* table_line = new QLabel(QStringLiteral("テーブル設定：") + ToQt(model_->TableLine()) +
                                QStringLiteral("　（利益目標・損失上限は 0 で設定なし）"));
  table_line->setObjectName(QStringLiteral("TableLine"));
  fields->addWidget(table_line, 2, 0, 1, 10);
  fields->setColumnStretch(10, 1);

  start_button_ = Button("検証開始", "BtnStart");
  cancel_button_ = Button("中止", "BtnCancel");
  csv_button_ = Button("CSV出力", "BtnCsv");
  close_button_ = Button("閉じる", "BtnClose");
  progress_bar_ = new QProgressBar;
  progress_bar_->setObjectName(QStringLiteral("StudyProgress"));
  progress_bar_->setRange(0, 1000);
  progress_bar_->setValue(0);
  progress_bar_->setTextVisible(false);
  status_label_ = new QLabel;
  status_label_->setObjectName(QStringLiteral("StatusLabel"));
  status_label_->setMinimumWidth(360);
  auto* commands = new QHBoxLayout;
  commands->addWidget(start_button_);
  commands->addWidget(cancel_button_);
  commands->addWidget(progress_bar_, 1);
  commands->addWidget(status_label_);
  commands->addWidget(csv_button_);
  commands->addWidget(close_button_);

  BuildCharts();
  summary_table_ = new QTableWidget(0, 2);
  summary_table_->setObjectName(QStringLiteral("SummaryTable"));
  summary_table_->setHorizontalHeaderLabels({QStringLiteral("項目"), QStringLiteral("値")});
  summary_table_->verticalHeader()->hide();
  summary_table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  summary_table_->setSelectionMode(QAbstractItemView::NoSelection);
  summary_table_->setWordWrap(true);
  summary_table_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
  summary_table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
  summary_table_->setMinimumWidth(440);

  auto* histogram_view = new QChartView(histogram_chart_);
  histogram_view->setObjectName(QStringLiteral("HistogramView"));
  histogram_view->setRenderHint(QPainter::Antialiasing);
  auto* fan_view = new QChartView(fan_chart_);
  fan_view->setObjectName(QStringLiteral("FanView"));
  fan_view->setRenderHint(QPainter::Antialiasing);
  auto* charts = new QVBoxLayout;
  charts->addWidget(histogram_view, 1);
  charts->addWidget(fan_view, 1);
  auto* body = new QHBoxLayout;
  body->addLayout(charts, 1);
  body->addWidget(summary_table_);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(commands);
  layout->addLayout(body, 1);

  connect(start_button_, &QPushButton::clicked, this, &TStudyForm::BtnStartClick);
  connect(cancel_button_, &QPushButton::clicked, this, &TStudyForm::BtnCancelClick);
  connect(csv_button_, &QPushButton::clicked, this, &TStudyForm::BtnCsvClick);
  connect(close_button_, &QPushButton::clicked, this, &TStudyForm::reject);
  // The study's threads emit these; the window takes them in its own thread, in order.
  connect(this, &TStudyForm::StudyProgress, this, &TStudyForm::OnStudyProgress, Qt::QueuedConnection);
  connect(this, &TStudyForm::StudyFinished, this, &TStudyForm::OnStudyFinished, Qt::QueuedConnection);

  SetRunning(false);
  resize(1240, 820);
}

TStudyForm::~TStudyForm() = default;

void TStudyForm::BuildCharts() {
  histogram_chart_ = MakeChart(QStringLiteral("最終残高の分布"));
  histogram_outline_ = new QLineSeries(histogram_chart_);
  histogram_area_ = new QAreaSeries(histogram_outline_);
  histogram_area_->setName(QStringLiteral("セッション数"));
  histogram_area_->setBrush(QColor(70, 130, 180, 200));
  histogram_area_->setPen(QPen(QColor(30, 70, 120), 1));
  histogram_start_ = new QLineSeries;
  histogram_start_->setName(QStringLiteral("開始残高"));
  histogram_start_->setPen(QPen(QColor(200, 30, 30), 2, Qt::DashLine));
  histogram_chart_->addSeries(histogram_area_);
  histogram_chart_->addSeries(histogram_start_);
  histogram_x_ = MakeAxis(histogram_chart_, QStringLiteral("最終残高"), Qt::AlignBottom);
  histogram_y_ = MakeAxis(histogram_chart_, QStringLiteral("セッション数"), Qt::AlignLeft);
  Attach(histogram_area_, histogram_x_, histogram_y_);
  Attach(histogram_start_, histogram_x_, histogram_y_);

  fan_chart_ = MakeChart(QStringLiteral("残高の推移（パーセンタイル）"));
  for (QLineSeries*& line : fan_series_) line = new QLineSeries(fan_chart_);
  outer_band_ = new QAreaSeries(fan_series_[4], fan_series_[0]);
  outer_band_->setName(QStringLiteral("5〜95%"));
  outer_band_->setBrush(QColor(100, 149, 237, 80));
  outer_band_->setPen(Qt::NoPen);
  inner_band_ = new QAreaSeries(fan_series_[3], fan_series_[1]);
  inner_band_->setName(QStringLiteral("25〜75%"));
  inner_band_->setBrush(QColor(65, 105, 225, 150));
  inner_band_->setPen(Qt::NoPen);
  median_series_ = new QLineSeries;
  median_series_->setName(QStringLiteral("中央値"));
  median_series_->setPen(QPen(QColor(0, 0, 110), 2));
  fan_start_ = new QLineSeries;
  fan_start_->setName(QStringLiteral("開始残高"));
  fan_start_->setPen(QPen(QColor(200, 30, 30), 1.5, Qt::DashLine));
  for (QAbstractSeries* s : std::initializer_list<QAbstractSeries*>{outer_band_, inner_band_, median_series_, fan_start_})
    fan_chart_->addSeries(s);
  fan_x_ = MakeAxis(fan_chart_, QStringLiteral("試行回数"), Qt::AlignBottom);
  fan_y_ = MakeAxis(fan_chart_, QStringLiteral("残高"), Qt::AlignLeft);
  for (QAbstractSeries* s : std::initializer_list<QAbstractSeries*>{outer_band_, inner_band_, median_series_, fan_start_})
    Attach(s, fan_x_, fan_y_);
  histogram_x_->setRange(0, 1);
  histogram_y_->setRange(0, 1);
  fan_x_->setRange(0, 1);
  fan_y_->setRange(0, 1);
}

void TStudyForm::TakeFields() {
  model_->systems().selected = system_combo_->currentIndex() - 1;
  model_->patterns().selected = pattern_combo_->currentIndex() - 1;
  StudyFormInput& input = model_->input();
  input.sessions = FromQt(sessions_edit_->text());
  input.rounds = FromQt(rounds_edit_->text());
  input.profit = FromQt(profit_edit_->text());
  input.loss = FromQt(loss_edit_->text());
  input.seed = FromQt(seed_edit_->text());
}

void TStudyForm::SetRunning(bool running) {
  for (QWidget* w : std::initializer_list<QWidget*>{system_combo_, pattern_combo_, sessions_edit_, rounds_edit_,
                                                    profit_edit_, loss_edit_, seed_edit_, start_button_, csv_button_})
    w->setEnabled(!running);
  csv_button_->setEnabled(!running && model_->has_result());
  cancel_button_->setEnabled(running);
}

void TStudyForm::BtnStartClick() {
  if (model_->running()) return;
  TakeFields();
  // Called on the study's threads: only signals cross over.
  const bool started = model_->Start([this](int64_t done, int64_t total) { emit StudyProgress(done, total); },
                                     [this] { emit StudyFinished(); });
  if (!started) return;
  progress_bar_->setValue(0);
  status_label_->setStyleSheet(QString());
  status_label_->setText(ToQt(model_->StatusText(0, model_->requested_sessions())));
  SetRunning(true);
}

void TStudyForm::BtnCancelClick() { model_->Cancel(); }

void TStudyForm::BtnCsvClick() {
  if (model_->running()) return;
  model_->ExportCsv();
}

void TStudyForm::OnStudyProgress(qint64 done, qint64 total) {
  if (!model_->running()) return;  // a late report after the end
  progress_bar_->setValue(total > 0 ? static_cast<int>(done * 1000 / total) : 0);
  status_label_->setText(ToQt(model_->StatusText(done, total)));
}

void TStudyForm::OnStudyFinished() {
  if (!model_->running()) return;
  model_->Finish();
  ShowResult();
}

void TStudyForm::WaitForStudy() {
  if (!model_->running()) return;
  model_->Finish();
  ShowResult();
}

void TStudyForm::reject() {
  // Closing stops a study still going; its threads end within milliseconds.
  if (model_->running()) {
    model_->Cancel();
    WaitForStudy();
  }
  QDialog::reject();
}

void TStudyForm::ShowResult() {
  SetRunning(false);
  if (!model_->has_result()) {
    progress_bar_->setValue(0);
    status_label_->clear();
    return;
  }
  const StudySummary& s = model_->result().summary;
  progress_bar_->setValue(s.sessions_requested > 0 ? static_cast<int>(s.sessions_done * 1000 / s.sessions_requested) : 0);
  status_label_->setText(ToQt(model_->StatusText()));
  status_label_->setStyleSheet(s.cancelled ? QStringLiteral("color: #b00000; font-weight: bold;") : QString());
  const auto rows = StudySummaryRows(s);
  summary_table_->setRowCount(static_cast<int>(rows.size()) + 1);
  auto put = [this](int row, const std::string& label, const std::string& value) {
    summary_table_->setItem(row, 0, new QTableWidgetItem(ToQt(label)));
    summary_table_->setItem(row, 1, new QTableWidgetItem(ToQt(value)));
  };
  for (size_t i = 0; i < rows.size(); ++i) put(static_cast<int>(i), rows[i].first, rows[i].second);
  put(static_cast<int>(rows.size()), "シード", IntText(static_cast<long long>(model_->seed())));
  summary_table_->resizeRowsToContents();
  DrawHistogram();
  DrawFan();
}

void TStudyForm::DrawHistogram() {
  const StudySummary& s = model_->result().summary;
  histogram_chart_->setTitle(ChartTitle("最終残高の分布", &s));
  const Histogram h = model_->FinalHistogram(kHistogramClasses);
  QList<QPointF> outline;
  int64_t most = 0;
  if (!h.counts.empty()) {
    outline.append(QPointF(h.edges.front() / 100.0, 0));
    for (size_t k = 0; k < h.counts.size(); ++k) {
      const double count = static_cast<double>(h.counts[k]);
      outline.append(QPointF(h.edges[k] / 100.0, count));
      outline.append(QPointF(h.edges[k + 1] / 100.0, count));
      most = std::max(most, h.counts[k]);
    }
    outline.append(QPointF(h.edges.back() / 100.0, 0));
  }
  histogram_outline_->replace(outline);
  const double start = s.starting_balance / 100.0;
  histogram_start_->replace({QPointF(start, 0), QPointF(start, static_cast<double>(most) * 1.05)});
  if (h.counts.empty()) return;
  SetRange(histogram_x_, std::min(h.edges.front() / 100.0, start), std::max(h.edges.back() / 100.0, start));
  histogram_y_->setRange(0, std::max<double>(1, static_cast<double>(most) * 1.1));
  histogram_y_->applyNiceNumbers();
}

void TStudyForm::DrawFan() {
  const StudyResult& r = model_->result();
  fan_chart_->setTitle(ChartTitle("残高の推移（パーセンタイル）", &r.summary));
  const StudyBands& b = r.bands;
  double low = 0, high = 0;
  for (size_t k = 0; k < b.values.size(); ++k) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(b.rounds.size()));
    for (size_t j = 0; j < b.rounds.size(); ++j) {
      const double v = b.values[k][j];
      points.append(QPointF(static_cast<double>(b.rounds[j]), v));
      low = k == 0 && j == 0 ? v : std::min(low, v);
      high = k == 0 && j == 0 ? v : std::max(high, v);
    }
    fan_series_[k]->replace(points);
    if (k == 2) median_series_->replace(points);
  }
  const double start = r.summary.starting_balance / 100.0;
  const double last = b.rounds.empty() ? 1.0 : static_cast<double>(std::max<int64_t>(b.rounds.back(), 1));
  fan_start_->replace({QPointF(0, start), QPointF(last, start)});
  if (b.rounds.empty()) return;
  fan_x_->setRange(0, last);
  if (last >= 10) fan_x_->applyNiceNumbers();
  SetRange(fan_y_, std::min(low, start), std::max(high, start));
}

}  // namespace vessaro
