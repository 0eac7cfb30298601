#include "search/ResultTree.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QStyledItemDelegate>
#include <QToolTip>
#include <algorithm>
#include <utility>

namespace {

struct TColumnWidths {
  int Start;
  int Minimum;
  int Maximum;
};

constexpr TColumnWidths ColumnWidths[TResultModel::ColumnCount] = {
    {5, 5, 10}, {50, 50, 60}, {100, 100, 150}, {300, 300, 500}};

int Clamped(int column, int width) {
  const TColumnWidths& limits = ColumnWidths[column];
  return std::clamp(width, limits.Minimum, limits.Maximum);
}

// The current cell is marked by the row's selection alone; no focus rectangle is drawn.
class TNoFocusRectDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->state &= ~QStyle::State_HasFocus;
  }
};

}  // namespace

TResultTree::TResultTree(QWidget* parent) : QTreeView(parent), Results(new TResultModel(this)) {
  setModel(Results);
  setItemDelegate(new TNoFocusRectDelegate(this));
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(true);
  setSortingEnabled(false);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragDropMode(QAbstractItemView::NoDragDrop);
  // No caption labels the list; its name stays English, as the status texts do.
  setAccessibleName(QStringLiteral("Search results"));
  SetUpHeader();
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            emit FocusedRecordChanged(Results->Record(current.row()));
          });
  KeyClock.start();
}

void TResultTree::SetUpHeader() {
  QHeaderView* columns = header();
  columns->setStretchLastSection(false);
  columns->setSectionsMovable(false);
  columns->setSectionsClickable(false);
  columns->setMinimumSectionSize(ColumnWidths[TResultModel::LeadColumn].Minimum);
  columns->setMaximumSectionSize(ColumnWidths[TResultModel::MessageColumn].Maximum);
  for (int column = 0; column < TResultModel::ColumnCount; ++column) {
    columns->setSectionResizeMode(
        column, column == TResultModel::LeadColumn ? QHeaderView::Fixed : QHeaderView::Interactive);
    columns->resizeSection(column, ColumnWidths[column].Start);
  }
  connect(columns, &QHeaderView::sectionResized, this,
          [this](int column, int, int newSize) { KeepWithinLimits(column, newSize); });
  // The divider's double click fits to the cells alone, not to the caption as QTreeView would.
  QObject::disconnect(columns, &QHeaderView::sectionHandleDoubleClicked, this, nullptr);
  connect(columns, &QHeaderView::sectionHandleDoubleClicked, this, &TResultTree::FitColumn);
}

void TResultTree::KeepWithinLimits(int column, int newSize) {
  if (column >= 0 && column < TResultModel::ColumnCount && Clamped(column, newSize) != newSize) {
    header()->resizeSection(column, Clamped(column, newSize));
  }
}

void TResultTree::SetRecords(std::vector<TResData> records) {
  const bool hadFocusedRow = currentIndex().isValid();
  Results->SetRecords(std::move(records));
  Typed.Reset();
  // A model reset moves the current row silently; whoever showed the old record must let go.
  if (hadFocusedRow) {
    emit FocusedRecordChanged(nullptr);
  }
}

void TResultTree::FocusFirstRow() {
  if (Results->rowCount() == 0) {
    return;
  }
  setCurrentIndex(Results->index(0, TResultModel::LeadColumn));
  setFocus(Qt::OtherFocusReason);
}

const TResData* TResultTree::FocusedRecord() const {
  return Results->Record(currentIndex().row());
}

void TResultTree::FitColumnsToContents() {
  FitColumn(TResultModel::VersionColumn);
  FitColumn(TResultModel::CodeColumn);
}

void TResultTree::FitColumn(int column) {
  if (column < 0 || column >= TResultModel::ColumnCount) {
    return;
  }
  int widest = 0;
  for (int row = 0; row < Results->rowCount(); ++row) {
    widest = std::max(widest, CellWidth(Results->index(row, column)));
  }
  header()->resizeSection(column, Clamped(column, widest));
}

int TResultTree::CellWidth(const QModelIndex& index) const {
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  return itemDelegateForIndex(index)->sizeHint(option, index).width();
}

bool TResultTree::IsCellTextCut(const QModelIndex& index) const {
  return index.isValid() && CellWidth(index) > columnWidth(index.column());
}

bool TResultTree::viewportEvent(QEvent* event) {
  if (event->type() != QEvent::ToolTip) {
    return QTreeView::viewportEvent(event);
  }
  const auto* help = static_cast<QHelpEvent*>(event);
  const QModelIndex index = indexAt(help->pos());
  if (IsCellTextCut(index)) {
    QToolTip::showText(help->globalPos(), index.data().toString(), viewport(), visualRect(index));
  } else {
    QToolTip::hideText();
  }
  return true;
}
