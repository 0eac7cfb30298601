#include "details/DetailModel.h"

int TDetailModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(Items.size());
}

int TDetailModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : 2;
}

QVariant TDetailModel::data(const QModelIndex& index, int role) const {
  if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole) {
    return {};
  }
  const TDetData& row = Items[static_cast<std::size_t>(index.row())];
  const bool shown = (index.column() == TextColumn) == row.Heading;
  return shown ? row.Text : QString();
}

void TDetailModel::SetRows(std::vector<TDetData> rows) {
  beginResetModel();
  Items = std::move(rows);
  endResetModel();
}
