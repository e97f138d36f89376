// "ログ結合" (TLogMergeForm): the kind of logs, the folder holding them and the new file's name;
// MergeLogs checks and merges. On success the window closes with the merged file.
#pragma once

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <memory>
#include <optional>

#include "analysis/log_merge.h"
#include "common/ports.h"

namespace vessaro {

class TLogMergeForm : public QDialog {
  Q_OBJECT
 public:
  // dialogs nullptr: message boxes and the folder dialog over this window.
  TLogMergeForm(const fs::path& program_folder, Dialogs* dialogs, QWidget* parent = nullptr);
  ~TLogMergeForm() override;

  const std::optional<fs::path>& merged() const { return merged_; }

  QComboBox* kind_combo() const { return kind_combo_; }
  QLineEdit* folder_edit() const { return folder_edit_; }
  QPushButton* browse_button() const { return browse_button_; }
  QLineEdit* name_edit() const { return name_edit_; }
  QPushButton* merge_button() const { return merge_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 public slots:
  void BtnBrowseClick();
  void BtnMergeClick();

 private:
  fs::path program_folder_;
  std::unique_ptr<Dialogs> own_dialogs_;
  Dialogs& dialogs_;
  std::optional<fs::path> merged_;
  QComboBox* kind_combo_ = nullptr;
  QLineEdit* folder_edit_ = nullptr;
  QPushButton* browse_button_ = nullptr;
  QLineEdit* name_edit_ = nullptr;
  QPushButton* merge_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
};

}  // namespace vessaro
