#include "BareEngine.h"

#include "platform/EngineLibrary.h"
#include "platform/Library.h"

namespace {

using TOpen16 = int (*)(const void*, void**);
using TClose = int (*)(void*);
using TPrepare16 = int (*)(void*, const void*, int, void**, const void**);
using TStep = int (*)(void*);
using TFinalize = int (*)(void*);
using TColumnCount = int (*)(void*);
using TColumnText16 = const void* (*)(void*, int);
using TColumnBytes16 = int (*)(void*, int);

template <typename Function>
Function Entry(void* library, const char* name) {
  return reinterpret_cast<Function>(Platform::FindEntryPoint(library, name));
}

}  // namespace

TBareEngine::TBareEngine(const std::string& path)
    : Library(Platform::LoadLibraryByName(Platform::kSqlite3LibraryName)) {
  if (Library != nullptr) {
    const std::u16string widePath(path.begin(), path.end());  // the bench's path is ASCII
    Entry<TOpen16>(Library, "sqlite3_open16")(widePath.c_str(), &Db);
  }
}

TBareEngine::~TBareEngine() {
  if (Db != nullptr) {
    Entry<TClose>(Library, "sqlite3_close")(Db);
  }
  if (Library != nullptr) {
    Platform::UnloadLibrary(Library);
  }
}

int TBareEngine::FetchAll(const std::u16string& statement, std::size_t& units,
                          std::vector<std::u16string>* kept) {
  static const auto prepare16 = Entry<TPrepare16>(Library, "sqlite3_prepare16");
  static const auto step = Entry<TStep>(Library, "sqlite3_step");
  static const auto finalize = Entry<TFinalize>(Library, "sqlite3_finalize");
  static const auto columnCount = Entry<TColumnCount>(Library, "sqlite3_column_count");
  static const auto text16 = Entry<TColumnText16>(Library, "sqlite3_column_text16");
  static const auto bytes16 = Entry<TColumnBytes16>(Library, "sqlite3_column_bytes16");
  void* prepared = nullptr;
  const auto bytes = static_cast<int>(statement.size() * 2);
  if (prepare16(Db, statement.data(), bytes, &prepared, nullptr) != 0) {
    return -1;
  }
  int rows = 0;
  while (step(prepared) == 100) {
    ++rows;
    const int columns = columnCount(prepared);
    for (int c = 0; c < columns; ++c) {
      const auto* text = static_cast<const char16_t*>(text16(prepared, c));
      if (text != nullptr) {
        const auto length = static_cast<std::size_t>(bytes16(prepared, c)) / 2;
        units += length;
        if (kept != nullptr) {
          kept->emplace_back(text, length);
        }
      }
    }
  }
  finalize(prepared);
  return rows;
}
