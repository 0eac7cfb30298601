// Opening and closing files, the engine choice, transactions and error texts of TLiteDB.
#include "data/LiteDb.h"

#include <mutex>

#include "data/EngineApi.h"
#include "data/OpenFiles.h"
#include "data/ReadOnlyOpen.h"
#include "data/SqliteBinding.h"
#include "data/Utf8Text.h"
#include "platform/AnsiText.h"
#include "platform/Files.h"
#include "platform/ProgramDirectory.h"

namespace {

constexpr std::size_t kHeaderBytes = 48;

// The generation a file's first bytes name, or svAuto when they name none.
TSQLiteVersion VersionFromHeader(const std::string& path) {
  const std::string head = Platform::ReadFileHead(path, kHeaderBytes);
  const auto after = [&head](std::string_view text) {
    const auto at = head.find(text);
    return at != std::string::npos && at > 0;
  };
  if (head.starts_with("**") && after("SQLite 2.1 database")) {
    return TSQLiteVersion::sv2;
  }
  if (head.find("SQLite") != std::string::npos && after("3")) {
    return TSQLiteVersion::sv3;
  }
  return TSQLiteVersion::svAuto;
}

}  // namespace

TLiteDB::TLiteDB(const std::string& fileName) {
  if (!fileName.empty()) {
    Use(fileName);
  }
}

TLiteDB::~TLiteDB() {
  Use({});
}

bool TLiteDB::BindEngine(const std::string& path) {
  if (SQLiteVersion == TSQLiteVersion::svAuto && Platform::FileExists(path)) {
    SQLiteVersion = VersionFromHeader(path);
  }
  switch (SQLiteVersion) {
    case TSQLiteVersion::svAuto:
      if (LoadSQLite3(LibraryPath)) {
        SQLiteVersion = TSQLiteVersion::sv3;
        IsDllLoaded = true;
      } else if (LoadSQLite2(LibraryPath)) {
        SQLiteVersion = TSQLiteVersion::sv2;
        IsDllLoaded = true;
      } else {
        IsDllLoaded = false;
      }
      break;
    case TSQLiteVersion::sv3:
      IsDllLoaded = LoadSQLite3(LibraryPath);
      break;
    case TSQLiteVersion::sv2:
      IsDllLoaded = LoadSQLite2(LibraryPath);
      break;
  }
  return IsDllLoaded;
}

bool TLiteDB::Use(const std::string& name) {
  if (RunningStatements > 0) {
    return false;
  }
  std::string path = name;
  if (!path.empty() && !Platform::HasDirectoryPart(path)) {
    path = Platform::ProgramDirectory() + path;
  }
  // Without an engine nothing changes: the open file, if any, stays open and active.
  if (!path.empty() && !BindEngine(path)) {
    return false;
  }
  const bool hadFile = !DataBaseName.empty();
  {
    TOpenFiles& registry = TOpenFiles::Instance();
    std::lock_guard lock(registry.Guard());
    IsActive = false;
    ReleaseOpenFile();
    if (!path.empty()) {
      if (TBaseInfo* shared = registry.Find(path)) {
        ++shared->RefCount;
        Base = shared;
        IsActive = true;
      } else {
        OpenNewFile(path);
      }
    }
    if (IsActive) {
      DescribeEngine();
    }
    DataBaseName = path;
  }
  // Events run outside the registry lock, so that a handler may open or close files.
  if (hadFile) {
    Notify(OnClose);
  }
  if (IsActive) {
    RefreshLists();
    Notify(OnOpen);
  }
  return IsActive;
}

void TLiteDB::Close() {
  Use({});
}

void TLiteDB::ReleaseOpenFile() {
  if (Base == nullptr) {
    return;
  }
  if (--Base->RefCount == 0) {
    if (Base->Db3 != nullptr) {
      Engine::Sqlite3().Close(Base->Db3);
    }
    if (Base->Db2 != nullptr) {
      Engine::Sqlite2().Close(Base->Db2);
    }
    TOpenFiles::Instance().Remove(*Base);
  }
  Base = nullptr;
}

void TLiteDB::OpenNewFile(const std::string& path) {
  TOpenFiles& registry = TOpenFiles::Instance();
  TBaseInfo& record = registry.Add(path);
  std::string error;
  if (SQLiteVersion != TSQLiteVersion::sv2) {
    record.Db3 = OpenSqlite3(path, error);
    if (record.Db3 != nullptr && Engine::Sqlite3().DbConfig != nullptr) {
      int on = 0;
      Engine::Sqlite3().DbConfig(record.Db3, Engine::kDbConfigDefensive, 1, &on);
      record.Defensive = on == 1;
    }
    if (record.Db3 != nullptr && UnicodeUpper) {
      record.UnicodeUpper = RegisterUnicodeUpper(record.Db3);
    }
  } else if (ReadOnly) {
    error = "an SQLite 2 file cannot be opened read-only";
  } else {
    const Engine::TSqlite2Api& api = Engine::Sqlite2();
    char* message = nullptr;
    record.Db2 = api.Open(path.c_str(), 1, &message);
    if (message != nullptr) {
      error = message;
      api.FreeMem(message);
    }
  }
  if (record.Db3 == nullptr && record.Db2 == nullptr) {
    CurrentResult().ErrorText = error;
    registry.Remove(record);
    return;
  }
  Base = &record;
  IsActive = true;
}

Engine::TSqlite3* TLiteDB::OpenSqlite3(const std::string& path, std::string& error) const {
  const Engine::TSqlite3Api& api = Engine::Sqlite3();
  Engine::TSqlite3* db = nullptr;
  int code = Engine::kOk;
  if (ReadOnly) {
    if (api.OpenV2 == nullptr) {
      error = "the engine cannot open files read-only";
      return nullptr;
    }
    const std::optional<std::string> immutable = ImmutableFileName(path);
    code = immutable ? api.OpenV2(immutable->c_str(), &db, Engine::kOpenReadOnly | Engine::kOpenUri,
                                  nullptr)
                     : api.OpenV2(path.c_str(), &db, Engine::kOpenReadOnly, nullptr);
  } else if (UniCode) {
    // Converted so that every character of the name survives, also beyond the 16-bit range.
    code = api.Open16(Utf8ToUtf16Exact(path).c_str(), &db);
  } else {
    code = api.Open(path.c_str(), &db);
  }
  // The engine hands out a handle even when it could not open the file: that is a failure.
  if (db != nullptr && code != Engine::kOk) {
    error = api.ErrMsg(db);
    api.Close(db);
    db = nullptr;
  }
  return db;
}

bool TLiteDB::DefensiveMode() const {
  return Base != nullptr && Base->Defensive;
}

bool TLiteDB::HasUnicodeUpper() const {
  return Base != nullptr && Base->UnicodeUpper;
}

void TLiteDB::DescribeEngine() {
  if (Base->Db2 != nullptr) {
    EngineVersion = Engine::Sqlite2().LibVersion();
    EngineEncoding = Engine::Sqlite2().LibEncoding();
  } else {
    EngineVersion = Engine::Sqlite3().LibVersion();
    EngineEncoding = UniCode ? "Unicode" : "UTF-8";
  }
}

std::vector<std::string> TLiteDB::ListNames(const std::string& statement) {
  std::vector<std::string> names;
  if (Query(statement)) {
    for (std::int32_t i = 0; i < RowCount(); ++i) {
      names.push_back(Row(i).Field(0).Value);
    }
  }
  return names;
}

void TLiteDB::RefreshLists() {
  TableNames = ListNames("SELECT name FROM sqlite_master WHERE type='table' ORDER BY name");
  IndexNames = ListNames("SELECT name FROM sqlite_master WHERE type='index' ORDER BY name");
}

bool TLiteDB::StartTransaction() {
  return Base != nullptr && Query("BEGIN");
}

bool TLiteDB::Commit() {
  return Base != nullptr && Query("COMMIT");
}

bool TLiteDB::Rollback() {
  return Base != nullptr && Query("ROLLBACK");
}

std::string TLiteDB::GetErrorMessage() {
  const TResultSet& result = CurrentResult();
  if (result.ErrorCode == 0 || Base == nullptr) {
    return {};
  }
  // The layer's own reason (a statement that could not be built, or one the layer stopped):
  // the engine knows nothing of it and would report some earlier message.
  if (result.ErrorTextIsOwn) {
    return result.ErrorText;
  }
  std::lock_guard lock(Base->Lock);
  if (Base->Db2 != nullptr) {
    const char* text = Engine::Sqlite2().ErrorString(result.ErrorCode);
    return text != nullptr ? text : "";
  }
  const Engine::TSqlite3Api& api = Engine::Sqlite3();
  if (UniCode) {
    return Platform::WideToAnsi(static_cast<const char16_t*>(api.ErrMsg16(Base->Db3)));
  }
  return Platform::WideToAnsi(Platform::AnsiToWide(api.ErrMsg(Base->Db3)));
}

void TLiteDB::Lock() {
  if (Base != nullptr) {
    Base->Lock.lock();
  }
}

void TLiteDB::Unlock() {
  if (Base != nullptr) {
    Base->Lock.unlock();
  }
}
