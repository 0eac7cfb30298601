#pragma once
// The SQLite connection. It binds the engine library at run time on the first open, shares
// one engine connection per file between all TLiteDB objects of the process (a registry of
// open files with a reference count and a lock per file), waits out a file locked by another
// process (retrying every 2 ms, for as long as BusyTimeoutMilliseconds allows), and bounds the
// memory one statement may fill.
// Text: file names are UTF-8; statements are UTF-8 (Query) or UTF-16 (QueryW); results hold
// UTF-8 text.

#include <cstdint>
#include <string>
#include <vector>

#include "data/SqlDb.h"

namespace Engine {
struct TSqlite3;
struct TSqlite3Stmt;
}  // namespace Engine

enum class TSQLiteVersion { svAuto, sv2, sv3 };

struct TBaseInfo;  // one per open file, shared by every connection that has it open

class TLiteDB : public TSQLDB {
 public:
  // Opens `fileName` (UTF-8) with Use when it is not empty.
  explicit TLiteDB(const std::string& fileName = {});
  ~TLiteDB() override;

  // Binds the engine (once per process), releases the open file and opens the named one. A
  // name without a directory part is looked for in the program's directory. A file that does
  // not exist is created empty by the engine. Returns whether a file is now open. Called by a
  // handler while a statement of this connection runs, it refuses and changes nothing.
  bool Use(const std::string& name) override;
  void Close() override;

  bool Query(const std::string& sql) override;
  bool QueryW(const std::u16string& sql) override;

  [[nodiscard]] bool StartTransaction() override;
  [[nodiscard]] bool Commit() override;
  [[nodiscard]] bool Rollback() override;
  std::string GetErrorMessage() override;

  void Lock() override;
  void Unlock() override;

  TSQLiteVersion SQLiteVersion = TSQLiteVersion::svAuto;

  // Set before Use: the file is opened read-only through the engine's optional
  // sqlite3_open_v2, so that nothing can be written and a missing file is not created. An
  // engine without that call, or an SQLite 2 file, fails to open. A file that another
  // connection of this process has open already is shared in the mode it was opened with. A
  // file in write-ahead-log mode without a log to read is opened immutable (data/ReadOnlyOpen.h),
  // so that reading it leaves no -wal and -shm files and works in a read-only folder.
  bool ReadOnly = false;

  // Whether the engine's defensive mode is on for the open file: every open switches it on
  // when the engine has sqlite3_db_config, so that SQL cannot corrupt the file's structure.
  bool DefensiveMode() const;

  // Set before Use: the engine's Upper becomes the platform's Unicode upper-casing (the one
  // the search applies to typed words) on the connection that opens the file, when the engine
  // can take a function; otherwise Upper stays the engine's, which folds only a to z.
  bool UnicodeUpper = false;
  bool HasUnicodeUpper() const;

  // How long a statement waits for a file that another process holds locked, in milliseconds,
  // counted from its first wait, however many locks it meets. 0 (the program's choice) waits
  // for as long as the lock lasts; above 0 the statement fails with the engine's "database is
  // locked" (code 5) once it has waited that long.
  int BusyTimeoutMilliseconds = 0;

  // Always empty or 0 for SQLite.
  std::string Host() const { return {}; }
  int Port() const { return 0; }
  std::string User() const { return {}; }
  std::string Password() const { return {}; }

 private:
  // Picks the engine generation (from the file header when svAuto) and binds its library.
  bool BindEngine(const std::string& path);
  // Called with the registry lock held.
  void ReleaseOpenFile();
  void OpenNewFile(const std::string& path);
  static bool RegisterUnicodeUpper(Engine::TSqlite3* db);
  // The engine connection for `path` (SQLite 3), or null with `error` set.
  Engine::TSqlite3* OpenSqlite3(const std::string& path, std::string& error) const;
  void DescribeEngine();  // ServerVersion and ServerEncoding of the open file
  void RefreshLists();
  std::vector<std::string> ListNames(const std::string& statement);

  // A statement needs a bound engine and an open file; otherwise it fails at once.
  bool CanRunStatement();
  void PrepareBusyHandling();
  // Runs a non-empty statement with `run` under the file's lock, with the busy handling set
  // up before and the counters read after, so that no other connection on the file can come
  // between the statement and its counters.
  template <typename Text, typename Run>
  void RunUnderFileLock(const Text& statement, Run run);
  void RunWide(const std::u16string& statement);
  void AppendWideRow(Engine::TSqlite3Stmt* statement);
  void RunUtf8(const std::string& statement);
  void ReadCounters();
  bool FinishStatement();
  static int AppendExecRow(void* connection, int columns, char** values, char** names);
  int StoreExecRow(int columns, char** values, char** names);

  TBaseInfo* Base = nullptr;
  int RunningStatements = 0;  // statements of this connection under way (a handler's own)
};
