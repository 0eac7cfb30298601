// The binding's state lasts for the life of the process, so these tests run in this order in
// a process of their own: first a library that is not the engine, then the engine.
#include "data/SqliteBinding.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include "TempDir.h"
#include "data/LiteDb.h"
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

TEST(SqliteBinding, LibraryLackingEntryPointsIsRefusedAndUnloaded) {
  TTempDir dir;
  TLiteDB db;
  db.LibraryPath = TOLVANE_STUB_ENGINE;
  EXPECT_FALSE(db.Use(dir.File("a.db")));
  EXPECT_FALSE(db.DllLoaded());
  EXPECT_FALSE(db.Active());
  EXPECT_EQ(db.LibraryPath, TOLVANE_STUB_ENGINE);  // it was loaded under that name
  EXPECT_FALSE(IsLoaded(TOLVANE_STUB_ENGINE));

  std::string missing = "tolvane-no-such-library";
  EXPECT_FALSE(LoadSQLite3(missing));
  EXPECT_EQ(missing, "tolvane-no-such-library");
}

TEST(SqliteBinding, EmptyPathBindsTheDefaultEngineOnce) {
  TTempDir dir;
  TLiteDB first;
  ASSERT_TRUE(first.Use(dir.File("a.db")));
  EXPECT_TRUE(first.DllLoaded());
  EXPECT_EQ(first.LibraryPath, Platform::kSqlite3LibraryName);

  // Bound for good: a second connection loads nothing, whatever its path says.
  TLiteDB second;
  second.LibraryPath = "tolvane-no-such-library";
  EXPECT_TRUE(second.Use(dir.File("b.db")));
  EXPECT_EQ(second.LibraryPath, "tolvane-no-such-library");
  first.Close();
  EXPECT_TRUE(first.Use(dir.File("a.db")));
}

}  // namespace
