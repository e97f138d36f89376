#include "ui/analysis/log_merge_form.h"

#include <QFormLayout>
#include <QLabel>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/analysis/analysis_widgets.h"
#include "ui/common/qt_ports.h"

namespace vessaro {

TLogMergeForm::TLogMergeForm(const fs::path& program_folder, Dialogs* dialogs, QWidget* parent)
    : QDialog(parent),
      program_folder_(program_folder),
      own_dialogs_(dialogs != nullptr ? nullptr : std::make_unique<QtDialogs>(this)),
      dialogs_(dialogs != nullptr ? *dialogs : *own_dialogs_) {
  setObjectName(QStringLiteral("LogMergeForm"));
  setWindowTitle(QString::fromUtf8(merge_texts::kCaption));
  setModal(true);

  kind_combo_ = new QComboBox;
  kind_combo_->setObjectName(QStringLiteral("KindCombo"));
  kind_combo_->addItem(QString::fromUtf8(merge_texts::kChoosePrompt));
  for (const char* kind : kMergeKinds) kind_combo_->addItem(QString::fromUtf8(kind));
  folder_edit_ = new QLineEdit;
  folder_edit_->setObjectName(QStringLiteral("FolderEdit"));
  folder_edit_->setMinimumWidth(360);
  browse_button_ = MakeButton("参照", "BtnBrowse");
  name_edit_ = new QLineEdit;
  name_edit_->setObjectName(QStringLiteral("NameEdit"));
  merge_button_ = MakeButton("結合する", "BtnMerge");
  cancel_button_ = MakeButton("キャンセル", "BtnCancel");

  auto* folder = new QHBoxLayout;
  folder->addWidget(folder_edit_, 1);
  folder->addWidget(browse_button_);
  auto* name = new QHBoxLayout;
  name->addWidget(name_edit_, 1);
  name->addWidget(new QLabel(QStringLiteral("_merge<種類>.txt として history に保存します")));
  auto* form = new QFormLayout;
  form->addRow(QStringLiteral("ログの種類："), kind_combo_);
  form->addRow(QStringLiteral("入力フォルダ："), folder);
  form->addRow(QStringLiteral("保存ファイル名："), name);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(merge_button_);
  buttons->addWidget(cancel_button_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("フォルダ内の同じ種類のログをすべて1つのファイルに結合します")));
  layout->addLayout(form);
  layout->addLayout(buttons);

  connect(browse_button_, &QPushButton::clicked, this, &TLogMergeForm::BtnBrowseClick);
  connect(merge_button_, &QPushButton::clicked, this, &TLogMergeForm::BtnMergeClick);
  connect(cancel_button_, &QPushButton::clicked, this, &QDialog::reject);
}

TLogMergeForm::~TLogMergeForm() = default;

void TLogMergeForm::BtnBrowseClick() {
  const std::string initial = folder_edit_->text().isEmpty() ? program_folder_.string() : FromQt(folder_edit_->text());
  if (auto chosen = dialogs_.ChooseFolder(merge_texts::kChooseFolderTitle, initial))
    folder_edit_->setText(ToQt(*chosen));
}

void TLogMergeForm::BtnMergeClick() {
  MergeRequest request{kind_combo_->currentIndex() - 1, FromQt(folder_edit_->text()), FromQt(name_edit_->text())};
  MergeOutcome out = MergeLogs(program_folder_, request, dialogs_);
  if (out.merged) {
    merged_ = out.merged;
    accept();
    return;
  }
  switch (out.focus) {
    case MergeOutcome::Field::kKind: kind_combo_->setFocus(); break;
    case MergeOutcome::Field::kFolder: folder_edit_->setFocus(); break;
    case MergeOutcome::Field::kName: name_edit_->setFocus(); break;
    case MergeOutcome::Field::kNone: break;
  }
}

}  // namespace vessaro
