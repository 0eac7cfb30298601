#pragma once
// The detail view: the focused message as alternating heading and body rows. Headings are
// one bold line; bodies wrap within the full width and keep the height measured when they
// are first laid out until the next load. A body too tall for one row runs on over several.

#include <QTreeView>
#include <vector>

#include "details/DetailModel.h"

class TDetailDelegate;

class TDetailTree : public QTreeView {
  Q_OBJECT
 public:
  explicit TDetailTree(QWidget* parent = nullptr);

  const std::vector<TDetData>& Rows() const { return Model->Rows(); }
  void Clear();
  void SetRows(std::vector<TDetData> rows);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  // A body row is painted as one cell from the left edge: its text column is empty, and
  // QTreeView's own spanning only ever widens the model's first column.
  void drawRow(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;

 private:
  TDetailModel* Model;
  TDetailDelegate* Delegate;
};
