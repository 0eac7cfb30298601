#include "data/SqliteBinding.h"

#include <array>
#include <mutex>

#include "data/EngineApi.h"
#include "platform/EngineLibrary.h"
#include "platform/Library.h"

namespace {

// Every one of these must be present, although the layer calls only some of them: a library
// that lacks one is not an engine this program was written against.
constexpr std::array<const char*, 45> kSqlite3EntryPoints = {"sqlite3_bind_parameter_count",
                                                             "sqlite3_bind_parameter_name",
                                                             "sqlite3_busy_handler",
                                                             "sqlite3_busy_timeout",
                                                             "sqlite3_changes",
                                                             "sqlite3_close",
                                                             "sqlite3_collation_needed",
                                                             "sqlite3_collation_needed16",
                                                             "sqlite3_column_blob",
                                                             "sqlite3_column_bytes",
                                                             "sqlite3_column_bytes16",
                                                             "sqlite3_column_count",
                                                             "sqlite3_column_double",
                                                             "sqlite3_column_int",
                                                             "sqlite3_column_int64",
                                                             "sqlite3_column_text",
                                                             "sqlite3_column_text16",
                                                             "sqlite3_column_type",
                                                             "sqlite3_column_decltype",
                                                             "sqlite3_column_decltype16",
                                                             "sqlite3_column_name",
                                                             "sqlite3_column_name16",
                                                             "sqlite3_complete",
                                                             "sqlite3_complete16",
                                                             "sqlite3_create_collation",
                                                             "sqlite3_create_collation16",
                                                             "sqlite3_data_count",
                                                             "sqlite3_errcode",
                                                             "sqlite3_errmsg",
                                                             "sqlite3_errmsg16",
                                                             "sqlite3_exec",
                                                             "sqlite3_finalize",
                                                             "sqlite3_free",
                                                             "sqlite3_get_table",
                                                             "sqlite3_free_table",
                                                             "sqlite3_interrupt",
                                                             "sqlite3_last_insert_rowid",
                                                             "sqlite3_open",
                                                             "sqlite3_open16",
                                                             "sqlite3_prepare",
                                                             "sqlite3_prepare16",
                                                             "sqlite3_reset",
                                                             "sqlite3_step",
                                                             "sqlite3_total_changes",
                                                             "sqlite3_libversion"};

// The first fifteen decide the binding; the last four may be missing.
constexpr std::array<const char*, 15> kSqlite2RequiredEntryPoints = {"sqlite_open",
                                                                     "sqlite_close",
                                                                     "sqlite_exec",
                                                                     "sqlite_libversion",
                                                                     "sqlite_libencoding",
                                                                     "sqlite_error_string",
                                                                     "sqlite_get_table",
                                                                     "sqlite_free_table",
                                                                     "sqlite_freemem",
                                                                     "sqlite_complete",
                                                                     "sqlite_last_insert_rowid",
                                                                     "sqlite_interrupt",
                                                                     "sqlite_busy_timeout",
                                                                     "sqlite_busy_handler",
                                                                     "sqlite_changes"};

// The loaded engine library of one generation, unloaded when the process ends.
class TEngineLibrary {
 public:
  TEngineLibrary() = default;
  TEngineLibrary(const TEngineLibrary&) = delete;
  TEngineLibrary& operator=(const TEngineLibrary&) = delete;
  ~TEngineLibrary() { Unload(); }

  void Unload() {
    if (Handle != nullptr) {
      Platform::UnloadLibrary(Handle);
      Handle = nullptr;
    }
  }

  Platform::TLibraryHandle Handle = nullptr;
  bool Bound = false;
  std::mutex Guard;
};

TEngineLibrary Sqlite3Library;
TEngineLibrary Sqlite2Library;
Engine::TSqlite3Api Sqlite3Table;
Engine::TSqlite2Api Sqlite2Table;

template <typename Function>
void Bind(Platform::TLibraryHandle library, const char* name, Function& slot) {
  slot = reinterpret_cast<Function>(Platform::FindEntryPoint(library, name));
}

template <std::size_t N>
bool HasAll(Platform::TLibraryHandle library, const std::array<const char*, N>& names) {
  bool all = true;
  for (const char* name : names) {
    all = Platform::FindEntryPoint(library, name) != nullptr && all;
  }
  return all;
}

void BindSqlite3(Platform::TLibraryHandle lib, Engine::TSqlite3Api& api) {
  Bind(lib, "sqlite3_open", api.Open);
  Bind(lib, "sqlite3_open16", api.Open16);
  Bind(lib, "sqlite3_close", api.Close);
  Bind(lib, "sqlite3_exec", api.Exec);
  Bind(lib, "sqlite3_prepare16", api.Prepare16);
  Bind(lib, "sqlite3_step", api.Step);
  Bind(lib, "sqlite3_finalize", api.Finalize);
  Bind(lib, "sqlite3_errmsg", api.ErrMsg);
  Bind(lib, "sqlite3_errmsg16", api.ErrMsg16);
  Bind(lib, "sqlite3_changes", api.Changes);
  Bind(lib, "sqlite3_last_insert_rowid", api.LastInsertRowId);
  Bind(lib, "sqlite3_busy_timeout", api.BusyTimeout);
  Bind(lib, "sqlite3_busy_handler", api.BusyHandler);
  Bind(lib, "sqlite3_column_count", api.ColumnCount);
  Bind(lib, "sqlite3_column_type", api.ColumnType);
  Bind(lib, "sqlite3_column_text16", api.ColumnText16);
  Bind(lib, "sqlite3_column_bytes16", api.ColumnBytes16);
  Bind(lib, "sqlite3_column_blob", api.ColumnBlob);
  Bind(lib, "sqlite3_column_bytes", api.ColumnBytes);
  Bind(lib, "sqlite3_column_name", api.ColumnName);
  Bind(lib, "sqlite3_libversion", api.LibVersion);
  // Optional entry points: an engine without them still binds.
  Bind(lib, "sqlite3_open_v2", api.OpenV2);
  Bind(lib, "sqlite3_db_config", api.DbConfig);
  Bind(lib, "sqlite3_create_function_v2", api.CreateFunctionV2);
  Bind(lib, "sqlite3_value_text", api.ValueText);
  Bind(lib, "sqlite3_value_bytes", api.ValueBytes);
  Bind(lib, "sqlite3_result_text", api.ResultText);
  Bind(lib, "sqlite3_result_null", api.ResultNull);
  Bind(lib, "sqlite3_result_error_nomem", api.ResultErrorNoMem);
}

void BindSqlite2(Platform::TLibraryHandle lib, Engine::TSqlite2Api& api) {
  Bind(lib, "sqlite_open", api.Open);
  Bind(lib, "sqlite_close", api.Close);
  Bind(lib, "sqlite_exec", api.Exec);
  Bind(lib, "sqlite_libversion", api.LibVersion);
  Bind(lib, "sqlite_libencoding", api.LibEncoding);
  Bind(lib, "sqlite_error_string", api.ErrorString);
  Bind(lib, "sqlite_freemem", api.FreeMem);
  Bind(lib, "sqlite_last_insert_rowid", api.LastInsertRowId);
  Bind(lib, "sqlite_changes", api.Changes);
  Bind(lib, "sqlite_busy_timeout", api.BusyTimeout);
  Bind(lib, "sqlite_busy_handler", api.BusyHandler);
}

// Loads the library, checks the required names and fills the table. A failed binding leaves
// nothing loaded and is tried again by the next call; a successful one lasts.
template <std::size_t N, typename Api>
bool Load(TEngineLibrary& library, std::string& path, const char* defaultName,
          const std::array<const char*, N>& required,
          void (*bindTable)(Platform::TLibraryHandle, Api&), Api& table) {
  std::lock_guard lock(library.Guard);
  if (library.Bound) {
    return true;
  }
  const std::string name = path.empty() ? std::string(defaultName) : path;
  library.Handle = Platform::LoadLibraryByName(name);
  if (library.Handle == nullptr) {
    return false;
  }
  path = name;
  library.Bound = HasAll(library.Handle, required);
  if (library.Bound) {
    bindTable(library.Handle, table);
  } else {
    library.Unload();
  }
  return library.Bound;
}

}  // namespace

bool LoadSQLite3(std::string& path) {
  return Load(Sqlite3Library, path, Platform::kSqlite3LibraryName, kSqlite3EntryPoints,
              &BindSqlite3, Sqlite3Table);
}

bool LoadSQLite2(std::string& path) {
  return Load(Sqlite2Library, path, Platform::kSqlite2LibraryName, kSqlite2RequiredEntryPoints,
              &BindSqlite2, Sqlite2Table);
}

namespace Engine {

const TSqlite3Api& Sqlite3() {
  return Sqlite3Table;
}

const TSqlite2Api& Sqlite2() {
  return Sqlite2Table;
}

}  // namespace Engine
