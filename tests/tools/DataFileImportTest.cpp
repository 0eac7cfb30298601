#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "data/LiteDb.h"
#include "tests/tools/TempFolder.h"
#include "tools/mkdb/DataFileBuilder.h"
#include "tools/mkdb/VersionImport.h"

namespace fs = std::filesystem;

namespace {

std::string FileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The first field of the statement's first row.
std::string Value(const fs::path& file, const std::string& sql) {
  TLiteDB db(file.string());
  EXPECT_TRUE(db.Query(sql) && db.RowCount() > 0) << db.GetErrorMessage();
  return db.RowCount() > 0 ? db.Row(0).Field(0).Value : std::string();
}

// Only the data file itself: no temporary file left beside it.
bool OnlyTheDataFileIn(const fs::path& folder) {
  return std::distance(fs::directory_iterator(folder), fs::directory_iterator()) == 1;
}

TOracleHomeVersion ReadHome(const TTempFolder& home, const std::string& version) {
  TOracleHomeVersion read;
  std::vector<std::string> warnings;
  std::string error;
  EXPECT_TRUE(ReadOracleHome(home.Path(), version, read, warnings, error)) << error;
  return read;
}

TEST(DataFileImportTest, AddCreatesThenExtendsAndRefusesAVersionTwice) {
  TTempFolder home;
  home.Write("lib/facility.lis", "ora:rdbms:*:Database server\n");
  home.Write("rdbms/mesg/oraus.msg", "00942, 0, \"gone\"\n// *Cause: dropped\n");
  TTempFolder out;
  const fs::path file = out.Path() / "tolv2_msg.db";
  TImportSummary summary;
  std::string error;
  ASSERT_TRUE(AddVersionToDataFile(file.string(), ReadHome(home, "10.2"), nullptr, summary, error))
      << error;

  home.Write("lib/facility.lis", "tns:network:*:Net\nora:rdbms:*:A new description\n");
  home.Write("network/mesg/tnsus.msg", "12154, 0, \"alias\"\n");
  ASSERT_TRUE(AddVersionToDataFile(file.string(), ReadHome(home, "11.2"), nullptr, summary, error))
      << error;
  EXPECT_EQ(summary.NewPrefixes, 1);
  EXPECT_EQ(summary.Messages, 2);
  EXPECT_EQ(Value(file, "SELECT group_concat(vers_name, ' ') FROM version"), "10.2 11.2");
  // A prefix the file already has keeps its description.
  EXPECT_EQ(Value(file, "SELECT group_concat(pref_desc, '|') FROM prefix"), "Database server|Net");
  EXPECT_EQ(Value(file, "SELECT count(*) FROM error"), "3");
  EXPECT_EQ(Value(file, "SELECT count(*) FROM sys_data WHERE param='min_req_exe_vers'"), "1");

  const std::string before = FileBytes(file);
  EXPECT_FALSE(
      AddVersionToDataFile(file.string(), ReadHome(home, "11.2"), nullptr, summary, error));
  EXPECT_NE(error.find("already has version \"11.2\""), std::string::npos) << error;
  EXPECT_EQ(FileBytes(file), before);
  EXPECT_TRUE(OnlyTheDataFileIn(out.Path()));
}

TEST(DataFileImportTest, FailedBuildLeavesTheOldFileAndNoTemporaryFile) {
  TTempFolder out;
  const fs::path file = out.Path() / "tolv2_msg.db";
  TCatalogue good;
  good.Prefixes = {{"ORA", "x"}};
  good.Versions = {{"1", {{"ORA", {{"00001", "one", "c", "a"}}}}}};
  std::string error;
  ASSERT_TRUE(BuildDataFile(file.string(), good, error)) << error;
  const std::string before = FileBytes(file);

  TCatalogue unlisted = good;
  unlisted.Versions[0].Messages["TNS"] = {{"12154", "two", "c", "a"}};
  EXPECT_FALSE(BuildDataFile(file.string(), unlisted, error));
  EXPECT_NE(error.find("unlisted prefix \"TNS\""), std::string::npos) << error;

  // Step 4 would exchange the two halves of the emoji's surrogate pair.
  TCatalogue split = good;
  split.Versions[0].Messages["ORA"] = {{"0734", "m", "ab\xF0\x9F\x98\x80", "a"}};
  EXPECT_FALSE(BuildDataFile(file.string(), split, error));
  EXPECT_NE(error.find("message 0734"), std::string::npos) << error;

  EXPECT_EQ(FileBytes(file), before);
  EXPECT_TRUE(OnlyTheDataFileIn(out.Path()));
  EXPECT_FALSE(BuildDataFile((out.Path() / "no" / "such" / "x.db").string(), good, error));
  EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
}

}  // namespace
