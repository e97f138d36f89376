// The detailed analysis values window "詳細解析値": the shown graph's summary as label / value
// rows. Made once by the caller and kept for the whole session; the graph windows show it
// non-modally.
#pragma once

#include <QDialog>
#include <QTableWidget>
#include <vector>

#include "analysis/graph_details.h"

namespace vessaro {

class TGraphBunsekiForm : public QDialog {
  Q_OBJECT
 public:
  explicit TGraphBunsekiForm(QWidget* parent = nullptr);

  // Replaces the rows and shows the window beside over, usable while over runs modally.
  void ShowRows(const std::vector<DetailRow>& rows, QWidget* over);

  QTableWidget* grid() const { return grid_; }

 private:
  QTableWidget* grid_ = nullptr;
};

}  // namespace vessaro
