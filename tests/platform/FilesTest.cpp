#include "platform/Files.h"

#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"

namespace {

using namespace Platform;
namespace fs = std::filesystem;

TEST(FilesTest, ExistsAndHeadOfRegularFilesOnly) {
  TTempFolder folder;
  const std::string bytes("SQLite format 3\0\x10\x00\xff", 19);
  // The platform layer takes UTF-8 paths on every system.
  const std::string path = folder.Write("\u00e5ngstr\u00f6m-\u0416.db", bytes);
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(ReadFileHead(path, 16), bytes.substr(0, 16));
  EXPECT_EQ(ReadFileHead(path, 100), bytes);
  for (const std::string& none : {folder.File(""), folder.File("missing.db"), std::string()}) {
    EXPECT_FALSE(FileExists(none));
    EXPECT_EQ(ReadFileHead(none, 16), "");
  }
  std::ofstream writer(FromUtf8(path), std::ios::binary);
  writer << "locked" << std::flush;  // another writer holds the file open
  EXPECT_EQ(ReadFileHead(path, 6), "locked");
}

// The first start of a packaged folder: the sample becomes the data file only where there is
// none, and nothing half-copied or temporary stays behind.
TEST(FilesTest, CopyUnlessPresentNeverReplaces) {
  TTempFolder folder;
  const std::string bytes(200000, '\x5a');
  const std::string sample = folder.Write("sample.db", bytes);
  const fs::path copies = FromUtf8(folder.File("\u00dc-\U0001F600"));
  const std::string target = Utf8(copies / "data.db");
  fs::create_directories(copies);
  ASSERT_TRUE(CopyFileUnlessPresent(sample, target));
  EXPECT_EQ(ReadFileHead(target, bytes.size() + 1), bytes);
  std::ofstream(copies / "data.db", std::ios::binary | std::ios::trunc) << "comments";
  EXPECT_FALSE(CopyFileUnlessPresent(sample, target));
  EXPECT_EQ(ReadFileHead(target, 100), "comments");
  EXPECT_FALSE(CopyFileUnlessPresent(folder.File("missing.db"), folder.File("other.db")));
  EXPECT_FALSE(fs::exists(folder.Path() / "other.db"));
  EXPECT_EQ(std::distance(fs::directory_iterator(copies), fs::directory_iterator()), 1);
}

}  // namespace
