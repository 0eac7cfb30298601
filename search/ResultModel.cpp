#include "search/ResultModel.h"

#include <utility>

#include "app/QtText.h"
#include "platform/AnsiText.h"

namespace {

QString FromAnsi(const std::string& text) {
  return ToQString(Platform::AnsiToWide(text));
}

bool IsColumn(int column) {
  return column >= 0 && column < TResultModel::ColumnCount;
}

Qt::Alignment ColumnAlignment(int column) {
  switch (column) {
    case TResultModel::VersionColumn:
      return Qt::AlignHCenter | Qt::AlignVCenter;
    case TResultModel::CodeColumn:
      return Qt::AlignRight | Qt::AlignVCenter;
    default:
      return Qt::AlignLeft | Qt::AlignVCenter;
  }
}

}  // namespace

int TResultModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(Records.size());
}

int TResultModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : ColumnCount;
}

QString TResultModel::CellText(const TResData& record, int column) {
  switch (column) {
    case VersionColumn:
      return FromAnsi(record.vers);
    case CodeColumn:
      return FromAnsi(record.pref) + QLatin1Char('-') + FromAnsi(record.code);
    case MessageColumn:
      return record.msg;
    default:
      return {};
  }
}

QString TResultModel::RowIdentity(const TResData& record) {
  return CellText(record, CodeColumn) + QStringLiteral(" (") + FromAnsi(record.vers) +
         QLatin1Char(')');
}

QVariant TResultModel::data(const QModelIndex& index, int role) const {
  const TResData* record = index.isValid() ? Record(index.row()) : nullptr;
  if (record == nullptr || !IsColumn(index.column())) {
    return {};
  }
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return CellText(*record, index.column());
    case Qt::AccessibleTextRole:
      return index.column() == LeadColumn ? RowIdentity(*record)
                                          : CellText(*record, index.column());
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(ColumnAlignment(index.column()));
    default:
      return {};
  }
}

QVariant TResultModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || !IsColumn(section)) {
    return QAbstractTableModel::headerData(section, orientation, role);
  }
  switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
      return Headers[section];
    case Qt::AccessibleTextRole:
      // The lead column's caption stays empty on screen; read aloud it names what its cells
      // hold, in the captions' current language.
      return section == LeadColumn ? Headers[CodeColumn] + QStringLiteral(" (") +
                                         Headers[VersionColumn] + QLatin1Char(')')
                                   : Headers[section];
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(ColumnAlignment(section));
    default:
      return {};
  }
}

bool TResultModel::setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                                 int role) {
  if (orientation != Qt::Horizontal || !IsColumn(section) ||
      (role != Qt::DisplayRole && role != Qt::EditRole)) {
    return false;
  }
  Headers[section] = value.toString();
  // The lead column's spoken caption is made of the Code and Version captions.
  const bool spokenInLead = section == VersionColumn || section == CodeColumn;
  emit headerDataChanged(orientation, spokenInLead ? LeadColumn : section, section);
  return true;
}

void TResultModel::SetRecords(std::vector<TResData> records) {
  beginResetModel();
  // The old records go with the swapped-out vector at the end of this function.
  std::swap(Records, records);
  endResetModel();
}

const TResData* TResultModel::Record(int row) const {
  if (row < 0 || row >= rowCount()) {
    return nullptr;
  }
  return &Records[static_cast<std::size_t>(row)];
}
