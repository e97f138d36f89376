// The ports on Qt: message boxes and file pickers over an owner window, the event pump behind the
// table's pauses, and the desktop shell.
#pragma once

#include <QPointer>
#include <QString>
#include <QWidget>

#include "common/ports.h"

namespace vessaro {

QString ToQt(std::string_view text);  // UTF-8, with "\r\n" shown as a line break
std::string FromQt(const QString& text);

class QtDialogs : public Dialogs {
 public:
  explicit QtDialogs(QWidget* owner = nullptr) : owner_(owner) {}
  void set_owner(QWidget* owner) { owner_ = owner; }

  void ShowMessage(std::string_view text, MessageKind kind) override;
  void ShowTitledMessage(std::string_view title, std::string_view text, MessageKind kind) override;
  bool AskYesNo(std::string_view text) override;
  std::optional<std::string> ChooseOpenFile(const FileFilter& filter) override;
  std::optional<std::string> ChooseSaveFile(const FileFilter& filter) override;
  std::optional<std::string> ChooseFolder(std::string_view title, std::string_view initial) override;

 private:
  QPointer<QWidget> owner_;
};

class QtEventPump : public EventPump {
 public:
  void ProcessEvents() override;
  void Pause(int ms) override;
  void Sleep(int ms) override;
};

class QtShell : public Shell {
 public:
  bool OpenWithAssociation(const std::string& path) override;
  bool StartProgram(const std::string& path, const std::vector<std::string>& args) override;
};

// "TXT FILE(*.TXT)|*.TXT|ALL FILE(*.*)|*.*" pairs to a Qt filter; patterns match either case.
QString ToQtFilter(const std::string& pairs);

}  // namespace vessaro
