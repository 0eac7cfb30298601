#include "platform/Library.h"

#include <gtest/gtest.h>

#include "platform/EngineLibrary.h"

namespace {

using namespace Platform;

// The engine library is placed beside every test executable by the build, so it is found by
// its bare name just as the program finds it.
TEST(LibraryTest, EngineLoadsByBareNameAndResolvesItsEntryPoints) {
  const TLibraryHandle engine = LoadLibraryByName(kSqlite3LibraryName);
  ASSERT_NE(engine, nullptr);
  EXPECT_NE(FindEntryPoint(engine, "sqlite3_libversion"), nullptr);
  EXPECT_NE(FindEntryPoint(engine, "sqlite3_prepare16"), nullptr);
  EXPECT_EQ(FindEntryPoint(engine, "sqlite3_no_such_function"), nullptr);
  UnloadLibrary(engine);
}

TEST(LibraryTest, MissingLibraryGivesNoHandle) {
  EXPECT_EQ(LoadLibraryByName("tolvane-no-such-library-7f3a"), nullptr);
  EXPECT_EQ(LoadLibraryByName(""), nullptr);
}

TEST(LibraryTest, NoHandleIsToleratedByLookupAndUnload) {
  EXPECT_EQ(FindEntryPoint(nullptr, "sqlite3_libversion"), nullptr);
  UnloadLibrary(nullptr);
}

}  // namespace
