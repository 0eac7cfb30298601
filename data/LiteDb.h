#pragma once
// The SQLite connection. It binds the engine library at run time on the first open, shares
// one engine connection per file between all TLiteDB objects of the process (a registry of
// open files with a reference count and a lock per file), waits out a file locked by another
// process (retrying every 2 ms), and bounds the memory one statement may fill.
// Text: file names are UTF-8; statements are UTF-8 (Query) or UTF-16 (QueryW); results hold
// UTF-8 text.

#include <cstdint>
#include <string>

#include "data/SqlDb.h"

enum class TSQLiteVersion { svAuto, sv2, sv3 };

struct TBaseInfo;  // one per open file, shared by every connection that has it open

class TLiteDB : public TSQLDB {
public:
  // Opens `fileName` (UTF-8) with Use when it is not empty.
  explicit TLiteDB(const std::string& fileName = {});
  ~TLiteDB() override;

  // Binds the engine (once per process), releases the open file and opens the named one. A
  // name without a directory part is looked for in the program's directory. A file that does
  // not exist is created empty by the engine. Returns whether a file is now open.
  bool Use(const std::string& name) override;
  void Close() override;

  bool Query(const std::string& sql) override;
  bool QueryW(const std::u16string& sql) override;

  void StartTransaction() override;
  void Commit() override;
  void Rollback() override;
  std::string GetErrorMessage() override;

  void Lock() override;
  void Unlock() override;

  TSQLiteVersion SQLiteVersion = TSQLiteVersion::svAuto;

  // Always empty or 0 for SQLite.
  std::string Host() const { return {}; }
  int Port() const { return 0; }
  std::string User() const { return {}; }
  std::string Password() const { return {}; }

private:
  void ReleaseOpenFile();
  void RefreshLists();
  bool QueryUtf8Sqlite3(const std::string& sql);
  bool QueryUtf8Sqlite2(const std::string& sql);

  TBaseInfo* Base = nullptr;
};
