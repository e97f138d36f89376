// The simulator's side at its first display: the splash "Kindlet" ("アップデートを確認しています．．．"
// and a progress bar) over the start-up update of the launcher (update/start_update.h).
#pragma once

#include <QDialog>
#include <QLabel>
#include <QProgressBar>

#include "common/files.h"
#include "common/ports.h"
#include "update/start_update.h"

namespace vessaro {

class TUpdateSplashForm : public QDialog, public StartUpdateView {
  Q_OBJECT
 public:
  explicit TUpdateSplashForm(const fs::path& program_folder, QWidget* parent = nullptr);

  QProgressBar* progress_bar() const { return progress_; }

  // StartUpdateView
  void Show() override;
  void Close() override;
  void SetMaximum(int maximum) override;
  void SetPosition(int position) override;

 private:
  QProgressBar* progress_ = nullptr;
};

// The ports the simulator's table window already has; the process list and the HTTP client are
// made here unless given.
struct StartUpdateWindowPorts {
  Dialogs& dialogs;
  EventPump& pump;
  Clock& clock;
  Shell& shell;
  ProcessList* processes = nullptr;
  HttpClient* http = nullptr;
};

// The start-up update with the splash over owner. True when the launcher was updated and
// started, and the simulator must end.
bool RunStartUpdate(QWidget* owner, const fs::path& program_folder, StartUpdateWindowPorts ports);

}  // namespace vessaro
