#pragma once
// The result list's rows: one TResData record per message found, shown in four columns
// (an empty lead column, Version, Code as PREFIX-CODE, Message).
//
// A screen reader reads a row cell by cell under the columns' captions. The lead column shows
// nothing, but it is where the focus lands after a search, so its accessible text is the row's
// identity, "ORA-00942 (10g)", under the captions of the columns it combines.

#include <QAbstractTableModel>
#include <QString>
#include <cstdint>
#include <string>
#include <vector>

struct TResData {
  std::int32_t pk = 0;  // e_pk of the message
  std::string vers;     // 8-bit (ANSI) text, at most 255 characters
  std::string pref;     // 8-bit (ANSI) text, at most 10 characters
  std::string code;     // 8-bit (ANSI) text, at most 5 characters
  QString msg;          // the whole message text
};

class TResultModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  enum TColumn {
    LeadColumn = 0,
    VersionColumn = 1,
    CodeColumn = 2,
    MessageColumn = 3,
    ColumnCount = 4
  };

  using QAbstractTableModel::QAbstractTableModel;

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  bool setHeaderData(int section, Qt::Orientation orientation, const QVariant& value,
                     int role) override;

  // Replaces all rows (an empty vector clears the list, releasing every record).
  void SetRecords(std::vector<TResData> records);
  // The record of a row, or nullptr for a row that does not exist.
  const TResData* Record(int row) const;
  // The text a column shows for a record: nothing, vers, pref + "-" + code, msg.
  static QString CellText(const TResData& record, int column);
  // The record's identity, pref + "-" + code + " (" + vers + ")": "ORA-00942 (10g)".
  static QString RowIdentity(const TResData& record);

 private:
  std::vector<TResData> Records;
  QString Headers[ColumnCount] = {QString(), QStringLiteral("Version"), QStringLiteral("Code"),
                                  QStringLiteral("Message")};
};
