// The result list's incremental search, kept apart from the list's set-up.
#include "search/ResultTree.h"

void TResultTree::keyboardSearch(const QString& search) {
  const int rows = Results->rowCount();
  if (search.isEmpty() || rows == 0) {
    return;
  }
  const QString text = Typed.Feed(search, KeyClock.elapsed());
  const QModelIndex current = currentIndex();
  // The empty lead column matches nothing, so a search from there looks at the codes.
  const int column = current.isValid() && current.column() != TResultModel::LeadColumn
                         ? current.column()
                         : TResultModel::CodeColumn;
  // A new text moves on from the current row; a growing text may still match it.
  int start = current.isValid() ? current.row() : 0;
  if (current.isValid() && Typed.StartedAfresh()) {
    ++start;
  }
  for (int step = 0; step < rows; ++step) {
    const int row = (start + step) % rows;
    if (isRowHidden(row, {})) {
      continue;
    }
    const QModelIndex candidate = Results->index(row, column);
    if (candidate.data().toString().startsWith(text, Qt::CaseInsensitive)) {
      setCurrentIndex(candidate);
      return;
    }
  }
}
