#pragma once
// A second engine connection to a file, apart from the registry that TLiteDB shares within
// the process, holding a lock as another process would: by default an exclusive one; a
// statement such as "BEGIN IMMEDIATE" or "BEGIN; SELECT count(*) FROM sqlite_schema" holds a
// reserved or a shared one. The engine must already be bound (a TLiteDB has opened some file).

#include <string>

#include "data/EngineApi.h"

class TForeignLock {
 public:
  explicit TForeignLock(const std::string& path, const char* statement = "BEGIN EXCLUSIVE") {
    const Engine::TSqlite3Api& api = Engine::Sqlite3();
    if (api.Open(path.c_str(), &Db) != Engine::kOk ||
        api.Exec(Db, statement, nullptr, nullptr, nullptr) != Engine::kOk) {
      Release();
    }
  }
  ~TForeignLock() { Release(); }
  TForeignLock(const TForeignLock&) = delete;
  TForeignLock& operator=(const TForeignLock&) = delete;

  bool Held() const { return Db != nullptr; }

 private:
  void Release() {
    if (Db != nullptr) {
      Engine::Sqlite3().Close(Db);  // an open transaction is rolled back
      Db = nullptr;
    }
  }

  Engine::TSqlite3* Db = nullptr;
};
