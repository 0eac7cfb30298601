#pragma once
// A data file built from a catalogue in a fresh temporary folder, edited by a statement (to add
// comments), then opened as the terminal lookup opens it; at the end it must be unchanged.

#include <gtest/gtest.h>

#include "data/LiteDb.h"
#include "tests/tools/TempFolder.h"
#include "tools/mkdb/DataFileBuilder.h"
#include "tools/oerr/OerrDataFile.h"

class TBuiltDataFile : public testing::Test {
 protected:
  void Build(const TCatalogue& catalogue, const std::string& statement) {
    std::string error;
    ASSERT_TRUE(BuildDataFile(File.string(), catalogue, error)) << error;
    Edit(statement);
  }
  // Changes the built file with `statement` and opens it (again) as the lookup does.
  void Edit(const std::string& statement) {
    DB.Close();  // connections to one file in one process share its engine connection
    {
      TLiteDB writer;
      ASSERT_TRUE(writer.Use(File.string()));
      ASSERT_TRUE(writer.Query(statement)) << writer.GetErrorMessage();
    }
    Before = FileBytes(File);
    Opened = OpenOerrDataFile(DB, File.string());
    ASSERT_EQ(Opened.Problems, std::vector<std::string>{});
  }
  void TearDown() override { EXPECT_EQ(FileBytes(File), Before); }

  TTempFolder Folder;
  std::filesystem::path File = Folder.Path() / "tolv2_msg.db";
  std::string Before;
  TLiteDB DB;
  TOerrDataFile Opened;
};
