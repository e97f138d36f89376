// "グリッド内条件検索" (TGridJyokenSerachForm): up to five conditions on the frequency table joined by
// AND / OR. Every choice goes to ConditionSearchModel, which decides what is enabled; a wildcard
// asks for its letters in TPatternSeachForm.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "analysis/grid_search.h"
#include "common/ports.h"

namespace vessaro {

class TGridJyokenSerachForm : public QDialog {
  Q_OBJECT
 public:
  // dialogs nullptr: message boxes over this window. pattern_entry replaces the pattern entry
  // window (tests); by default TPatternSeachForm opens modally.
  TGridJyokenSerachForm(const fs::path& table_file, int max_pattern_length, const fs::path& result_file,
                        Dialogs* dialogs, QWidget* parent = nullptr,
                        ConditionSearchModel::PatternPort pattern_entry = nullptr);
  ~TGridJyokenSerachForm() override;

  // After "検索": the filtered table file; nothing when cancelled.
  const std::optional<fs::path>& result() const { return result_; }
  ConditionSearchModel& model() { return *model_; }

  QComboBox* connector_combo(int row) const { return connectors_[static_cast<size_t>(row)]; }
  QComboBox* item_combo(int row) const { return items_[static_cast<size_t>(row)]; }
  QLineEdit* type_edit(int row) const { return types_[static_cast<size_t>(row)]; }
  QComboBox* operator_combo(int row) const { return operators_[static_cast<size_t>(row)]; }
  QComboBox* value_combo(int row) const { return values_[static_cast<size_t>(row)]; }
  QPushButton* search_button() const { return search_button_; }
  QPushButton* clear_button() const { return clear_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 public slots:
  void BtnSearchClick();
  void BtnClearClick();

 private:
  void Refresh();

  std::unique_ptr<Dialogs> own_dialogs_;
  std::unique_ptr<ConditionSearchModel> model_;
  std::optional<fs::path> result_;
  static constexpr int kRows = ConditionSearchModel::kRows;
  std::array<QComboBox*, kRows> connectors_{};  // row 0 has none
  std::array<QComboBox*, kRows> items_{};
  std::array<QLineEdit*, kRows> types_{};
  std::array<QComboBox*, kRows> operators_{};
  std::array<QComboBox*, kRows> values_{};
  QPushButton* search_button_ = nullptr;
  QPushButton* clear_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
};

}  // namespace vessaro
