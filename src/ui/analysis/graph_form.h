// The balance graph windows "残高推移グラフ": TGraphForm after an automatic run (or with no graph,
// from the table), TGraphLogForm after a log replay. One implementation draws GraphWindowModel's
// state on a chart and forwards the commands; the rules live in the model.
#pragma once

#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QValueAxis>
#include <memory>

#include "analysis/graph_window_model.h"
#include "common/ports.h"

namespace vessaro {

class TGraphBunsekiForm;

class GraphFormBase : public QDialog {
  Q_OBJECT
 public:
  ~GraphFormBase() override;

  GraphWindowModel& model() { return model_; }
  QChart* chart() const { return chart_; }
  QLineSeries* system_series() const { return system_series_; }
  QLineSeries* flat_series() const { return flat_series_; }
  QValueAxis* x_axis() const { return x_axis_; }
  QValueAxis* y_axis() const { return y_axis_; }
  QLineEdit* name_edit() const { return name_edit_; }
  QComboBox* graph_combo() const { return graph_combo_; }
  QLabel* summary_label() const { return summary_label_; }
  QLabel* pattern_label() const { return pattern_label_; }
  QPushButton* save_button() const { return save_button_; }
  QPushButton* close_button() const { return close_button_; }
  QPushButton* detail_button() const { return detail_button_; }
  QPushButton* delete_button() const { return delete_button_; }
  QPushButton* load_button() const { return load_button_; }  // replay window only
  TGraphBunsekiForm* detail_form() const { return detail_; }

 public slots:
  void BtnSaveClick();
  void BtnCloseClick();
  void BtnDetailClick();
  void BtnDeleteClick();
  void BtnLoadClick();
  void ComboGraphActivated(int index);
  // The close box and Esc: the replay window closes as it is; the run window stays.
  void reject() override;

 protected:
  GraphFormBase(GraphFlavour flavour, const fs::path& program_folder, const fs::path& graph_file,
                int64_t rounds, Dialogs* dialogs, TGraphBunsekiForm* detail, QWidget* parent);
  void showEvent(QShowEvent* event) override;

 private:
  void BuildChart();
  void TakeName();
  void Refresh();
  void RedrawChart();

  std::unique_ptr<Dialogs> own_dialogs_;
  GraphWindowModel model_;
  TGraphBunsekiForm* detail_ = nullptr;
  bool shown_ = false;
  int drawn_revision_ = -1;
  std::vector<SavedGraph> listed_;

  QChart* chart_ = nullptr;
  QChartView* chart_view_ = nullptr;
  QLineSeries* system_series_ = nullptr;
  QLineSeries* flat_series_ = nullptr;
  QValueAxis* x_axis_ = nullptr;
  QValueAxis* y_axis_ = nullptr;
  QLineEdit* name_edit_ = nullptr;
  QComboBox* graph_combo_ = nullptr;
  QLabel* summary_label_ = nullptr;
  QLabel* pattern_label_ = nullptr;
  QPushButton* save_button_ = nullptr;
  QPushButton* close_button_ = nullptr;
  QPushButton* detail_button_ = nullptr;
  QPushButton* delete_button_ = nullptr;
  QPushButton* load_button_ = nullptr;
};

// After an automatic run: graph_file is the run's temporary graph, or empty from the table's
// "グラフ表示". Closes only through "閉じる". dialogs nullptr: message boxes over this window.
class TGraphForm : public GraphFormBase {
  Q_OBJECT
 public:
  TGraphForm(const fs::path& program_folder, const fs::path& graph_file, int64_t rounds,
             Dialogs* dialogs, TGraphBunsekiForm* detail, QWidget* parent = nullptr)
      : GraphFormBase(GraphFlavour::kRun, program_folder, graph_file, rounds, dialogs, detail,
                      parent) {}
};

// After a log replay, on the replay's graph file.
class TGraphLogForm : public GraphFormBase {
  Q_OBJECT
 public:
  TGraphLogForm(const fs::path& program_folder, const fs::path& graph_file, int64_t rounds,
                Dialogs* dialogs, TGraphBunsekiForm* detail, QWidget* parent = nullptr)
      : GraphFormBase(GraphFlavour::kReplay, program_folder, graph_file, rounds, dialogs, detail,
                      parent) {}
};

}  // namespace vessaro
