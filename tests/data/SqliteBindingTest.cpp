// The binding's state lasts for the life of the process, so these tests run in this order in
// a process of their own: first a library that is not the engine, then the engine.
#include "data/SqliteBinding.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>

#include "platform/ProgramDirectory.h"
#include "platform/win/WideText.h"
#else
#include <dlfcn.h>
#endif

#include "LiteDbFixture.h"
#include "platform/EngineLibrary.h"

namespace {

bool IsLoaded(const std::string& name) {
#ifdef _WIN32
  return GetModuleHandleA(name.c_str()) != nullptr;
#else
  void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_NOLOAD);
  if (handle != nullptr) {
    dlclose(handle);
  }
  return handle != nullptr;
#endif
}

TEST(SqliteBinding, LibraryLackingAnEntryPointIsRefusedAndUnloaded) {
  TTempFolder dir;
  TLiteDB db;
  db.LibraryPath = TOLVANE_STUB_ENGINE;
  EXPECT_FALSE(db.Use(dir.File("a.db")));
  EXPECT_FALSE(db.DllLoaded());
  EXPECT_FALSE(IsLoaded(TOLVANE_STUB_ENGINE));
}

TEST(SqliteBinding, EmptyPathBindsTheDefaultEngineOnce) {
  TTempFolder dir;
  TLiteDB first;
  ASSERT_TRUE(first.Use(dir.File("a.db")));
  EXPECT_EQ(first.LibraryPath, Platform::kSqlite3LibraryName);
#ifdef _WIN32
  // The copy beside the program, not one found along the search path.
  wchar_t loaded[MAX_PATH] = {};
  ASSERT_NE(GetModuleFileNameW(GetModuleHandleA(Platform::kSqlite3LibraryName), loaded, MAX_PATH),
            0u);
  EXPECT_EQ(Platform::Internal::WideToUtf8(loaded),
            Platform::ProgramDirectory() + Platform::kSqlite3LibraryName);
#endif

  // Bound for good: a second connection loads nothing, whatever its path says.
  TLiteDB second;
  second.LibraryPath = "tolvane-no-such-library";
  EXPECT_TRUE(second.Use(dir.File("b.db")));
  EXPECT_EQ(second.LibraryPath, "tolvane-no-such-library");
}

}  // namespace
