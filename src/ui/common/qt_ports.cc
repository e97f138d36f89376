#include "ui/common/qt_ports.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEventLoop>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <QTimer>
#include <QUrl>

#include "ui/common/window_helpers.h"

namespace vessaro {

QString ToQt(std::string_view text) {
  QString s = QString::fromUtf8(text.data(), static_cast<int>(text.size()));
  s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return s;
}

std::string FromQt(const QString& text) { return text.toUtf8().toStdString(); }

void QtDialogs::ShowMessage(std::string_view text, MessageKind kind) {
  ShowTitledMessage("Vessaro", text, kind);
}

void QtDialogs::ShowTitledMessage(std::string_view title, std::string_view text, MessageKind kind) {
  QMessageBox::Icon icon = kind == MessageKind::kInformation ? QMessageBox::Information
                           : kind == MessageKind::kWarning   ? QMessageBox::Warning
                                                             : QMessageBox::Critical;
  ShowMessageOver(owner_, ToQt(text), icon, QMessageBox::Ok, ToQt(title));
}

bool QtDialogs::AskYesNo(std::string_view text) {
  return ShowMessageOver(owner_, ToQt(text), QMessageBox::Question, QMessageBox::Yes | QMessageBox::No,
                         QStringLiteral("確認")) == QMessageBox::Yes;
}

QString ToQtFilter(const std::string& pairs) {
  QStringList parts = QString::fromStdString(pairs).split('|');
  QStringList filters;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QStringList patterns;
    for (const QString& p : parts[i + 1].split(';', Qt::SkipEmptyParts)) {
      if (p == "*.*") {
        patterns << "*";
      } else {
        patterns << p.toLower();
        if (p.toUpper() != p.toLower()) patterns << p.toUpper();
      }
    }
    patterns.removeDuplicates();
    filters << QStringLiteral("%1 (%2)").arg(parts[i], patterns.join(' '));
  }
  return filters.join(QStringLiteral(";;"));
}

std::optional<std::string> QtDialogs::ChooseOpenFile(const FileFilter& filter) {
  QString file = QFileDialog::getOpenFileName(owner_, ToQt(filter.title), ToQt(filter.initial),
                                              ToQtFilter(filter.filter));
  if (file.isEmpty()) return std::nullopt;
  return FromQt(file);
}

std::optional<std::string> QtDialogs::ChooseSaveFile(const FileFilter& filter) {
  QFileDialog dialog(owner_, ToQt(filter.title), ToQt(filter.initial), ToQtFilter(filter.filter));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  if (!filter.default_extension.empty()) dialog.setDefaultSuffix(ToQt(filter.default_extension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FromQt(dialog.selectedFiles().first());
}

std::optional<std::string> QtDialogs::ChooseFolder(std::string_view title, std::string_view initial) {
  QString dir = QFileDialog::getExistingDirectory(owner_, ToQt(title), ToQt(initial));
  if (dir.isEmpty()) return std::nullopt;
  return FromQt(dir);
}

void QtEventPump::ProcessEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtEventPump::Pause(int ms) {
  if (ms <= 0) {
    ProcessEvents();
    return;
  }
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
}

void QtEventPump::Sleep(int ms) {
  if (ms > 0) QThread::msleep(static_cast<unsigned long>(ms));
}

bool QtShell::OpenWithAssociation(const std::string& path) {
  return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

bool QtShell::StartProgram(const std::string& path, const std::vector<std::string>& args) {
  QStringList list;
  for (const std::string& a : args) list << QString::fromStdString(a);
  return QProcess::startDetached(QString::fromStdString(path), list);
}

}  // namespace vessaro
