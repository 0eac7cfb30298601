#pragma once
// The rows of the detail view: alternating heading and body rows of the focused message.
// Heading text shows in the text column in the heading font, body text in the lead column,
// which the view puts first and lets run on across the empty text column.
//
// The view keeps each row's height in 16 bits, so a body too tall for that (a pasted trace
// of thousands of lines) is shown as several consecutive rows, cut at line breaks where it
// can be. A body of more than a million characters shows its first million and then a note
// that names the limit. `Rows()` stays one entry per heading and body, whole: it is what the
// copy takes.
//
// A screen reader reads the cell that has the focus, and the focus may sit in either column
// of any row; so both cells of a row read its whole text, line breaks kept, and a heading's
// cells say that they are a heading. The hidden header names no column.

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
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

  // Replaces all rows; an empty vector empties the view.
  void SetRows(std::vector<TDetData> rows);
  const std::vector<TDetData>& Rows() const { return Items; }
  // Whether the view's row `row` shows a heading.
  bool IsHeading(int row) const;

 private:
  // One row of the view: a heading, a piece of a body, or the note where a body was cut.
  struct TPiece {
    std::size_t Item;
    qsizetype Start;
    qsizetype Length;  // -1 for the note
  };

  std::vector<TDetData> Items;
  std::vector<TPiece> Pieces;
};
