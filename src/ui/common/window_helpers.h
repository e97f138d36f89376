// Small helpers every window uses: centring over the owner, a message box over the owner,
// choosing a file into a field, and files dropped onto fields.
#pragma once

#include <QLineEdit>
#include <QMessageBox>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

#include "common/ports.h"

class QDropEvent;

namespace vessaro {

// Japanese for Qt's own texts (standard buttons, file dialogs, context menus) and the CJK font:
// every program calls it once after creating its QApplication.
void SetUpJapaneseApplication();

// Places dialog over owner at the given fractions of the free space (0.5, 0.5 centres it); over
// the screen when the owner is missing, hidden or minimised.
void CenterOver(QWidget* owner, QWidget* dialog, double vertical, double horizontal);

// A modal message box centred over owner; returns the button pressed.
int ShowMessageOver(QWidget* owner, const QString& text, QMessageBox::Icon icon,
                    QMessageBox::StandardButtons buttons, const QString& title = QStringLiteral("Vessaro"));

// An open-file choice whose initial file is the field's text; the chosen path goes into the field.
// title defaults to "入力ファイルを指定してください。", pattern to "*.TXT".
bool ChooseFile(QWidget* owner, const QString& initial_folder, QLineEdit* field,
                const QString& title = QString(), const QString& pattern = QString());

enum class DropKind { kFile = 1, kFolder = 2 };
struct DropTarget {
  QString field_name;  // objectName of a QLineEdit of the window
  DropKind kind;
};

// Files dropped on window: the first enabled, visible target under the drop point takes the first
// path when its kind fits (otherwise a warning). Returns the field that took it, or null.
QLineEdit* DropToField(QWidget* window, const std::vector<DropTarget>& targets, QDropEvent* event,
                       Dialogs& dialogs);

}  // namespace vessaro
