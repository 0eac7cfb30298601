#pragma once
// A connection to a fresh SQLite 3 file in a temporary folder, holding a small table `msg`
// (id, code, text) of three rows.

#include <gtest/gtest.h>

#include <string>

#include "data/LiteDb.h"
#include "tests/support/TempFolder.h"

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

  TTempFolder Dir;
  std::string Path = Dir.File("test.db");
  TLiteDB Db;
};
