// The simulator's window "アップデート情報": releasenote.txt, read-only, and three buttons: the
// write check through the archive update, a help window with two web pages, and the forum.
#pragma once

#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <memory>
#include <string>

#include "common/files.h"
#include "common/ports.h"
#include "update/update_config.h"

namespace vessaro {

struct UpdateInfoPorts {
  Dialogs* dialogs = nullptr;  // default: message boxes over the window
  EventPump* pump = nullptr;   // default: the Qt event loop
  Clock* clock = nullptr;      // default: the system clock
  HttpClient* http = nullptr;  // default: Qt Network with the configured time-out
  std::function<void(const std::string& url)> open_url;  // default: the desktop's browser
};

// "管理者モードで実行するには？": a short explanation and two buttons that open web pages.
class TAdminHelpForm : public QDialog {
  Q_OBJECT
 public:
  TAdminHelpForm(const UpdateConfig& config, Dialogs& dialogs, std::function<void(const std::string&)> open_url,
                 QWidget* parent = nullptr);
  QPushButton* page_button(int index) const { return index == 0 ? page1_ : page2_; }

 private:
  QPushButton* page1_ = nullptr;
  QPushButton* page2_ = nullptr;
};

class TUpdateInfoForm : public QDialog {
  Q_OBJECT
 public:
  TUpdateInfoForm(const fs::path& program_folder, UpdateInfoPorts ports = {}, QWidget* parent = nullptr);
  ~TUpdateInfoForm() override;

  QPlainTextEdit* release_note() const { return note_; }
  QPushButton* admin_check_button() const { return check_; }
  QPushButton* admin_help_button() const { return help_; }
  QPushButton* forum_button() const { return forum_; }

 public slots:
  void BtnAdminCheckClick();
  void BtnAdminHelpClick();
  void BtnForumClick();

 private:
  fs::path program_folder_;
  UpdateConfig config_;
  UpdateInfoPorts ports_;
  std::unique_ptr<Dialogs> own_dialogs_;
  std::unique_ptr<EventPump> own_pump_;
  std::unique_ptr<Clock> own_clock_;
  std::unique_ptr<HttpClient> own_http_;
  QPlainTextEdit* note_ = nullptr;
  QPushButton* check_ = nullptr;
  QPushButton* help_ = nullptr;
  QPushButton* forum_ = nullptr;
};

// Opens the window modally over owner.
void ShowUpdateInfo(QWidget* owner, const fs::path& program_folder);

}  // namespace vessaro
