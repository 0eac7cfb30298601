// Running statements on TLiteDB: wide statements through prepare and step (first statement
// only), UTF-8 statements through the one-shot execute call (every statement).
#include <algorithm>
#include <chrono>
#include <mutex>
#include <new>

#include "data/EngineApi.h"
#include "data/LiteDb.h"
#include "data/OpenFiles.h"
#include "data/Utf8Text.h"
#include "platform/Sleep.h"

namespace {

constexpr int kBusyWaitMilliseconds = 2;
constexpr int kNoMemory = 7;  // the engine's own code for memory that ran out

// Another process holds the file: wait and retry, for as long as the lock lasts or until the
// bound is used up. The engine calls this anew for each lock it needs (the schema while
// preparing, then a shared, reserved or exclusive lock while stepping, each statement of a
// text once more), so the clock runs from the statement's first wait, whatever it waits for.
int KeepWaiting(void* wait) {
  TBusyWait& busy = *static_cast<TBusyWait*>(wait);
  const auto now = std::chrono::steady_clock::now();
  if (!busy.Since) {
    busy.Since = now;
  }
  auto pause = std::chrono::milliseconds(kBusyWaitMilliseconds);
  if (busy.BoundMilliseconds > 0) {
    const auto left = std::chrono::milliseconds(busy.BoundMilliseconds) -
                      std::chrono::duration_cast<std::chrono::milliseconds>(now - *busy.Since);
    if (left <= std::chrono::milliseconds(0)) {
      return 0;
    }
    pause = std::min(pause, left);
  }
  Platform::SleepMilliseconds(static_cast<unsigned>(pause.count()));
  return 1;
}

int WaitWhileBusy3(void* wait, int /*attempts*/) {
  return KeepWaiting(wait);
}

int WaitWhileBusy2(void* wait, const char* /*table*/, int /*attempts*/) {
  return KeepWaiting(wait);
}

}  // namespace

bool TLiteDB::CanRunStatement() {
  const bool open = Base != nullptr && (Base->Db3 != nullptr || Base->Db2 != nullptr);
  if (IsDllLoaded && open) {
    return true;
  }
  // The rows, counters and ErrorCode of the previous statement stay as they were.
  CurrentResult().ErrorText = "Failed to load dll library";
  Notify(OnError);
  return false;
}

void TLiteDB::PrepareBusyHandling() {
  Base->Busy = {BusyTimeoutMilliseconds, std::nullopt};
  if (Base->Db3 != nullptr) {
    const Engine::TSqlite3Api& api = Engine::Sqlite3();
    api.BusyTimeout(Base->Db3, kBusyWaitMilliseconds);
    api.BusyHandler(Base->Db3, &WaitWhileBusy3, &Base->Busy);
  } else {
    const Engine::TSqlite2Api& api = Engine::Sqlite2();
    api.BusyTimeout(Base->Db2, kBusyWaitMilliseconds);
    api.BusyHandler(Base->Db2, &WaitWhileBusy2, &Base->Busy);
  }
}

void TLiteDB::ReadCounters() {
  TResultSet& result = CurrentResult();
  if (Base->Db3 != nullptr) {
    result.RowsAffected = Engine::Sqlite3().Changes(Base->Db3);
    result.LastInsertID = Engine::Sqlite3().LastInsertRowId(Base->Db3);
  } else {
    result.RowsAffected = Engine::Sqlite2().Changes(Base->Db2);
    result.LastInsertID = Engine::Sqlite2().LastInsertRowId(Base->Db2);
  }
}

bool TLiteDB::FinishStatement() {
  TResultSet& result = CurrentResult();
  result.ColCount = result.Fields().Count();
  const bool success = result.ErrorCode == 0;
  result.HasResult = success;
  if (success) {
    Notify(OnQueryComplete);
    Notify(OnSuccess);
  } else {
    Notify(OnError);
  }
  return success;
}

template <typename Text, typename Run>
void TLiteDB::RunUnderFileLock(const Text& statement, Run run) {
  std::lock_guard lock(Base->Lock);
  // Use and Close refuse while this runs: the record and its lock must outlive the statement.
  ++RunningStatements;
  struct TRunning {
    int& Count;
    ~TRunning() { --Count; }
  } running{RunningStatements};
  PrepareBusyHandling();
  CurrentResult().FetchedBytes = 0;
  if (!statement.empty()) {
    run(statement);
  }
  ReadCounters();
}

bool TLiteDB::QueryW(const std::u16string& sql) {
  if (SQLiteVersion != TSQLiteVersion::sv3) {
    return Query(UTF8Encode(sql));
  }
  TResultSet& result = CurrentResult();
  result.HasResult = false;
  if (!CanRunStatement() || Base->Db3 == nullptr) {
    return false;
  }
  result.Clear();
  result.SQL = UTF8Encode(sql);
  std::u16string replaced;
  if (OnBeforeQuery) {
    OnBeforeQuery(*this, result.SQL);
    replaced = UTF8Decode(result.SQL);
  }
  const std::u16string& statement = OnBeforeQuery ? replaced : sql;
  RunUnderFileLock(statement, [this](const std::u16string& text) { RunWide(text); });
  return FinishStatement();
}

void TLiteDB::RunWide(const std::u16string& statement) {
  const Engine::TSqlite3Api& api = Engine::Sqlite3();
  TResultSet& result = CurrentResult();
  Engine::TSqlite3Stmt* prepared = nullptr;
  const auto bytes = static_cast<int>(statement.size() * sizeof(char16_t));
  // The tail after the first statement is ignored: only that one runs.
  int code = api.Prepare16(Base->Db3, statement.data(), bytes, &prepared, nullptr);
  if (code != Engine::kOk) {
    result.ErrorCode = code;
    result.ErrorText = api.ErrMsg(Base->Db3);
    return;
  }
  if (prepared == nullptr) {
    return;  // only blanks or comments: nothing to run
  }
  bool overLimit = false;
  try {
    while ((code = api.Step(prepared)) == Engine::kRow) {
      AppendWideRow(prepared);
      if (result.FetchedBytes > FetchMemoryLimit) {
        overLimit = true;  // the rows so far stay
        break;
      }
    }
  } catch (const std::bad_alloc&) {
    // Storing a row ran out of memory: the statement fails like one the engine could not fit.
    api.Finalize(prepared);
    result.FailWithOwnText(kNoMemory, "out of memory");
    return;
  }
  // The engine's specific message is known only once the statement is finalized.
  api.Finalize(prepared);
  if (overLimit) {
    // Code 100, for which the engine's message would be "another row available" or "not an
    // error": the layer names its bound instead.
    result.FailWithOwnText(code, FetchMemoryLimitText());
  } else if (code != Engine::kDone) {
    result.ErrorCode = code;
    result.ErrorText = api.ErrMsg(Base->Db3);
  }
}

void TLiteDB::AppendWideRow(Engine::TSqlite3Stmt* statement) {
  const Engine::TSqlite3Api& api = Engine::Sqlite3();
  TResultSet& result = CurrentResult();
  const int columns = api.ColumnCount(statement);
  TResultRow& row = result.AppendRow(columns);
  for (int c = 0; c < columns; ++c) {
    const int type = api.ColumnType(statement, c);
    if (type == Engine::kTypeNull) {
      row.Append({}, true);
    } else if (type == Engine::kTypeBlob) {
      const auto* bytes = static_cast<const char*>(api.ColumnBlob(statement, c));
      const int size = api.ColumnBytes(statement, c);
      row.Append(bytes != nullptr ? std::string(bytes, static_cast<std::size_t>(size)) : "", false);
      result.FetchedBytes += size;
    } else {
      const auto* text = static_cast<const char16_t*>(api.ColumnText16(statement, c));
      const int size = api.ColumnBytes16(statement, c);
      const std::size_t units = text != nullptr ? static_cast<std::size_t>(size) / 2 : 0;
      row.AppendWide(std::u16string_view(text, units));
      result.FetchedBytes += static_cast<std::int64_t>(units) * 2;
    }
  }
  if (result.Fields().Empty()) {
    for (int c = 0; c < columns; ++c) {
      const char* name = api.ColumnName(statement, c);
      result.MutableFields().Add(name != nullptr ? name : "");
    }
  }
  NotifyFetchRow(row);
}

bool TLiteDB::Query(const std::string& sql) {
  TResultSet& result = CurrentResult();
  result.HasResult = false;
  if (!CanRunStatement()) {
    return false;
  }
  result.Clear();
  result.SQL = sql;
  std::string statement = sql;
  if (OnBeforeQuery) {
    OnBeforeQuery(*this, statement);
  }
  RunUnderFileLock(statement, [this](const std::string& text) { RunUtf8(text); });
  return FinishStatement();
}

void TLiteDB::RunUtf8(const std::string& statement) {
  TResultSet& result = CurrentResult();
  if (Base->Db3 != nullptr) {
    const Engine::TSqlite3Api& api = Engine::Sqlite3();
    const int code = api.Exec(Base->Db3, statement.c_str(), &AppendExecRow, this, nullptr);
    // A row callback that stopped the statement has given the reason; the engine only knows
    // that it was aborted.
    if (!result.ErrorTextIsOwn) {
      result.ErrorCode = code;
      result.ErrorText = code != Engine::kOk ? api.ErrMsg(Base->Db3) : "";
    }
    return;
  }
  const Engine::TSqlite2Api& api = Engine::Sqlite2();
  char* message = nullptr;
  result.ErrorCode = api.Exec(Base->Db2, statement.c_str(), &AppendExecRow, this, &message);
  result.ErrorText = message != nullptr ? message : "";
  if (message != nullptr) {
    api.FreeMem(message);
  }
}

int TLiteDB::AppendExecRow(void* connection, int columns, char** values, char** names) {
  // Called from the engine's C frames, which an exception must not cross: a row that cannot
  // be stored aborts the statement instead.
  auto* db = static_cast<TLiteDB*>(connection);
  try {
    return db->StoreExecRow(columns, values, names);
  } catch (...) {
    // Storing a row allocates and calls no handler unguarded: memory ran out. The text
    // fits in a string's own buffer, so setting it allocates nothing.
    db->CurrentResult().FailWithOwnText(kNoMemory, "out of memory");
    return 1;
  }
}

int TLiteDB::StoreExecRow(int columns, char** values, char** names) {
  if (values == nullptr) {
    return 0;  // a call without a row (the engine's empty-result callbacks)
  }
  TResultSet& result = CurrentResult();
  TResultRow& row = result.AppendRow(columns);
  for (int c = 0; c < columns; ++c) {
    if (values[c] == nullptr) {
      row.Append({}, true);
    } else {
      const std::string_view value(values[c]);
      result.FetchedBytes += static_cast<std::int64_t>(value.size());
      row.Append(value, false);
    }
  }
  if (result.Fields().Empty()) {
    for (int c = 0; c < columns; ++c) {
      result.MutableFields().Add(names[c] != nullptr ? names[c] : "");
    }
  }
  NotifyFetchRow(row);
  if (result.FetchedBytes > FetchMemoryLimit) {
    result.FailWithOwnText(Engine::kAbort, FetchMemoryLimitText());
    return 1;
  }
  return 0;
}
