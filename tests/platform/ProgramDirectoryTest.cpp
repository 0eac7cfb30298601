#include "platform/ProgramDirectory.h"

#include <gtest/gtest.h>

#include "platform/EngineLibrary.h"
#include "platform/Files.h"

namespace {

using namespace Platform;

TEST(ProgramDirectoryTest, IsTheExecutablesDirectoryWithTrailingSeparator) {
  const std::string directory = ProgramDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_TRUE(directory.ends_with(DirectorySeparator()));
  // The build puts the engine library beside the test executable.
  EXPECT_TRUE(FileExists(directory + kSqlite3LibraryName)) << directory;
}

TEST(ProgramDirectoryTest, OverrideAppendsSeparatorOnlyWhenMissing) {
  const std::string separator = DirectorySeparator();
  {
    const TProgramDirectoryOverride staged("staged");
    EXPECT_EQ(ProgramDirectory(), "staged" + separator);
  }
  {
    const TProgramDirectoryOverride staged("staged" + separator);
    EXPECT_EQ(ProgramDirectory(), "staged" + separator);
  }
}

TEST(ProgramDirectoryTest, OverridesNestAndRestoreInTurn) {
  const std::string real = ProgramDirectory();
  const std::string separator = DirectorySeparator();
  {
    const TProgramDirectoryOverride outer("outer");
    {
      const TProgramDirectoryOverride inner("inner");
      EXPECT_EQ(ProgramDirectory(), "inner" + separator);
    }
    EXPECT_EQ(ProgramDirectory(), "outer" + separator);
  }
  EXPECT_EQ(ProgramDirectory(), real);
}

TEST(ProgramDirectoryTest, DirectoryPartIsRecognised) {
  EXPECT_FALSE(HasDirectoryPart("sqlite3.dll"));
  EXPECT_FALSE(HasDirectoryPart(""));
  EXPECT_TRUE(HasDirectoryPart(std::string("lib") + DirectorySeparator() + "sqlite3.dll"));
  EXPECT_TRUE(HasDirectoryPart("/opt/lib/libsqlite3.so.0"));
#ifdef _WIN32
  EXPECT_TRUE(HasDirectoryPart("C:sqlite3.dll"));
  EXPECT_TRUE(HasDirectoryPart("lib/sqlite3.dll"));
#endif
}

}  // namespace
