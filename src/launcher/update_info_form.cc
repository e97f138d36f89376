#include "launcher/update_info_form.h"

#include <QDesktopServices>
#include <QHBoxLayout>
#include <QLabel>
#include <QUrl>
#include <QVBoxLayout>

#include "common/system_clock.h"
#include "launcher/own_port.h"
#include "ui/common/qt_ports.h"
#include "ui/common/window_helpers.h"
#include "update/qt_http_client.h"
#include "update/update_info.h"

namespace vessaro {
namespace {

void OpenInBrowser(const std::string& url) { QDesktopServices::openUrl(QUrl(QString::fromStdString(url))); }

void Perform(const WebAction& action, Dialogs& dialogs, const std::function<void(const std::string&)>& open_url) {
  for (const std::string& m : action.messages) dialogs.ShowMessage(m, MessageKind::kInformation);
  if (!action.url.empty()) open_url(action.url);
}

}  // namespace

TAdminHelpForm::TAdminHelpForm(const UpdateConfig& config, Dialogs& dialogs,
                               std::function<void(const std::string&)> open_url, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("AdminHelp"));
  setWindowTitle(QString::fromUtf8(update_info_texts::kAdminHelp));
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 14, 16, 14);
  layout->setSpacing(12);
  auto* text = new QLabel(ToQt(update_info_texts::kHelpText), this);
  text->setWordWrap(true);
  layout->addWidget(text);
  auto* row = new QHBoxLayout;
  page1_ = new QPushButton(QString::fromUtf8(update_info_texts::kHelpPage1), this);
  page2_ = new QPushButton(QString::fromUtf8(update_info_texts::kHelpPage2), this);
  row->addWidget(page1_);
  row->addWidget(page2_);
  layout->addLayout(row);
  connect(page1_, &QPushButton::clicked, this,
          [&dialogs, open_url, url = config.admin_help_url1] { Perform(OpenPageAction(url), dialogs, open_url); });
  connect(page2_, &QPushButton::clicked, this,
          [&dialogs, open_url, url = config.admin_help_url2] { Perform(OpenPageAction(url), dialogs, open_url); });
  setMinimumWidth(420);
}

TUpdateInfoForm::TUpdateInfoForm(const fs::path& program_folder, UpdateInfoPorts ports, QWidget* parent)
    : QDialog(parent), program_folder_(program_folder), config_(LoadUpdateConfig(program_folder)), ports_(std::move(ports)) {
  setObjectName(QStringLiteral("UpdateInfo"));
  setWindowTitle(QString::fromUtf8(update_info_texts::kTitle));
  ports_.dialogs = PortOrOwn<QtDialogs>(ports_.dialogs, own_dialogs_, this);
  ports_.pump = PortOrOwn<QtEventPump>(ports_.pump, own_pump_);
  ports_.clock = PortOrOwn<SystemClock>(ports_.clock, own_clock_);
  ports_.http = PortOrOwn<QtHttpClient>(ports_.http, own_http_, config_.timeout_ms);
  if (!ports_.open_url) ports_.open_url = OpenInBrowser;

  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(QStringLiteral("更新内容"), this);
  QFont bold = heading->font();
  bold.setBold(true);
  heading->setFont(bold);
  layout->addWidget(heading);
  note_ = new QPlainTextEdit(this);
  note_->setObjectName(QStringLiteral("ReleaseNote"));
  note_->setReadOnly(true);
  std::string text;
  try {
    text = ReadTextFile(program_folder_ / update_info_texts::kReleaseNoteFile);
  } catch (const IoError& e) {
    text = e.what();
  }
  note_->setPlainText(ToQt(text));
  layout->addWidget(note_);
  auto* row = new QHBoxLayout;
  check_ = new QPushButton(QString::fromUtf8(update_info_texts::kAdminCheck), this);
  help_ = new QPushButton(QString::fromUtf8(update_info_texts::kAdminHelp), this);
  forum_ = new QPushButton(QString::fromUtf8(update_info_texts::kForum), this);
  for (QPushButton* b : {check_, help_, forum_}) row->addWidget(b);
  layout->addLayout(row);
  connect(check_, &QPushButton::clicked, this, &TUpdateInfoForm::BtnAdminCheckClick);
  connect(help_, &QPushButton::clicked, this, &TUpdateInfoForm::BtnAdminHelpClick);
  connect(forum_, &QPushButton::clicked, this, &TUpdateInfoForm::BtnForumClick);
  resize(600, 440);
}

TUpdateInfoForm::~TUpdateInfoForm() = default;

void TUpdateInfoForm::BtnAdminCheckClick() {
  // The check downloads and copies; the buttons wait for it.
  setEnabled(false);
  UpdatePorts ports{*ports_.http, *ports_.pump, *ports_.clock};
  const std::string message = CheckAdministrator(ports, config_, program_folder_, kSimulatorProgram);
  setEnabled(true);
  ports_.dialogs->ShowMessage(message, MessageKind::kInformation);
}

void TUpdateInfoForm::BtnAdminHelpClick() {
  TAdminHelpForm help(config_, *ports_.dialogs, ports_.open_url, this);
  help.exec();
}

void TUpdateInfoForm::BtnForumClick() { Perform(ForumAction(config_), *ports_.dialogs, ports_.open_url); }

void ShowUpdateInfo(QWidget* owner, const fs::path& program_folder) {
  TUpdateInfoForm form(program_folder, {}, owner);
  CenterOver(owner, &form, 0.5, 0.5);
  form.exec();
}

}  // namespace vessaro
