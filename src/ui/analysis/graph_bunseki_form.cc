#include "ui/analysis/graph_bunseki_form.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QScreen>
#include <QVBoxLayout>
#include <QWindow>
#include <algorithm>

#include "ui/common/qt_ports.h"

namespace vessaro {

TGraphBunsekiForm::TGraphBunsekiForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("GraphBunsekiForm"));
  setWindowTitle(QStringLiteral("詳細解析値"));
  setModal(false);
  grid_ = new QTableWidget(0, 2, this);
  grid_->setObjectName(QStringLiteral("DetailGrid"));
  grid_->horizontalHeader()->hide();
  grid_->verticalHeader()->hide();
  grid_->horizontalHeader()->setStretchLastSection(true);
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setAlternatingRowColors(true);
  grid_->setSelectionMode(QAbstractItemView::NoSelection);
  grid_->setFocusPolicy(Qt::NoFocus);
  grid_->setWordWrap(false);
  grid_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->verticalHeader()->setDefaultSectionSize(grid_->fontMetrics().height() + 8);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(6, 6, 6, 6);
  layout->addWidget(grid_);
  resize(360, 460);
}

void TGraphBunsekiForm::ShowRows(const std::vector<DetailRow>& rows, QWidget* over) {
  grid_->clearContents();
  grid_->setRowCount(static_cast<int>(rows.size()));
  for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
    grid_->setItem(i, 0, new QTableWidgetItem(ToQt(rows[i].label)));
    auto* value = new QTableWidgetItem(ToQt(rows[i].value));
    value->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    grid_->setItem(i, 1, value);
  }
  grid_->resizeColumnToContents(0);
  grid_->setColumnWidth(0, grid_->columnWidth(0) + 16);
  // Tall enough for the rows a summary gives, so they show without scrolling.
  const int rows_height = grid_->verticalHeader()->length() + 2 * grid_->frameWidth();
  resize(width(), std::clamp(rows_height + 12, 120, 640));

  const bool first_showing = !isVisible();
  // The graph windows run modally: as a transient child of the one showing it, this window
  // still takes the user's scrolling and closing meanwhile.
  if (over != nullptr) {
    winId();
    if (QWindow* window = windowHandle(); window != nullptr && over->window()->windowHandle())
      window->setTransientParent(over->window()->windowHandle());
  }
  show();
  if (first_showing && over != nullptr) {
    const QRect owner = over->window()->frameGeometry();
    QPoint place(owner.right() + 8, owner.top());
    if (QScreen* screen = over->screen()) {
      const QRect area = screen->availableGeometry();
      if (place.x() + width() > area.right())
        place.setX(std::max(area.left(), owner.right() - width()));
    }
    move(place);
  }
  raise();
  activateWindow();
}

}  // namespace vessaro
