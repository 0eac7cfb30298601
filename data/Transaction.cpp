#include "data/Transaction.h"

#include "data/SqlDb.h"

TTransaction::TTransaction(TSQLDB& db) : DB(db), Open(db.StartTransaction()) {}

TTransaction::~TTransaction() {
  if (!Open) {
    return;
  }
  // Nothing is left to do when ROLLBACK fails as well: the engine rolls back whatever is
  // still open when the file is closed. A destructor must not throw, not even out of memory.
  try {
    static_cast<void>(DB.Rollback());
  } catch (...) {
  }
}

bool TTransaction::Commit() {
  if (!Open || !DB.Commit()) {
    return false;
  }
  Open = false;
  return true;
}
