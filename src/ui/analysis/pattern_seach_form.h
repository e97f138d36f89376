// "検索パターン入力" (TPatternSeachForm): the letters of a wildcard condition typed on a road entry
// grid of 12 x 12 with the maximum pattern length of the frequency grid as its letter limit.
#pragma once

#include <QDialog>
#include <QPushButton>
#include <memory>
#include <optional>
#include <string>

#include "analysis/road_grid.h"
#include "common/ports.h"
#include "ui/analysis/road_grid_view.h"

namespace vessaro {

class TPatternSeachForm : public QDialog {
  Q_OBJECT
 public:
  // dialogs nullptr: message boxes over this window.
  TPatternSeachForm(int max_pattern_length, Dialogs* dialogs, QWidget* parent = nullptr);
  ~TPatternSeachForm() override;

  // After "このパターンを設定": the letters; nothing when cancelled or empty.
  const std::optional<std::string>& pattern() const { return pattern_; }
  const RoadGrid& grid() const { return grid_; }

  QPushButton* player_button() const { return player_button_; }
  QPushButton* banker_button() const { return banker_button_; }
  QPushButton* delete_last_button() const { return delete_last_button_; }
  QPushButton* delete_all_button() const { return delete_all_button_; }
  QPushButton* set_button() const { return set_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }
  RoadGridView* grid_view() const { return view_; }

 public slots:
  void BtnPlayerClick();
  void BtnBankerClick();
  void BtnDeleteLastClick();
  void BtnDeleteAllClick();
  void BtnSetClick();

 private:
  void Add(char letter);

  std::unique_ptr<Dialogs> own_dialogs_;
  Dialogs& dialogs_;
  RoadGrid grid_;
  std::optional<std::string> pattern_;
  RoadGridView* view_ = nullptr;
  QPushButton* player_button_ = nullptr;
  QPushButton* banker_button_ = nullptr;
  QPushButton* delete_last_button_ = nullptr;
  QPushButton* delete_all_button_ = nullptr;
  QPushButton* set_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
};

}  // namespace vessaro
