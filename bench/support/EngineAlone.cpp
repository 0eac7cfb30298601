#include "bench/support/EngineAlone.h"

#include <sqlite3.h>

#include <utility>

#include "platform/EngineLibrary.h"
#include "platform/Library.h"

// Only the signatures come from the engine's header; the functions are looked up at run time.
struct TEngineAlone::TEntryPoints {
  decltype(&sqlite3_open_v2) Open = nullptr;
  decltype(&sqlite3_close) Close = nullptr;
  decltype(&sqlite3_prepare16) Prepare = nullptr;
  decltype(&sqlite3_step) Step = nullptr;
  decltype(&sqlite3_column_count) ColumnCount = nullptr;
  decltype(&sqlite3_column_text16) Text16 = nullptr;
  decltype(&sqlite3_column_bytes16) Bytes16 = nullptr;
  decltype(&sqlite3_finalize) Finalize = nullptr;
};

namespace {

template <typename F>
bool Bind(void* library, const char* name, F& function) {
  function = reinterpret_cast<F>(Platform::FindEntryPoint(library, name));
  return function != nullptr;
}

}  // namespace

TEngineAlone::TEngineAlone(const std::string& path, bool writable) {
  Library = Platform::LoadLibraryByName(Platform::kSqlite3LibraryName);
  if (Library == nullptr) {
    return;
  }
  auto entries = std::make_unique<TEntryPoints>();
  const bool bound = Bind(Library, "sqlite3_open_v2", entries->Open) &&
                     Bind(Library, "sqlite3_close", entries->Close) &&
                     Bind(Library, "sqlite3_prepare16", entries->Prepare) &&
                     Bind(Library, "sqlite3_step", entries->Step) &&
                     Bind(Library, "sqlite3_column_count", entries->ColumnCount) &&
                     Bind(Library, "sqlite3_column_text16", entries->Text16) &&
                     Bind(Library, "sqlite3_column_bytes16", entries->Bytes16) &&
                     Bind(Library, "sqlite3_finalize", entries->Finalize);
  if (!bound) {
    return;
  }
  Api = std::move(entries);
  sqlite3* db = nullptr;
  const int mode = writable ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
  if (Api->Open(path.c_str(), &db, mode, nullptr) == SQLITE_OK) {
    Db = db;
  } else if (db != nullptr) {
    Api->Close(db);
  }
}

TEngineAlone::~TEngineAlone() {
  if (Db != nullptr) {
    Api->Close(Db);
  }
  if (Library != nullptr) {
    Platform::UnloadLibrary(Library);
  }
}

std::int64_t TEngineAlone::Run(const std::u16string& sql, std::uint64_t& checksum,
                               std::vector<std::u16string>* kept) {
  sqlite3_stmt* statement = nullptr;
  const auto bytes = static_cast<int>(sql.size() * sizeof(char16_t));
  if (Api->Prepare(Db, sql.data(), bytes, &statement, nullptr) != SQLITE_OK) {
    Api->Finalize(statement);
    return -1;
  }
  std::int64_t rows = 0;
  int step = SQLITE_ROW;
  while ((step = Api->Step(statement)) == SQLITE_ROW) {
    const int columns = Api->ColumnCount(statement);
    for (int column = 0; column < columns; ++column) {
      const auto* text = static_cast<const char16_t*>(Api->Text16(statement, column));
      const int length = Api->Bytes16(statement, column);
      checksum +=
          static_cast<std::uint64_t>(length) + (text != nullptr && length > 0 ? text[0] : 0);
      if (kept != nullptr && text != nullptr) {
        kept->emplace_back(text, static_cast<std::size_t>(length) / sizeof(char16_t));
      }
    }
    ++rows;
  }
  Api->Finalize(statement);
  return step == SQLITE_DONE ? rows : -1;
}
