#pragma once
// The generic connection: runs statements into its current result, keeps the counters of the
// last statement, builds statements from a format and typed arguments, and reports failures
// through Boolean results and the current result's error fields (never by exception, never by
// message). One connection object belongs to one thread at a time; the engine-level locking
// lives in the SQLite specialisation.

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <map>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "data/ResultSet.h"
#include "data/SqlArg.h"

class TSQLDB;

using TNotifyEvent = std::function<void(TSQLDB& sender)>;
// May replace the statement text (UTF-8) before it runs.
using TOnBeforeQuery = std::function<void(TSQLDB& sender, std::string& sql)>;
using TOnFetchRow = std::function<void(TSQLDB& sender, TResultRow& row)>;

class TSQLDB {
 public:
  TSQLDB();
  virtual ~TSQLDB();
  TSQLDB(const TSQLDB&) = delete;
  TSQLDB& operator=(const TSQLDB&) = delete;

  // Opening and closing. `name` is UTF-8 text; an empty name closes and returns false.
  virtual bool Use(const std::string& name) = 0;
  virtual void Close() = 0;

  // Runs every statement of the UTF-8 text; rows of all of them go into the current result.
  virtual bool Query(const std::string& sql) = 0;
  // Prepares and steps only the first statement of the wide text.
  virtual bool QueryW(const std::u16string& sql) = 0;
  // Builds the statement with FormatSQL (wide mode) and runs it with QueryW. When it cannot be
  // built, nothing runs: the current result is cleared and holds "Invalid format" and -1.
  bool FormatQuery(const std::u16string& format, std::span<const TSqlArg> args);
  bool FormatQuery(const std::u16string& format, std::initializer_list<TSqlArg> args) {
    return FormatQuery(format, std::span<const TSqlArg>(args.begin(), args.size()));
  }

  // "BEGIN", "COMMIT", "ROLLBACK": true when the statement succeeded; false while no file is
  // open (nothing runs) or when the engine refused it (the current result says why). A
  // COMMIT that fails may leave the transaction open: roll it back. TTransaction
  // (data/Transaction.h) does that on every way out.
  [[nodiscard]] virtual bool StartTransaction() = 0;
  [[nodiscard]] virtual bool Commit() = 0;
  [[nodiscard]] virtual bool Rollback() = 0;

  // The engine's message for the last failed statement (8-bit, ANSI code page); empty after a
  // success or while no file is open.
  virtual std::string GetErrorMessage() = 0;

  // The component's own lock (taken only when ThreadSafe); TLiteDB locks its file record.
  virtual void Lock();
  virtual void Unlock();

  // Views of the current result.
  TResultSet& CurrentResult() { return *Current; }
  std::int32_t RowCount() const { return Current->RowCount; }
  std::int32_t ColCount() const { return Current->HasResult ? Current->ColCount : 0; }
  std::int32_t FieldCount() const { return ColCount(); }
  TResultRow& Row(std::int32_t i) { return Current->Row(i); }
  std::string Result();
  std::string ResultAsText() const { return Current->ResultAsText(); }
  std::string ResultAsHTML() const { return Current->ResultAsHTML(); }
  std::string ResultAsCommaSeperated() const { return Current->ResultAsCommaSeperated(); }
  std::int64_t RowsAffected() const { return Current->RowsAffected; }
  std::int64_t LastInsertID() const { return Current->LastInsertID; }

  // Frees every result and starts a new, empty current result named "default".
  void ClearResults();
  // Makes the named result current, creating it on first use.
  void SetResultSet(const std::string& name);
  const std::string& ResultSetName() const { return Current->Name(); }

  // Properties.
  bool Active() const { return IsActive; }
  void SetActive(bool active);
  const std::string& DataBase() const { return DataBaseName; }
  void SetDataBase(const std::string& name) { Use(name); }
  std::string LibraryPath;
  bool DllLoaded() const { return IsDllLoaded; }
  bool UniCode = false;
  bool ThreadSafe = true;
  // Bounds the size of the values one statement fetches (UTF-16 text counts two bytes a code
  // unit). A statement that crosses it fails once the row that crossed it is stored, with
  // FetchMemoryLimitText() as its error message.
  std::int32_t FetchMemoryLimit = 32 * 1024 * 1024;
  // No single value that the engine hands out reaches this bound: a text is at most
  // 1,000,000,000 bytes (the engine's SQLITE_MAX_LENGTH), twice that as UTF-16.
  static constexpr std::int32_t kLargestFetchMemoryLimit = INT32_MAX;
  std::int32_t FetchRowLimit = 0;  // kept for the interface; nothing consults it
  bool CallBackOnly = false;       // kept for the interface; nothing consults it
  std::string ErrorLog;            // kept for the interface; nothing is written to it
  const std::string& ServerVersion() const { return EngineVersion; }
  const std::string& ServerEncoding() const { return EngineEncoding; }
  const std::vector<std::string>& Tables() const { return TableNames; }
  const std::vector<std::string>& Indexes() const { return IndexNames; }

  // Events. Exceptions thrown by OnQueryComplete, OnSuccess, OnError and OnFetchRow are
  // caught and discarded: the statement's outcome stands.
  TOnBeforeQuery OnBeforeQuery;
  TNotifyEvent OnQueryComplete;
  TNotifyEvent OnSuccess;
  TNotifyEvent OnError;
  TOnFetchRow OnFetchRow;
  TNotifyEvent OnOpen;
  TNotifyEvent OnClose;

 protected:
  // Calls an event, discarding anything it throws.
  void Notify(const TNotifyEvent& event);
  void NotifyFetchRow(TResultRow& row);
  // The error message of a statement stopped by FetchMemoryLimit, naming the limit.
  std::string FetchMemoryLimitText() const;

  bool IsActive = false;
  bool IsDllLoaded = false;
  std::string DataBaseName;
  std::string EngineVersion;
  std::string EngineEncoding;
  std::vector<std::string> TableNames;
  std::vector<std::string> IndexNames;

 private:
  std::map<std::string, std::unique_ptr<TResultSet>> Results;
  TResultSet* Current = nullptr;
  std::recursive_mutex ComponentLock;
};

// Sets a connection's FetchMemoryLimit for the statements of one scope, and puts the old one
// back as the scope ends, also when an exception leaves it.
class TFetchMemoryLimitScope {
 public:
  TFetchMemoryLimitScope(TSQLDB& db, std::int32_t limit)
      : DB(db), Saved(std::exchange(db.FetchMemoryLimit, limit)) {}
  ~TFetchMemoryLimitScope() { DB.FetchMemoryLimit = Saved; }
  TFetchMemoryLimitScope(const TFetchMemoryLimitScope&) = delete;
  TFetchMemoryLimitScope& operator=(const TFetchMemoryLimitScope&) = delete;

 private:
  TSQLDB& DB;
  std::int32_t Saved;
};
