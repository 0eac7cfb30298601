#include "platform/Library.h"

#include <gtest/gtest.h>

#include "platform/EngineLibrary.h"
#include "platform/Files.h"
#include "platform/ProgramDirectory.h"

namespace {

using namespace Platform;

// The build places the engine library beside every test executable, so it is found by its
// bare name just as the program finds it.
TEST(LibraryTest, EngineLoadsByBareNameFromTheProgramDirectory) {
  EXPECT_TRUE(FileExists(ProgramDirectory() + kSqlite3LibraryName)) << ProgramDirectory();
  const TLibraryHandle engine = LoadLibraryByName(kSqlite3LibraryName);
  ASSERT_NE(engine, nullptr);
  EXPECT_NE(FindEntryPoint(engine, "sqlite3_prepare16"), nullptr);
  EXPECT_EQ(FindEntryPoint(engine, "sqlite3_no_such_function"), nullptr);
  UnloadLibrary(engine);
  EXPECT_EQ(LoadLibraryByName("tolvane-no-such-library-7f3a"), nullptr);
  EXPECT_EQ(LoadLibraryByName(""), nullptr);
  EXPECT_EQ(FindEntryPoint(nullptr, "sqlite3_libversion"), nullptr);
  UnloadLibrary(nullptr);
}

#ifdef _WIN32
// Names that a bare name's search must not take for one (LiteDbOpen has the others).
TEST(LibraryTest, DirectoryPartsOfWindowsNames) {
  EXPECT_TRUE(HasDirectoryPart("C:sqlite3.dll"));
  EXPECT_TRUE(HasDirectoryPart("lib/sqlite3.dll"));
}
#endif

}  // namespace
