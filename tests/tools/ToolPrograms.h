#pragma once
// The programs as a user runs them: a working folder of their own (not the programs' folder)
// holding a data file tolv2_msg.db with two versions and a comment, named by bare names as a
// user types them.

#include <gtest/gtest.h>

#include "data/LiteDb.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TextCases.h"
#include "tests/tools/support/ProgramRun.h"
#include "tools/mkdb/catalogue/DataFileBuilder.h"

class TToolPrograms : public testing::Test {
 protected:
  void SetUp() override {
    TCatalogue catalogue;
    catalogue.Prefixes = {{"ORA", "Server"}, {"TNS", "Net"}};
    TCatalogueVersion v9{"9.2", {}};
    v9.Messages["ORA"] = {{"00942", "table or view does not exist", "Not there.", "Look."}};
    TCatalogueVersion v10 = v9;
    v10.Name = "10.2";
    v10.Messages["ORA"].push_back({"01017", "invalid username/password", "Wrong.", "Retry."});
    v10.Messages["TNS"] = {{"12541", "TNS:no listener", "Nobody listens.", "Start it."}};
    catalogue.Versions = {v10, v9};
    std::string error;
    ASSERT_TRUE(BuildDataFile(Path("tolv2_msg.db"), catalogue, error)) << error;
    TLiteDB db(Path("tolv2_msg.db"));
    ASSERT_TRUE(db.Query(
        "INSERT INTO usr_comment (e_fk, commentary, lastdate) SELECT e_pk, 'mine', '2024-01-01' "
        "FROM error JOIN version ON vers_pk = vers_fk WHERE vers_name = '10.2' AND e_code = "
        "'00942'"));
  }

  std::string Path(const std::string& name) const { return Work.File(name); }

  // A program started in the working folder, written as the user types it but for the
  // program's name: "oerr WORDS..." or "mkdb WORDS...".
  TProgramStart Start(const std::string& line) const {
    std::vector<std::string> words = Words(line);
    const std::string program = "tolvane-" + words.front();
    words.erase(words.begin());
    return {program, words, Work.File("")};
  }

  TTempFolder Work;
};
