// The rule settings dialog "ルール設定". It shows what PrepareRuleDialog reads and hands the typed
// values to ConfirmRuleDialog; the checks, messages and the file live there.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>

#include "common/ports.h"
#include "engine/table_settings.h"

namespace vessaro {

class TRuleDlgForm : public QDialog {
  Q_OBJECT
 public:
  // forced: the cancel command is disabled (the settings must be made before play).
  TRuleDlgForm(const fs::path& program_folder, TableSettings& settings, Dialogs& dialogs, bool forced,
               QWidget* parent = nullptr);

  RuleDialogValues Values() const;
  void SetValues(const RuleDialogValues& values);

  QPushButton* confirm_button() const { return confirm_button_; }
  QPushButton* cancel_button() const { return cancel_button_; }

 public slots:
  void BtnSetClick();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  fs::path program_folder_;
  TableSettings& settings_;
  Dialogs& dialogs_;
  bool shown_ = false;
  QComboBox* speed_ = nullptr;
  QComboBox* mode_ = nullptr;
  QLineEdit* balance_ = nullptr;
  QCheckBox* remember_ = nullptr;
  QLineEdit* minimum_ = nullptr;
  QLineEdit* maximum_ = nullptr;
  QPushButton* confirm_button_ = nullptr;
  QPushButton* cancel_button_ = nullptr;
};

}  // namespace vessaro
