#include "details/DetailTree.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <algorithm>
#include <climits>

namespace {

constexpr int kLeadWidth = 30;
constexpr int kTextWidth = 640;
constexpr int kTextMargin = 5;
constexpr int kHeadingHeight = 15;
// The view keeps row heights in 16 bits; the model cuts long bodies well below this.
constexpr int kTallestRow = 32767;
// What a body row gets before the view has a width to measure it in.
constexpr int kUnmeasuredBodyHeight = 25;
constexpr int kBodyFlags = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;
constexpr int kHeadingFlags = Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine;

}  // namespace

// Paints the text itself, with the same flags it measures with, so that a body row's height
// always fits what is drawn in it.
class TDetailDelegate : public QStyledItemDelegate {
 public:
  TDetailDelegate(QTreeView* view, const TDetailModel& model)
      : QStyledItemDelegate(view), View(view), Model(model) {}

  void ForgetHeights() { Heights.clear(); }

  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex& index) const override {
    const int height = Model.IsHeading(index.row()) ? kHeadingHeight : BodyHeight(index);
    return {View->header()->sectionSize(index.column()), height};
  }

  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    QStyleOptionViewItem cell(option);
    initStyleOption(&cell, index);
    cell.state &= ~QStyle::State_HasFocus;
    const QString text = cell.text;
    cell.text.clear();
    View->style()->drawControl(QStyle::CE_ItemViewItem, &cell, painter, View);

    const bool heading = Model.IsHeading(index.row());
    painter->save();
    painter->setFont(cell.font);  // the heading font comes from the model
    const bool selected = cell.state.testFlag(QStyle::State_Selected);
    painter->setPen(cell.palette.color(ColorGroup(cell.state),
                                       selected ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(cell.rect.adjusted(kTextMargin, 0, -kTextMargin, 0),
                      heading ? kHeadingFlags : kBodyFlags, text);
    painter->restore();
  }

 private:
  static QPalette::ColorGroup ColorGroup(QStyle::State state) {
    if (!state.testFlag(QStyle::State_Enabled)) {
      return QPalette::Disabled;
    }
    return state.testFlag(QStyle::State_Active) ? QPalette::Normal : QPalette::Inactive;
  }

  // Measured once per row: a later change of width keeps the heights until the next load.
  int BodyHeight(const QModelIndex& index) const {
    const auto row = static_cast<std::size_t>(index.row());
    if (Heights.size() <= row) {
      Heights.resize(row + 1, 0);
    }
    if (Heights[row] == 0) {
      // The text column takes whatever the lead column leaves, so the spanned width is the
      // viewport's, also while the header's own stretching is still pending.
      const int width = View->viewport()->width() - 2 * kTextMargin;
      if (width <= 0) {
        return kUnmeasuredBodyHeight;
      }
      const QString text = index.siblingAtColumn(TDetailModel::LeadColumn).data().toString();
      const QFontMetrics metrics(View->font());
      const QRect bounds = metrics.boundingRect(QRect(0, 0, width, INT_MAX), kBodyFlags, text);
      // An empty body keeps the height of one line.
      Heights[row] = std::clamp(bounds.height(), metrics.height(), kTallestRow);
    }
    return Heights[row];
  }

  QTreeView* View;
  const TDetailModel& Model;
  mutable std::vector<int> Heights;  // by row; 0 while not measured
};

TDetailTree::TDetailTree(QWidget* parent)
    : QTreeView(parent),
      Model(new TDetailModel(this)),
      Delegate(new TDetailDelegate(this, *Model)) {
  setModel(Model);
  setItemDelegate(Delegate);
  setHeaderHidden(true);
  setRootIsDecorated(false);
  setItemsExpandable(false);
  setUniformRowHeights(false);
  setFrameShape(QFrame::NoFrame);
  setEditTriggers(NoEditTriggers);
  setSelectionMode(ExtendedSelection);
  setSelectionBehavior(SelectRows);
  setVerticalScrollMode(ScrollPerPixel);
  // No caption labels the view; its name stays English, as its "Cause" and "Action" do.
  setAccessibleName(QStringLiteral("Message details"));
  // The lead column stands first; the text column after it takes the rest of the width.
  header()->moveSection(header()->visualIndex(TDetailModel::LeadColumn), 0);
  header()->setSectionResizeMode(TDetailModel::LeadColumn, QHeaderView::Fixed);
  // By default no section is narrower than the font's widest character and the margins, which
  // would widen the lead column with some fonts (Windows' Tahoma among them).
  header()->setMinimumSectionSize(kLeadWidth);
  header()->resizeSection(TDetailModel::LeadColumn, kLeadWidth);
  header()->resizeSection(TDetailModel::TextColumn, kTextWidth);
}

// A hidden header does not stretch its last section with the viewport, so the text column is
// given the rest of the width here; this also runs when a scroll bar comes or goes.
void TDetailTree::resizeEvent(QResizeEvent* event) {
  QTreeView::resizeEvent(event);
  header()->resizeSection(TDetailModel::TextColumn, std::max(viewport()->width() - kLeadWidth, 0));
}

void TDetailTree::Clear() {
  SetRows({});
}

void TDetailTree::SetRows(std::vector<TDetData> rows) {
  Delegate->ForgetHeights();
  Model->SetRows(std::move(rows));
}

void TDetailTree::drawRow(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const {
  if (Model->IsHeading(index.row())) {
    QTreeView::drawRow(painter, option, index);
    return;
  }
  const QModelIndex body = index.siblingAtColumn(TDetailModel::LeadColumn);
  QStyleOptionViewItem row(option);
  row.rect = QRect(-horizontalOffset(), option.rect.y(), header()->length(), option.rect.height());
  if (selectionModel()->isSelected(body)) {
    row.state |= QStyle::State_Selected;
  }
  Delegate->paint(painter, row, body);
}
