#pragma once
// A transaction on one connection that rolls back unless it was committed: a failed
// statement, an early return or an exception between BEGIN and Commit() leaves the data file
// as it was. Whether BEGIN and COMMIT succeeded comes from the statements themselves, never
// from whatever the current result holds afterwards.

class TSQLDB;

class TTransaction {
 public:
  // Runs BEGIN; Began() tells whether it succeeded (the current result then says why not).
  explicit TTransaction(TSQLDB& db);
  // Runs ROLLBACK when BEGIN succeeded and Commit() did not.
  ~TTransaction();
  TTransaction(const TTransaction&) = delete;
  TTransaction& operator=(const TTransaction&) = delete;

  [[nodiscard]] bool Began() const { return Open; }
  // Runs COMMIT. False when BEGIN failed (nothing was committed; the current result is that
  // of the last statement, not BEGIN's: check Began() first to report BEGIN's reason) or when
  // COMMIT failed (the current result says why, and the destructor rolls back what it left).
  [[nodiscard]] bool Commit();

 private:
  TSQLDB& DB;
  bool Open = false;  // BEGIN succeeded and no COMMIT has yet
};
