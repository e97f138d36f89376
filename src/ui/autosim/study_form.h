// The window "モンテカルロ検証": many sessions of a system and a pattern under the table's
// settings, with a histogram of the final balances, a fan chart of the balance over the rounds
// and the summary. A thin view of StudyFormModel; the study runs on its own threads and reports
// through queued signals, so the window stays responsive and can cancel at any time.
#pragma once

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QValueAxis>
#include <memory>

#include "autosim/study_form_model.h"
#include "common/ports.h"

namespace vessaro {

class TStudyForm : public QDialog {
  Q_OBJECT
 public:
  // dialogs and clock: nullptr for message boxes over the window and the system clock. The
  // system and pattern shown first are the run panel's choices, when they are in the lists.
  TStudyForm(const fs::path& program_folder, const TableSettings& settings, const StopLimits& limits,
             const std::string& system, const std::string& pattern, Dialogs* dialogs = nullptr,
             Clock* clock = nullptr, QWidget* parent = nullptr);
  ~TStudyForm() override;

  StudyFormModel& model() { return *model_; }
  bool running() const { return model_->running(); }
  // Blocks until the study's threads end and shows the result (closing, tests).
  void WaitForStudy();

  QComboBox* system_combo() const { return system_combo_; }
  QComboBox* pattern_combo() const { return pattern_combo_; }
  QLineEdit* sessions_edit() const { return sessions_edit_; }
  QLineEdit* rounds_edit() const { return rounds_edit_; }
  QLineEdit* profit_edit() const { return profit_edit_; }
  QLineEdit* loss_edit() const { return loss_edit_; }
  QLineEdit* seed_edit() const { return seed_edit_; }
  QPushButton* start_button() const { return start_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }
  QPushButton* csv_button() const { return csv_button_; }
  QProgressBar* progress_bar() const { return progress_bar_; }
  QLabel* status_label() const { return status_label_; }
  QTableWidget* summary_table() const { return summary_table_; }
  QChart* histogram_chart() const { return histogram_chart_; }
  QChart* fan_chart() const { return fan_chart_; }
  QLineSeries* histogram_outline() const { return histogram_outline_; }
  QLineSeries* median_series() const { return median_series_; }

 signals:
  // Emitted on the study's thread; the window hears them through queued connections.
  void StudyProgress(qint64 done, qint64 total);
  void StudyFinished();

 public slots:
  void BtnStartClick();
  void BtnCancelClick();
  void BtnCsvClick();
  void reject() override;

 private slots:
  void OnStudyProgress(qint64 done, qint64 total);
  void OnStudyFinished();

 private:
  void BuildCharts();
  void TakeFields();
  void SetRunning(bool running);
  void ShowResult();
  void DrawHistogram();
  void DrawFan();

  std::unique_ptr<Dialogs> own_dialogs_;
  std::unique_ptr<Clock> own_clock_;
  std::unique_ptr<StudyFormModel> model_;

  QComboBox* system_combo_ = nullptr;
  QComboBox* pattern_combo_ = nullptr;
  QLineEdit* sessions_edit_ = nullptr;
  QLineEdit* rounds_edit_ = nullptr;
  QLineEdit* profit_edit_ = nullptr;
  QLineEdit* loss_edit_ = nullptr;
  QLineEdit* seed_edit_ = nullptr;
  QPushButton* start_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
  QPushButton* csv_button_ = nullptr;
  QPushButton* close_button_ = nullptr;
  QProgressBar* progress_bar_ = nullptr;
  QLabel* status_label_ = nullptr;
  QTableWidget* summary_table_ = nullptr;

  QChart* histogram_chart_ = nullptr;
  QLineSeries* histogram_outline_ = nullptr;
  QAreaSeries* histogram_area_ = nullptr;
  QLineSeries* histogram_start_ = nullptr;
  QValueAxis* histogram_x_ = nullptr;
  QValueAxis* histogram_y_ = nullptr;
  QChart* fan_chart_ = nullptr;
  QLineSeries* fan_series_[5] = {};  // the 5, 25, 50, 75 and 95 percentile lines
  QAreaSeries* outer_band_ = nullptr;
  QAreaSeries* inner_band_ = nullptr;
  QLineSeries* median_series_ = nullptr;
  QLineSeries* fan_start_ = nullptr;
  QValueAxis* fan_x_ = nullptr;
  QValueAxis* fan_y_ = nullptr;
};

}  // namespace vessaro
