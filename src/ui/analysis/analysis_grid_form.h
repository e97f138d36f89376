// "パターン別出現率解析値" (TAnalysisGridForm): the pattern frequency table in a grid that sorts by
// its number columns, marks cells in one of five colours, and narrows down through the condition
// search. FrequencyGridModel holds the rows; the grid draws them through a table model, so
// thousands of rows load and sort at once.
#pragma once

#include <QAbstractTableModel>
#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <array>
#include <memory>

#include "analysis/grid_table.h"
#include "common/ports.h"

namespace vessaro {

class GridItemModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  explicit GridItemModel(const FrequencyGridModel& grid, QObject* parent = nullptr)
      : QAbstractTableModel(parent), grid_(grid) {}
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  void Reload();
  void CellChanged(int row, int column);

 private:
  const FrequencyGridModel& grid_;
};

// The colour a mark is drawn in.
QColor MarkQColor(MarkColour colour);

class TAnalysisGridForm : public QDialog {
  Q_OBJECT
 public:
  // dialogs nullptr: message boxes over this window. search replaces the condition search
  // window (tests); by default TGridJyokenSerachForm opens modally.
  TAnalysisGridForm(const fs::path& table_file, Dialogs* dialogs, QWidget* parent = nullptr,
                    FrequencyGridModel::SearchPort search = nullptr);
  ~TAnalysisGridForm() override;

  FrequencyGridModel& model() { return *model_; }
  QTableView* grid() const { return grid_; }
  GridItemModel* item_model() const { return items_; }
  // column 1 to 4; ascending "▲" or descending "▼".
  QPushButton* sort_button(int column, bool ascending) const;
  QButtonGroup* colour_group() const { return colours_; }
  QPushButton* search_button() const { return search_button_; }
  QPushButton* clear_button() const { return clear_button_; }
  QPushButton* close_button() const { return close_button_; }
  QLabel* heading_label() const { return heading_label_; }
  QLabel* theory_label() const { return theory_label_; }
  QLabel* result_label() const { return result_label_; }

 public slots:
  void SortClick(int column, bool ascending);
  void GridCellClick(const QModelIndex& index);
  void BtnSearchClick();
  void BtnClearClick();

 private:
  void Refresh();

  std::unique_ptr<Dialogs> own_dialogs_;
  std::unique_ptr<FrequencyGridModel> model_;
  int shown_revision_ = -1;
  GridItemModel* items_ = nullptr;
  QTableView* grid_ = nullptr;
  std::array<QPushButton*, 8> sort_buttons_{};
  QButtonGroup* colours_ = nullptr;
  QPushButton* search_button_ = nullptr;
  QPushButton* clear_button_ = nullptr;
  QPushButton* close_button_ = nullptr;
  QLabel* heading_label_ = nullptr;
  QLabel* theory_label_ = nullptr;
  QLabel* result_label_ = nullptr;
};

}  // namespace vessaro
