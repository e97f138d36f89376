#include "ui/analysis/analysis_widgets.h"

#include <QWindow>

namespace vessaro {

QPushButton* MakeButton(const char* text, const char* name) {
  auto* button = new QPushButton(QString::fromUtf8(text));
  button->setObjectName(QString::fromUtf8(name));
  button->setAutoDefault(false);
  return button;
}

void StyleSideButton(QPushButton* button, char side) {
  const char* colour = side == 'P' ? "#154FD6" : "#D61E1E";
  button->setStyleSheet(QStringLiteral("QPushButton { color: white; font-weight: bold; background: %1;"
                                       " border-radius: 4px; padding: 4px 14px; }"
                                       "QPushButton:pressed { background: #444; }"
                                       "QPushButton:disabled { background: #aaa; }")
                            .arg(QString::fromLatin1(colour)));
}

QLineEdit* MakeReadOnlyField(const char* name, int minimum_width) {
  auto* field = new QLineEdit;
  field->setObjectName(QString::fromUtf8(name));
  field->setReadOnly(true);
  if (minimum_width > 0) field->setMinimumWidth(minimum_width);
  QPalette pal = field->palette();
  pal.setColor(QPalette::Base, QColor(0xF0, 0xF0, 0xF0));
  field->setPalette(pal);
  return field;
}

}  // namespace vessaro

namespace vessaro {

void ShowUsableBeside(QWidget* window, QWidget* modal) {
  if (modal != nullptr) {
    window->winId();
    if (QWindow* handle = window->windowHandle(); handle != nullptr && modal->window()->windowHandle())
      handle->setTransientParent(modal->window()->windowHandle());
  }
  window->show();
  window->raise();
  window->activateWindow();
}

}  // namespace vessaro
