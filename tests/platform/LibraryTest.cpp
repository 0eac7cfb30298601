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

TEST(LibraryTest, ProgramDirectoryOverridesNestAndRestore) {
  const std::string real = ProgramDirectory();
  const std::string separator = DirectorySeparator();
  {
    const TProgramDirectoryOverride outer("outer");
    {
      const TProgramDirectoryOverride inner("inner" + separator);  // not doubled
      EXPECT_EQ(ProgramDirectory(), "inner" + separator);
    }
    EXPECT_EQ(ProgramDirectory(), "outer" + separator);
  }
  EXPECT_EQ(ProgramDirectory(), real);
  EXPECT_FALSE(HasDirectoryPart("sqlite3.dll"));
  EXPECT_TRUE(HasDirectoryPart("lib" + separator + "sqlite3.dll"));
#ifdef _WIN32
  EXPECT_TRUE(HasDirectoryPart("C:sqlite3.dll"));
  EXPECT_TRUE(HasDirectoryPart("lib/sqlite3.dll"));
#endif
}

}  // namespace
