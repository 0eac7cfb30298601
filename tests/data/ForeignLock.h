#pragma once
// A second engine connection to a file, apart from the registry that TLiteDB shares within
// the process, holding an exclusive lock as another process would. The engine must already be
// bound (a TLiteDB has opened some file).

#include <string>

#include "data/EngineApi.h"

class TForeignLock {
 public:
  explicit TForeignLock(const std::string& path) {
    const Engine::TSqlite3Api& api = Engine::Sqlite3();
    if (api.Open(path.c_str(), &Db) != Engine::kOk ||
        api.Exec(Db, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) != Engine::kOk) {
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
