#pragma once
// A data file built from a catalogue in a fresh temporary folder, edited by a statement (to add
// comments), then opened as the terminal lookup opens it; at the end it must be unchanged.

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

#include "data/LiteDb.h"
#include "tests/support/TempFolder.h"
#include "tools/mkdb/catalogue/DataFileBuilder.h"
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
    Opened.reset();  // connections to one file in one process share its engine connection
    {
      TLiteDB writer;
      ASSERT_TRUE(writer.Use(File.string()));
      ASSERT_TRUE(writer.Query(statement)) << writer.GetErrorMessage();
    }
    Before = FileBytes(File);
    TArguments arguments;
    arguments.Options["--db"] = File.string();
    Opened = std::make_unique<TOerrDataFile>(arguments);
    ASSERT_TRUE(Opened->Open(Context)) << Err.str();
  }
  void TearDown() override { EXPECT_EQ(FileBytes(File), Before); }

  TLiteDB& Db() { return Opened->File().Db(); }

  TTempFolder Folder;
  std::filesystem::path File = Folder.Path() / "tolv2_msg.db";
  std::string Before;
  std::istringstream In;
  std::ostringstream Out, Err;
  TToolContext Context{"tolvane-oerr", In, Out, Err, false};
  std::unique_ptr<TOerrDataFile> Opened;
};
