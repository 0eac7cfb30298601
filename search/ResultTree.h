#pragma once
// The result list as the main window shows it: a flat, unsortable four-column list over its
// own TResultModel, with columns kept within their width limits, single full-row selection,
// incremental search, and a tool tip for cut-off cells. It tells the window which record has
// the focus; it runs no statements itself.

#include <QElapsedTimer>
#include <QTreeView>
#include <vector>

#include "search/IncrementalSearch.h"
#include "search/ResultModel.h"

class TResultTree : public QTreeView {
  Q_OBJECT
 public:
  explicit TResultTree(QWidget* parent = nullptr);

  // For the header captions (setHeaderData) and direct reads of the records.
  TResultModel* Model() const { return Results; }

  // Replaces the rows; the focus is on no row afterwards.
  void SetRecords(std::vector<TResData> records);
  void Clear() { SetRecords({}); }

  // Selects the first row, makes it the current one and takes the keyboard focus; does
  // nothing when the list is empty.
  void FocusFirstRow();
  // The record of the current row, or nullptr.
  const TResData* FocusedRecord() const;

  // Fits the Version and then the Code column to their widest cell, within their limits.
  void FitColumnsToContents();
  // Fits one column to its widest cell, within its limits (also a divider's double click).
  void FitColumn(int column);
  // True when the cell's text is wider than its column, so that it shows cut off.
  bool IsCellTextCut(const QModelIndex& index) const;

  void keyboardSearch(const QString& search) override;

 signals:
  void FocusedRecordChanged(const TResData* record);

 protected:
  bool viewportEvent(QEvent* event) override;

 private:
  void SetUpHeader();
  void KeepWithinLimits(int column, int newSize);
  int CellWidth(const QModelIndex& index) const;

  TResultModel* Results;
  TIncrementalSearch Typed;
  QElapsedTimer KeyClock;
};
