#include "ui/analysis/number_choice.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

namespace vessaro {

void NumberRangeModel::SetRange(int64_t first, int64_t last) {
  beginResetModel();
  first_ = first;
  const int64_t count = last >= first ? last - first + 1 : 0;
  count_ = static_cast<int>(std::min<int64_t>(count, std::numeric_limits<int>::max()));
  endResetModel();
}

int NumberRangeModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : count_; }

QVariant NumberRangeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= count_) return {};
  if (role == Qt::DisplayRole) return QString::number(first_ + index.row());
  if (role == Qt::TextAlignmentRole) return int(Qt::AlignRight | Qt::AlignVCenter);
  return {};
}

NumberChoice::NumberChoice(QWidget* parent) : QComboBox(parent), numbers_(new NumberRangeModel(this)) {
  // The width is never measured over the items, which could be millions.
  setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  setMinimumContentsLength(9);
  setModel(numbers_);
}

void NumberChoice::SetRange(int64_t first, int64_t last) {
  hidePopup();
  numbers_->SetRange(first, last);
  setCurrentIndex(-1);
}

void NumberChoice::SetValue(int64_t value) {
  const int64_t row = value - numbers_->first();
  setCurrentIndex(row >= 0 && row < count() ? static_cast<int>(row) : -1);
}

int64_t NumberChoice::value() const {
  return currentIndex() >= 0 ? numbers_->first() + currentIndex() : 0;
}

void NumberChoice::showPopup() {
  if (count() == 0) return;
  if (popup_ == nullptr) {
    popup_ = new QFrame(this, Qt::Popup);
    popup_->setFrameShape(QFrame::Box);
    auto* layout = new QVBoxLayout(popup_);
    layout->setContentsMargins(1, 1, 1, 1);
    popup_view_ = new QTableView(popup_);
    popup_view_->setObjectName(QStringLiteral("NumberChoiceList"));
    popup_view_->horizontalHeader()->hide();
    popup_view_->verticalHeader()->hide();
    popup_view_->horizontalHeader()->setStretchLastSection(true);
    // Fixed row heights: the table never measures its rows one by one.
    popup_view_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    popup_view_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    popup_view_->setShowGrid(false);
    popup_view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    popup_view_->setSelectionMode(QAbstractItemView::SingleSelection);
    popup_view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    popup_view_->setModel(numbers_);
    layout->addWidget(popup_view_);
    connect(popup_view_, &QTableView::clicked, this, [this](const QModelIndex& index) {
      hidePopup();
      setCurrentIndex(index.row());
      emit activated(index.row());
    });
  }
  const int rows = std::min(count(), 12);
  const int height = rows * popup_view_->verticalHeader()->defaultSectionSize() + 4;
  popup_->resize(std::max(width(), 120), height);
  QPoint below = mapToGlobal(QPoint(0, this->height()));
  if (QScreen* screen = this->screen()) {
    const QRect area = screen->availableGeometry();
    if (below.y() + height > area.bottom()) below.setY(mapToGlobal(QPoint(0, 0)).y() - height);
  }
  popup_->move(below);
  const int current = std::max(currentIndex(), 0);
  popup_view_->selectRow(current);
  popup_view_->scrollTo(numbers_->index(current), QAbstractItemView::PositionAtCenter);
  popup_->show();
  popup_view_->setFocus();
}

void NumberChoice::hidePopup() {
  if (popup_ != nullptr) popup_->hide();
  QComboBox::hidePopup();
}

void NumberChoice::keyPressEvent(QKeyEvent* event) {
  // Only moving through the list: typed characters would search millions of rows.
  switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_F4:
    case Qt::Key_Space:
      QComboBox::keyPressEvent(event);
      return;
    default:
      event->ignore();
  }
}

}  // namespace vessaro
