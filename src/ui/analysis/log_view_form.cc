#include "ui/analysis/log_view_form.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QTextCursor>
#include <QVBoxLayout>

#include "ui/common/qt_ports.h"

namespace vessaro {
namespace {

// Each slice of loading returns to the window events after this long, as other long work does.
constexpr int kSliceMs = 15;

QPushButton* Button(const char* text, const char* name) {
  auto* button = new QPushButton(QString::fromUtf8(text));
  button->setObjectName(QString::fromUtf8(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

TLogViewForm::TLogViewForm(const fs::path& program_folder, const std::string& path,
                           Dialogs* dialogs, QWidget* parent)
    : QDialog(parent),
      own_dialogs_(dialogs != nullptr ? nullptr : std::make_unique<QtDialogs>(this)),
      dialogs_(dialogs != nullptr ? *dialogs : *own_dialogs_),
      model_(program_folder, dialogs_) {
  setObjectName(QStringLiteral("LogViewForm"));
  setWindowTitle(ToQt(kLogViewCaption));
  setModal(true);
  setWindowFlag(Qt::WindowMaximizeButtonHint, true);

  path_edit_ = new QLineEdit;
  path_edit_->setObjectName(QStringLiteral("PathEdit"));
  browse_button_ = Button("参照", "BtnBrowse");
  show_button_ = Button("表示", "BtnShow");
  text_edit_ = new QPlainTextEdit;
  text_edit_->setObjectName(QStringLiteral("LogText"));
  // A run's log can hold a million lines: no wrapping (each line is laid out only when seen) and
  // no undo history of the whole text.
  text_edit_->setLineWrapMode(QPlainTextEdit::NoWrap);
  text_edit_->setUndoRedoEnabled(false);
  save_button_ = Button("名前を付けて保存", "BtnSaveAs");
  close_button_ = Button("閉じる", "BtnClose");

  auto* top = new QHBoxLayout;
  top->addWidget(path_edit_, 1);
  top->addWidget(browse_button_);
  top->addWidget(show_button_);
  auto* bottom = new QHBoxLayout;
  bottom->addStretch();
  bottom->addWidget(save_button_);
  bottom->addWidget(close_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(top);
  layout->addWidget(text_edit_, 1);
  layout->addLayout(bottom);

  connect(browse_button_, &QPushButton::clicked, this, &TLogViewForm::BtnBrowseClick);
  connect(show_button_, &QPushButton::clicked, this, &TLogViewForm::BtnShowClick);
  connect(save_button_, &QPushButton::clicked, this, &TLogViewForm::BtnSaveAsClick);
  connect(close_button_, &QPushButton::clicked, this, &QDialog::accept);
  load_timer_.setInterval(0);
  connect(&load_timer_, &QTimer::timeout, this, [this] { LoadSome(kSliceMs); });
  resize(900, 640);

  if (!path.empty()) {
    path_edit_->setText(ToQt(path));
    BtnShowClick();
  }
}

TLogViewForm::~TLogViewForm() = default;

void TLogViewForm::BtnBrowseClick() {
  if (std::optional<std::string> chosen = model_.Browse()) path_edit_->setText(ToQt(*chosen));
}

void TLogViewForm::BtnShowClick() {
  std::unique_ptr<LogTextReader> reader = model_.Show(FromQt(path_edit_->text()));
  if (reader == nullptr) return;
  StopLoading();
  reader_ = std::move(reader);
  text_edit_->clear();
  text_edit_->document()->setModified(false);
  text_edit_->setReadOnly(true);
  // The first screen appears at once; the rest follows while the window stays usable.
  LoadSome(kSliceMs);
  if (reader_ != nullptr) load_timer_.start();
}

void TLogViewForm::LoadSome(int budget_ms) {
  if (reader_ == nullptr) return;
  QElapsedTimer slice;
  slice.start();
  QTextCursor end(text_edit_->document());
  end.movePosition(QTextCursor::End);
  try {
    do {
      std::optional<std::string> piece = reader_->Next();
      if (!piece) {
        StopLoading();
        text_edit_->document()->setModified(false);
        emit LoadingFinished();
        return;
      }
      end.insertText(QString::fromUtf8(piece->data(), static_cast<qsizetype>(piece->size())));
    } while (budget_ms < 0 || slice.elapsed() < budget_ms);
  } catch (const IoError& error) {
    // What was read stays shown.
    StopLoading();
    dialogs_.ShowMessage(error.what(), MessageKind::kError);
  }
}

void TLogViewForm::FinishLoading() {
  if (reader_ == nullptr) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  LoadSome(-1);
  QApplication::restoreOverrideCursor();
}

void TLogViewForm::StopLoading() {
  load_timer_.stop();
  reader_.reset();
  text_edit_->setReadOnly(false);
}

void TLogViewForm::BtnSaveAsClick() {
  const std::optional<fs::path> target = model_.ChooseSaveTarget();
  if (!target) return;
  QApplication::setOverrideCursor(Qt::WaitCursor);
  // Unedited (and text is read-only while it loads), the copy is the file itself: quick even for
  // a long log, and exact even where the file holds bytes the code page cannot show.
  if ((loading() || !text_edit_->document()->isModified()) && !model_.shown_file().empty()) {
    model_.SaveCopy(*target);
  } else {
    model_.SaveText(*target, FromQt(text_edit_->toPlainText()));
  }
  QApplication::restoreOverrideCursor();
}

}  // namespace vessaro
