#include "platform/Files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

using namespace Platform;
namespace fs = std::filesystem;

// The platform layer takes UTF-8 paths on every system.
std::string Utf8(const fs::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

TEST(FilesTest, ExistsAndHeadOfRegularFilesOnly) {
  const fs::path folder =
      fs::temp_directory_path() / ("tolvane-files-" + std::to_string(std::random_device()()));
  fs::create_directories(folder);
  const fs::path file = folder / u8"\u00e5ngstr\u00f6m-\u0416.db";
  const std::string bytes("SQLite format 3\0\x10\x00\xff", 19);
  std::ofstream(file, std::ios::binary) << bytes;
  const std::string path = Utf8(file);
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(ReadFileHead(path, 16), bytes.substr(0, 16));
  EXPECT_EQ(ReadFileHead(path, 100), bytes);
  for (const std::string& none : {Utf8(folder), Utf8(folder / "missing.db"), std::string()}) {
    EXPECT_FALSE(FileExists(none));
    EXPECT_EQ(ReadFileHead(none, 16), "");
  }
  {
    std::ofstream writer(file, std::ios::binary);  // another writer holds the file open
    writer << "locked" << std::flush;
    EXPECT_EQ(ReadFileHead(path, 6), "locked");
  }
  fs::remove_all(folder);
}

// The first start of a packaged folder: the sample becomes the data file only where there is
// none, and nothing half-copied or temporary stays behind.
TEST(FilesTest, CopyUnlessPresentNeverReplaces) {
  const fs::path folder =
      fs::temp_directory_path() / ("tolvane-copy-" + std::to_string(std::random_device()()));
  fs::create_directories(folder / u8"\u00dc-\U0001F600");
  const fs::path sample = folder / "sample.db";
  const fs::path target = folder / u8"\u00dc-\U0001F600" / "data.db";
  const std::string bytes(200000, '\x5a');
  std::ofstream(sample, std::ios::binary) << bytes;

  ASSERT_TRUE(CopyFileUnlessPresent(Utf8(sample), Utf8(target)));
  EXPECT_EQ(ReadFileHead(Utf8(target), bytes.size() + 1), bytes);

  std::ofstream(target, std::ios::binary | std::ios::trunc) << "comments";
  EXPECT_FALSE(CopyFileUnlessPresent(Utf8(sample), Utf8(target)));
  EXPECT_EQ(ReadFileHead(Utf8(target), 100), "comments");

  const fs::path elsewhere = folder / "other.db";
  EXPECT_FALSE(CopyFileUnlessPresent(Utf8(folder / "missing.db"), Utf8(elsewhere)));
  EXPECT_FALSE(fs::exists(elsewhere));
  EXPECT_EQ(std::distance(fs::directory_iterator(target.parent_path()), fs::directory_iterator()), 1);
  fs::remove_all(folder);
}

}  // namespace
