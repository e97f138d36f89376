#include "ui/systems/editor_widgets.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "ui/common/qt_ports.h"

namespace vessaro {

QPushButton* MakeButton(const char* text, const QString& object_name) {
  auto* button = new QPushButton(QString::fromUtf8(text));
  button->setObjectName(object_name);
  button->setAutoDefault(false);
  button->setDefault(false);
  return button;
}

QLabel* MakeLabel(const char* text) { return new QLabel(QString::fromUtf8(text)); }

QLineEdit* MakeNumberEdit(const QString& object_name, int width) {
  auto* edit = new QLineEdit;
  edit->setObjectName(object_name);
  edit->setFixedWidth(width);
  edit->setAlignment(Qt::AlignRight);
  return edit;
}

namespace {
constexpr QChar kZeroWidthSpace(0x200B);
}  // namespace

QString BreakAnywhere(const QString& text) {
  QString out;
  out.reserve(text.size() * 2);
  for (qsizetype i = 0; i < text.size(); ++i) {
    const bool between_letters =
        i > 0 && !text[i].isSpace() && !text[i - 1].isSpace() && !text[i].isLowSurrogate();
    if (between_letters) out += kZeroWidthSpace;
    out += text[i];
  }
  return out;
}

QString WithoutBreaks(QString text) { return text.remove(kZeroWidthSpace); }

QVBoxLayout* MakeFileBar(const QString& combo_name, const QString& prefix, const char* list_label,
                         const char* name_label, FileBar& bar, QPushButton* close) {
  bar.combo = new QComboBox;
  bar.combo->setObjectName(combo_name);
  bar.combo->setEditable(false);
  bar.combo->setMinimumWidth(300);
  bar.load = MakeButton("読み込み", QStringLiteral("Btn") + prefix + QStringLiteral("Load"));
  bar.remove =
      MakeButton("パターン削除", QStringLiteral("Btn") + prefix + QStringLiteral("Delete"));
  bar.clear =
      MakeButton("オールクリア", QStringLiteral("Btn") + prefix + QStringLiteral("AllClear"));
  bar.name = new QLineEdit;
  bar.name->setObjectName(prefix + QStringLiteral("NameEdit"));
  bar.name->setMinimumWidth(300);
  bar.save = MakeButton("保存", QStringLiteral("Btn") + prefix + QStringLiteral("Save"));

  auto* file_row = new QHBoxLayout;
  file_row->addWidget(MakeLabel(list_label));
  file_row->addWidget(bar.combo);
  file_row->addWidget(bar.load);
  file_row->addWidget(bar.remove);
  file_row->addStretch();
  file_row->addWidget(bar.clear);
  auto* name_row = new QHBoxLayout;
  name_row->addWidget(MakeLabel(name_label));
  name_row->addWidget(bar.name);
  name_row->addWidget(bar.save);
  name_row->addStretch();
  if (close != nullptr) name_row->addWidget(close);
  auto* rows = new QVBoxLayout;
  rows->addLayout(file_row);
  rows->addLayout(name_row);
  return rows;
}

void ShowChoice(QComboBox* combo, const NameChoice& choice) {
  QStringList items{ToQt(choice.prompt)};
  for (const std::string& name : choice.names) items << ToQt(name);
  const bool blocked = combo->blockSignals(true);
  bool same = combo->count() == items.size();
  for (int i = 0; same && i < items.size(); ++i) same = combo->itemText(i) == items[i];
  if (!same) {
    combo->clear();
    combo->addItems(items);
  }
  combo->setCurrentIndex(choice.HasChoice() ? choice.selected + 1 : 0);
  combo->blockSignals(blocked);
}

DialogsHolder::DialogsHolder(Dialogs* given, QWidget* owner) : given_(given) {
  if (given_ == nullptr) own_ = std::make_unique<QtDialogs>(owner);
}

CardTile::CardTile(int number, const std::array<const char*, 3>& captions, QWidget* parent)
    : QFrame(parent), number_(number) {
  setObjectName(QStringLiteral("Card%1").arg(number));
  setFrameShape(QFrame::StyledPanel);
  setAutoFillBackground(true);
  setStyleSheet(
      QStringLiteral("vessaro--CardTile { background: #f7f5ee; border: 1px solid #b8b2a0; "
                     "border-radius: 4px; }"));

  auto* title = new QLabel(QStringLiteral("カード%1").arg(number));
  QFont bold = title->font();
  bold.setBold(true);
  title->setFont(bold);

  auto* grid = new QGridLayout;
  grid->setContentsMargins(0, 0, 0, 0);
  grid->setHorizontalSpacing(6);
  grid->setVerticalSpacing(1);
  for (int i = 0; i < 3; ++i) {
    grid->addWidget(MakeLabel(captions[i]), i, 0);
    values_[i] = new QLabel;
    values_[i]->setObjectName(QStringLiteral("Card%1Field%2").arg(number).arg(i + 1));
    values_[i]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    values_[i]->setMinimumWidth(48);
    grid->addWidget(values_[i], i, 1);
  }

  set_button_ = MakeButton("設定する", QStringLiteral("BtnSetCard%1").arg(number));
  connect(set_button_, &QPushButton::clicked, this, [this] { emit SetClicked(number_); });

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(8, 5, 8, 6);
  layout->setSpacing(3);
  layout->addWidget(title);
  layout->addLayout(grid);
  layout->addWidget(set_button_);
  SetCard(CardFields{});
}

void CardTile::SetCard(const CardFields& card) {
  const std::string* fields[3] = {&card.first, &card.win, &card.lose};
  for (int i = 0; i < 3; ++i) {
    // An empty field shows a pale dash, so empty cards stand apart from filled ones at a glance.
    const bool empty = fields[i]->empty();
    values_[i]->setText(empty ? QStringLiteral("－") : ToQt(*fields[i]));
    QString style = empty ? QStringLiteral("color: #a8a8a8;") : QString();
    if (i == 0 && side_colours_ && card.first == "P")
      style = QStringLiteral("color: #1f4fbf; font-weight: bold;");
    if (i == 0 && side_colours_ && card.first == "B")
      style = QStringLiteral("color: #c02020; font-weight: bold;");
    values_[i]->setStyleSheet(style);
  }
}

QWidget* MakeCardPage(int first, int count, int columns, const std::array<const char*, 3>& captions,
                      bool side_colours, std::vector<CardTile*>& tiles) {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  grid->setSpacing(8);
  for (int i = 0; i < count; ++i) {
    auto* tile = new CardTile(first + i, captions);
    tile->set_side_colours(side_colours);
    tile->SetCard(CardFields{});
    grid->addWidget(tile, i / columns, i % columns);
    tiles.push_back(tile);
  }
  return page;
}

}  // namespace vessaro
