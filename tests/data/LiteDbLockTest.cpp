// A file locked by another process: the statement waits until the lock goes away.
#include <gtest/gtest.h>

#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "LiteDbFixture.h"
#include "platform/Sleep.h"

extern char** environ;

namespace {

bool CommandLineToolExists() {
  return std::system("sqlite3 -version > /dev/null 2>&1") == 0;
}

TEST_F(LiteDbFixture, StatementWaitsOutAFileLockedByAnotherProcess) {
  if (!CommandLineToolExists()) {
    GTEST_SKIP() << "the sqlite3 command-line tool is not installed";
  }
  const std::string marker = Dir.File("locked");
  const std::string touch = ".shell touch '" + marker + "'";
  std::vector<std::string> arguments = {"sqlite3",
                                        Path,
                                        "BEGIN EXCLUSIVE;",
                                        "INSERT INTO msg VALUES (10, 'lock', 'held');",
                                        touch,
                                        ".shell sleep 0.3",
                                        "COMMIT;"};
  std::vector<char*> argv;
  for (std::string& argument : arguments) {
    argv.push_back(argument.data());
  }
  argv.push_back(nullptr);
  pid_t child = 0;
  ASSERT_EQ(posix_spawnp(&child, "sqlite3", nullptr, nullptr, argv.data(), environ), 0);
  for (int waited = 0; !std::filesystem::exists(marker) && waited < 10000; waited += 5) {
    Platform::SleepMilliseconds(5);
  }
  ASSERT_TRUE(std::filesystem::exists(marker));

  EXPECT_TRUE(Db.QueryW(u"SELECT COUNT(*) FROM msg")) << Db.GetErrorMessage();
  EXPECT_EQ(Db.Row(0).Field(0).AsInteger(), 4);  // the other process's row is committed

  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

}  // namespace
