#include "platform/Files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>

namespace {

using namespace Platform;
namespace fs = std::filesystem;

// A fresh folder under the system's temporary directory, removed with its contents.
class FilesTest : public testing::Test {
 protected:
  FilesTest() {
    std::random_device random;
    Folder = fs::temp_directory_path() / ("tolvane-files-" + std::to_string(random()));
    fs::create_directories(Folder);
  }
  ~FilesTest() override {
    std::error_code ignored;
    fs::remove_all(Folder, ignored);
  }

  // The platform layer takes UTF-8 paths on every system.
  static std::string Utf8(const fs::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
  }

  std::string Write(const fs::path& name, const std::string& bytes) const {
    const fs::path path = Folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return Utf8(path);
  }

  fs::path Folder;
};

TEST_F(FilesTest, ExistsOnlyForRegularFiles) {
  EXPECT_TRUE(FileExists(Write("data.db", "x")));
  EXPECT_TRUE(FileExists(Write("empty.db", "")));
  EXPECT_FALSE(FileExists(Utf8(Folder)));
  EXPECT_FALSE(FileExists(Utf8(Folder / "missing.db")));
  EXPECT_FALSE(FileExists(""));
}

TEST_F(FilesTest, HeadIsCutAtCountAndKeepsBinaryBytes) {
  const std::string bytes("SQLite format 3\0\x10\x00\xff", 19);
  const std::string path = Write("data.db", bytes);
  EXPECT_EQ(ReadFileHead(path, 16), bytes.substr(0, 16));
  EXPECT_EQ(ReadFileHead(path, 100), bytes);
  EXPECT_EQ(ReadFileHead(path, 0), "");
}

TEST_F(FilesTest, HeadOfMissingFileOrFolderIsEmpty) {
  EXPECT_EQ(ReadFileHead(Utf8(Folder / "missing.db"), 16), "");
  EXPECT_EQ(ReadFileHead(Utf8(Folder), 16), "");
}

TEST_F(FilesTest, HeadIsReadWhileAnotherWriterHoldsTheFile) {
  const std::string path = Write("busy.db", "");
  std::ofstream writer(Folder / "busy.db", std::ios::binary);
  writer << "locked" << std::flush;
  EXPECT_EQ(ReadFileHead(path, 6), "locked");
}

TEST_F(FilesTest, NonAsciiPathsWork) {
  const std::string path = Write(u8"\u00e5ngstr\u00f6m-\u0416.db", "abc");
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(ReadFileHead(path, 3), "abc");
}

}  // namespace
