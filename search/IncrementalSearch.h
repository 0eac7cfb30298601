#pragma once
// The text typed for the list's incremental search: keystrokes accumulate until a pause
// longer than the interval starts a new text. Time is passed in, so the rule can be checked
// without waiting.

#include <QString>
#include <QtGlobal>

class TIncrementalSearch {
 public:
  static constexpr qint64 ResetIntervalMs = 2000;

  // Adds `typed` at `nowMs` (a monotonic clock) and returns the whole search text.
  QString Feed(const QString& typed, qint64 nowMs);
  // True when the last Feed started a new text rather than extending one.
  bool StartedAfresh() const { return Afresh; }
  void Reset() { Text.clear(); }

 private:
  QString Text;
  qint64 LastKeyMs = 0;
  bool Afresh = true;
};
