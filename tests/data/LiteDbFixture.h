#pragma once
// A fresh temporary directory, and a connection to a fresh SQLite 3 file in one holding a
// small table `msg` (id, code, text) of three rows.

#include <gtest/gtest.h>

#include <filesystem>
#include <random>
#include <string>

#include "data/LiteDb.h"

// Removed with everything in it afterwards.
struct TTempDir {
  TTempDir() { std::filesystem::create_directories(Path); }
  ~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(Path, ignored);
  }

  // UTF-8 path of a file in the directory.
  std::string File(const std::string& name) const {
    const std::u8string text = (Path / name).u8string();
    return std::string(text.begin(), text.end());
  }

  const std::filesystem::path Path = std::filesystem::temp_directory_path() /
                                     ("tolvane-data-" + std::to_string(std::random_device()()));
};

class LiteDbFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Db.UniCode = true;
    ASSERT_TRUE(Db.Use(Path));
    ASSERT_TRUE(Db.Query(
        "CREATE TABLE msg (id INTEGER PRIMARY KEY, code TEXT, text TEXT); INSERT INTO msg "
        "VALUES (1, '00942', 'table or view does not exist'), (2, '01017', 'invalid username')"
        ", (3, '12154', 'could not resolve the connect identifier');"))
        << Db.GetErrorMessage();
  }

  TTempDir Dir;
  std::string Path = Dir.File("test.db");
  TLiteDB Db;
};
