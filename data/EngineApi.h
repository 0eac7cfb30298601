#pragma once
// The engine functions the data layer calls, bound at run time by SqliteBinding.cpp. Internal
// to data/: the engine is never linked and its own header is not used, so the signatures are
// declared here. Only valid after a successful LoadSQLite3 / LoadSQLite2.

#include <cstdint>

namespace Engine {

struct TSqlite3;         // an SQLite 3 connection
struct TSqlite3Stmt;     // an SQLite 3 prepared statement
struct TSqlite2;         // an SQLite 2 connection
struct TSqlite3Context;  // the call of a function the program registered
struct TSqlite3Value;    // an argument of such a call

inline constexpr int kOk = 0;
inline constexpr int kAbort = 4;  // a row callback asked the one-shot call to stop
inline constexpr int kRow = 100;
inline constexpr int kDone = 101;
inline constexpr int kTypeBlob = 4;
inline constexpr int kTypeNull = 5;

inline constexpr int kOpenReadOnly = 0x00000001;
inline constexpr int kOpenUri = 0x00000040;
inline constexpr int kDbConfigDefensive = 1010;
inline constexpr int kTextUtf8 = 1;
inline constexpr int kFunctionDeterministic = 0x000000800;
inline constexpr int kFunctionInnocuous = 0x000200000;

using TDestructor = void (*)(void*);
using TScalarFunction = void (*)(TSqlite3Context* context, int count, TSqlite3Value** values);
using TAggregateFinal = void (*)(TSqlite3Context* context);
// The engine copies a result text handed over with this destructor.
inline TDestructor TransientText() {
  return reinterpret_cast<TDestructor>(static_cast<std::intptr_t>(-1));
}

// Row callback of the one-shot execute calls of both generations: values and column names
// as zero-terminated UTF-8 texts, a null pointer for an SQL NULL. Non-zero aborts.
using TExecCallback = int (*)(void* userData, int columns, char** values, char** names);

struct TSqlite3Api {
  int (*Open)(const char* fileName, TSqlite3** db);
  int (*Open16)(const void* fileName, TSqlite3** db);
  int (*Close)(TSqlite3* db);
  int (*Exec)(TSqlite3* db, const char* sql, TExecCallback callback, void* userData,
              char** errorMessage);
  int (*Prepare16)(TSqlite3* db, const void* sql, int bytes, TSqlite3Stmt** statement,
                   const void** tail);
  int (*Step)(TSqlite3Stmt* statement);
  int (*Finalize)(TSqlite3Stmt* statement);
  const char* (*ErrMsg)(TSqlite3* db);
  const void* (*ErrMsg16)(TSqlite3* db);
  int (*Changes)(TSqlite3* db);
  std::int64_t (*LastInsertRowId)(TSqlite3* db);
  int (*BusyTimeout)(TSqlite3* db, int milliseconds);
  int (*BusyHandler)(TSqlite3* db, int (*handler)(void* userData, int count), void* userData);
  int (*ColumnCount)(TSqlite3Stmt* statement);
  int (*ColumnType)(TSqlite3Stmt* statement, int column);
  const void* (*ColumnText16)(TSqlite3Stmt* statement, int column);
  int (*ColumnBytes16)(TSqlite3Stmt* statement, int column);
  const void* (*ColumnBlob)(TSqlite3Stmt* statement, int column);
  int (*ColumnBytes)(TSqlite3Stmt* statement, int column);
  const char* (*ColumnName)(TSqlite3Stmt* statement, int column);
  const char* (*LibVersion)();

  // Optional: null when the engine lacks them, which leaves the binding intact. Callers check
  // each pointer and fall back to what the required calls give.
  int (*OpenV2)(const char* fileName, TSqlite3** db, int flags, const char* vfs);
  int (*DbConfig)(TSqlite3* db, int option, ...);
  int (*CreateFunctionV2)(TSqlite3* db, const char* name, int arguments, int textFlags,
                          void* userData, TScalarFunction function, TScalarFunction step,
                          TAggregateFinal final, TDestructor destroy);
  const unsigned char* (*ValueText)(TSqlite3Value* value);
  int (*ValueBytes)(TSqlite3Value* value);
  void (*ResultText)(TSqlite3Context* context, const char* text, int bytes, TDestructor destructor);
  void (*ResultNull)(TSqlite3Context* context);
  void (*ResultErrorNoMem)(TSqlite3Context* context);
};

struct TSqlite2Api {
  TSqlite2* (*Open)(const char* fileName, int mode, char** errorMessage);
  void (*Close)(TSqlite2* db);
  int (*Exec)(TSqlite2* db, const char* sql, TExecCallback callback, void* userData,
              char** errorMessage);
  const char* (*LibVersion)();
  const char* (*LibEncoding)();
  const char* (*ErrorString)(int code);
  void (*FreeMem)(void* memory);
  int (*LastInsertRowId)(TSqlite2* db);
  int (*Changes)(TSqlite2* db);
  void (*BusyTimeout)(TSqlite2* db, int milliseconds);
  void (*BusyHandler)(TSqlite2* db, int (*handler)(void* userData, const char* table, int count),
                      void* userData);
};

const TSqlite3Api& Sqlite3();
const TSqlite2Api& Sqlite2();

}  // namespace Engine
