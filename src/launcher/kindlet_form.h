// The launcher's window "Vessaro - 起動中": a picture, "アップデートを行っています..." and a
// progress bar. On its first paint it runs the launcher (launcher_run.h).
#pragma once

#include <QLabel>
#include <QProgressBar>
#include <QWidget>
#include <functional>
#include <memory>

#include "common/files.h"
#include "common/ports.h"
#include "launcher/launcher_run.h"

namespace vessaro {

// The ports the window runs on; tests hand in fakes and a recorder of the announcements.
struct KindletPorts {
  Dialogs* dialogs = nullptr;        // default: message boxes over the window
  EventPump* pump = nullptr;         // default: the Qt event loop
  Clock* clock = nullptr;            // default: the system clock
  ProcessList* processes = nullptr;  // default: this user's processes
  Shell* shell = nullptr;            // default: the desktop
  HttpClient* http = nullptr;        // default: Qt Network with the configured time-out
  std::function<void(const fs::path&)> show_announcement;  // default: the window "お知らせ"
};

class TKindletForm : public QWidget, public LauncherView {
  Q_OBJECT
 public:
  explicit TKindletForm(const fs::path& program_folder, KindletPorts ports = {}, QWidget* parent = nullptr);
  ~TKindletForm() override;

  // The whole run; also started by the first paint.
  LauncherEnd Run();

  QProgressBar* progress_bar() const { return progress_; }
  QLabel* status_label() const { return status_; }

  // LauncherView
  void SetMaximum(int maximum) override;
  void SetPosition(int position) override;
  void ShowAnnouncement(const fs::path& picture) override;

 signals:
  // The launcher is done: kStarted and kStartFailed end the program.
  void finished(vessaro::LauncherEnd end);

 protected:
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  fs::path program_folder_;
  KindletPorts ports_;
  std::unique_ptr<Dialogs> own_dialogs_;
  std::unique_ptr<EventPump> own_pump_;
  std::unique_ptr<Clock> own_clock_;
  std::unique_ptr<ProcessList> own_processes_;
  std::unique_ptr<Shell> own_shell_;
  std::unique_ptr<HttpClient> own_http_;
  std::string root_;
  bool started_ = false;
  bool ran_ = false;
  bool running_ = false;
  bool close_pending_ = false;
  QLabel* status_ = nullptr;
  QProgressBar* progress_ = nullptr;
};

// The picture at the top of the launcher's window and of the simulator's splash.
class LauncherPicture : public QWidget {
 public:
  LauncherPicture(const fs::path& program_folder, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QPixmap back_;
  QPixmap face_;
};

}  // namespace vessaro
