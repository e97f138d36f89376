#include "launcher/update_splash_form.h"

#include <QApplication>
#include <QVBoxLayout>

#include "launcher/kindlet_form.h"
#include "ui/common/window_helpers.h"
#include "update/process_wait.h"
#include "update/qt_http_client.h"
#include "update/update_config.h"

namespace vessaro {

TUpdateSplashForm::TUpdateSplashForm(const fs::path& program_folder, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("UpdateSplash"));
  setWindowTitle(QString::fromUtf8(start_texts::kSplashTitle));
  // The table underneath takes no command while its start-up work is under way.
  setWindowModality(Qt::ApplicationModal);
  setWindowFlag(Qt::WindowCloseButtonHint, false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 14);
  layout->setSpacing(10);
  layout->addWidget(new LauncherPicture(program_folder, this));
  auto* text = new QLabel(QString::fromUtf8(start_texts::kSplashText), this);
  text->setContentsMargins(18, 0, 18, 0);
  layout->addWidget(text);
  progress_ = new QProgressBar(this);
  progress_->setTextVisible(false);
  progress_->setRange(0, 1);
  progress_->setValue(0);
  auto* row = new QVBoxLayout;
  row->setContentsMargins(18, 0, 18, 0);
  row->addWidget(progress_);
  layout->addLayout(row);
  setFixedSize(sizeHint());
}

void TUpdateSplashForm::Show() {
  CenterOver(parentWidget(), this, 0.5, 0.5);
  show();
  raise();
  QCoreApplication::processEvents();
}

void TUpdateSplashForm::Close() { hide(); }

void TUpdateSplashForm::SetMaximum(int maximum) { progress_->setRange(0, std::max(1, maximum)); }

void TUpdateSplashForm::SetPosition(int position) { progress_->setValue(std::min(position, progress_->maximum())); }

bool RunStartUpdate(QWidget* owner, const fs::path& program_folder, StartUpdateWindowPorts ports) {
  const UpdateConfig config = LoadUpdateConfig(program_folder);
  if (config.root.empty()) return false;
  SystemProcessList own_processes;
  QtHttpClient own_http(config.timeout_ms);
  StartUpdatePorts start{UpdatePorts{ports.http != nullptr ? *ports.http : own_http, ports.pump, ports.clock},
                         ports.dialogs, ports.processes != nullptr ? *ports.processes : own_processes, ports.shell};
  TUpdateSplashForm splash(program_folder, owner);
  return UpdateLauncherAtStart(start, splash, program_folder, config.root, RunningProgramFile());
}

}  // namespace vessaro
