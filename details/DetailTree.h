#pragma once
// The detail view: the focused message as alternating heading and body rows. Headings are
// one bold line; bodies wrap within the full width and keep the height measured when they
// are first laid out until the next load.

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

 private:
  TDetailModel* Model;
  TDetailDelegate* Delegate;
};
