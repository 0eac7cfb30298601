#pragma once
// The rows of the detail view: alternating heading and body rows of the focused message.
// Heading text shows in the text column, body text in the lead column, which the view puts
// first and lets run on across the empty text column.

#include <QAbstractTableModel>
#include <QString>
#include <vector>

struct TDetData {
  bool Heading = false;
  QString Text;
};

class TDetailModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum TColumn { TextColumn = 0, LeadColumn = 1 };

  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;

  // Replaces all rows; an empty vector empties the view.
  void SetRows(std::vector<TDetData> rows);
  const std::vector<TDetData>& Rows() const { return Items; }

 private:
  std::vector<TDetData> Items;
};
