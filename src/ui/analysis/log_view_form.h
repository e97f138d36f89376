// The log viewer "ログビューア": an auto log (or any text file) as plain, editable text, with a
// copy saved on request. LogViewModel decides what is read and written.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <string>

#include "analysis/log_view_model.h"
#include "common/ports.h"

namespace vessaro {

class TLogViewForm : public QDialog {
  Q_OBJECT
 public:
  // A non-empty path is shown at once. dialogs nullptr: message boxes and pickers over this window.
  TLogViewForm(const fs::path& program_folder, const std::string& path = {},
               Dialogs* dialogs = nullptr, QWidget* parent = nullptr);
  ~TLogViewForm() override;

  QLineEdit* path_edit() const { return path_edit_; }
  QPlainTextEdit* text_edit() const { return text_edit_; }
  QPushButton* browse_button() const { return browse_button_; }
  QPushButton* show_button() const { return show_button_; }
  QPushButton* save_button() const { return save_button_; }
  QPushButton* close_button() const { return close_button_; }

  // A long file reaches the text area in pieces between window events; meanwhile the text is
  // read-only. FinishLoading takes in the rest at once.
  bool loading() const { return reader_ != nullptr; }
  void FinishLoading();

 signals:
  void LoadingFinished();

 public slots:
  void BtnBrowseClick();
  void BtnShowClick();
  void BtnSaveAsClick();

 private:
  // Takes in pieces for about budget_ms (at least one piece); stops at the end of the file.
  void LoadSome(int budget_ms);
  void StopLoading();

  std::unique_ptr<Dialogs> own_dialogs_;
  Dialogs& dialogs_;
  LogViewModel model_;
  std::unique_ptr<LogTextReader> reader_;
  QTimer load_timer_;
  QLineEdit* path_edit_ = nullptr;
  QPlainTextEdit* text_edit_ = nullptr;
  QPushButton* browse_button_ = nullptr;
  QPushButton* show_button_ = nullptr;
  QPushButton* save_button_ = nullptr;
  QPushButton* close_button_ = nullptr;
};

}  // namespace vessaro
