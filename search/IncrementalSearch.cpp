#include "search/IncrementalSearch.h"

QString TIncrementalSearch::Feed(const QString& typed, qint64 nowMs) {
  Afresh = Text.isEmpty() || nowMs - LastKeyMs > ResetIntervalMs;
  if (Afresh) {
    Text.clear();
  }
  Text += typed;
  LastKeyMs = nowMs;
  return Text;
}
