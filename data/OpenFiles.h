#pragma once
// The process-wide registry of open database files. Every TLiteDB that opens the same file
// name shares its one engine connection; the record counts its users, and its lock keeps two
// connections from using the engine handle at the same time. Internal to data/.

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "data/EngineApi.h"

// The wait of the statement under way for a file that another process holds locked.
struct TBusyWait {
  int BoundMilliseconds = 0;                                   // 0: as long as the lock lasts
  std::optional<std::chrono::steady_clock::time_point> Since;  // the statement's first wait
};

struct TBaseInfo {
  std::recursive_mutex Lock;  // recursive: an OnFetchRow handler may run a statement
  int RefCount = 1;
  Engine::TSqlite3* Db3 = nullptr;  // set for an SQLite 3 file
  Engine::TSqlite2* Db2 = nullptr;  // set for an SQLite 2 file
  bool Defensive = false;           // the engine refuses writes that could corrupt the file
  bool UnicodeUpper = false;        // Upper is the program's own
  TBusyWait Busy;                   // the engine's busy handler keeps its clock here
};

class TOpenFiles {
 public:
  static TOpenFiles& Instance();

  std::mutex& Guard() { return RegistryLock; }
  // The record of that name, or nullptr. Call with Guard() held, as the two below.
  TBaseInfo* Find(const std::string& name) const;
  TBaseInfo& Add(const std::string& name);
  void Remove(const TBaseInfo& record);

 private:
  TOpenFiles() = default;

  std::mutex RegistryLock;
  // Records still registered when the process ends are freed without closing their engine
  // connections: the engine library may be gone by then.
  std::map<std::string, std::unique_ptr<TBaseInfo>> Records;
};
