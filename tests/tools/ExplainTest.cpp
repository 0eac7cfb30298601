// Explaining every error of pasted stacks and logs against a built data file.
#include "tools/oerr/Explain.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>

#include "data/LiteDb.h"
#include "tests/tools/TempFolder.h"
#include "tools/mkdb/DataFileBuilder.h"
#include "tools/oerr/OerrDataFile.h"

namespace {

std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TCatalogue StackCatalogue() {
  TCatalogue catalogue;
  catalogue.Prefixes = {{"ORA", "Server"}, {"PLS", "PL/SQL"}, {"TNS", "Net"}};
  TCatalogueVersion v19{"19c", {}};
  v19.Messages["ORA"] = {{"06512", "at %sline %s", "Backtrace.", "Fix the error above."},
                         {"06550", "line %s, column %s:\\n%s", "PL/SQL failed.", "Fix it."}};
  v19.Messages["PLS"] = {
      {"00201", "identifier '%s' must be declared", "Unknown name.", "Declare."}};
  v19.Messages["TNS"] = {{"12541", "TNS:no listener", "Nobody listens.", "Start it."},
                         {"12560", "TNS:protocol adapter error", "Adapter.", "Check."}};
  TCatalogueVersion v12{"12.2", {}};
  v12.Messages["TNS"] = {{"12541", "TNS:no listener", "Nobody listened.", "Start it."}};
  catalogue.Versions = {v19, v12};
  return catalogue;
}

class ExplainTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(BuildDataFile(File.string(), StackCatalogue(), error)) << error;
    TLiteDB writer;
    ASSERT_TRUE(writer.Use(File.string()));
    ASSERT_TRUE(
        writer.Query("INSERT INTO usr_comment (e_fk, commentary, lastdate) SELECT e_pk, "
                     "'it''s \"the\" C:\\path, Gr\xC3\xB6\xC3\x9F"
                     "e', '' FROM error WHERE e_code = '00201'"));
    Before = FileBytes(File);
    const TOerrDataFile opened = OpenOerrDataFile(DB, File.string());
    ASSERT_TRUE(opened.Problems.empty());
    Prefixes = opened.Prefixes;
  }
  void TearDown() override { EXPECT_EQ(FileBytes(File), Before); }

  struct TResult {
    int Status;
    std::string Out;
    std::string Errors;
  };
  TResult Run(TExplainOptions options, const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, errors;
    const int status = Explain(DB, Prefixes, options, in, out, errors);
    return {status, out.str(), errors.str()};
  }
  std::string Write(const std::string& name, const std::string& content) {
    Folder.Write(name, content);
    return (Folder.Path() / name).string();
  }

  TTempFolder Folder;
  std::filesystem::path File = Folder.Path() / "tolv2_msg.db";
  std::string Before;
  TLiteDB DB;
  std::vector<std::string> Prefixes;
};

const char* const kStack =
    "SQL> exec do_it;\r\n"
    "BEGIN do_it; END;\r\n"
    "\r\n"
    "*\r\n"
    "ERROR at line 1:\r\n"
    "ORA-06550: line 1, column 7:\r\n"
    "PLS-00201: identifier 'DO_IT' must be declared\r\n"
    "ORA-06550: line 1, column 7:\r\n"
    "PL/SQL: Statement ignored (see ora-6512, XORA-1 and ORA-123abc); pls-99999\r\n";

TEST_F(ExplainTest, AStackGivesEachErrorOnceInOrderAndTheUnknownLast) {
  const TResult result = Run({{}, std::nullopt, false, 0}, kStack);
  EXPECT_EQ(result.Status, 0);
  EXPECT_EQ(result.Errors, "");
  EXPECT_EQ(result.Out,
            "ORA-06550: seen 2 times, first on line 6 of (standard input)\n"
            "06550, 00000, \"line %s, column %s:\\n%s\"\n"
            "// *Cause:  PL/SQL failed.\n"
            "// *Action: Fix it.\n"
            "\n"
            "PLS-00201: seen 1 time, first on line 7 of (standard input)\n"
            "00201, 00000, \"identifier '%s' must be declared\"\n"
            "// *Cause:  Unknown name.\n"
            "// *Action: Declare.\n"
            "// *My comment: it's \"the\" C:\\path, Gr\xC3\xB6\xC3\x9F"
            "e\n"
            "\n"
            "ORA-06512: seen 1 time, first on line 9 of (standard input)\n"
            "06512, 00000, \"at %sline %s\"\n"
            "// *Cause:  Backtrace.\n"
            "// *Action: Fix the error above.\n"
            "\n"
            "Not in the data file:\n"
            "  PLS-99999: seen 1 time, first on line 9 of (standard input)\n");
}

TEST_F(ExplainTest, ListenerLogsFilesAndStandardInputTogether) {
  std::string log;
  for (int line = 1; line <= 300; ++line) {
    log += line % 3 == 0 ? "TNS-12541: TNS:no listener\n"
                         : "07-DEC-2026 10:00:01 * (CONNECT_DATA=...) * establish * 12541\n";
  }
  log += "  TNS-12560: TNS:protocol adapter error";  // no line break at the end
  const std::string first = Write("listener.log", log);
  const std::string second = Write("more.log", "tns-12541\n");
  const std::string missing = (Folder.Path() / "gone.log").string();
  const TResult result =
      Run({{first, missing, "-", second, Folder.Path().string()}, std::nullopt, false, 0},
          "nothing here\nORA-00001 (a prefix the file has not)\n");
  EXPECT_EQ(result.Status, 0);
  EXPECT_EQ(result.Errors, missing + ": No such file or directory\n" + Folder.Path().string() +
                               ": Is a directory\n");
  EXPECT_EQ(result.Out.substr(0, result.Out.find('\n', result.Out.find('\n') + 1)),
            "TNS-12541: seen 101 times, first on line 3 of " + first + "\nVersion 12.2");
  EXPECT_NE(result.Out.find("TNS-12560: seen 1 time, first on line 301 of " + first),
            std::string::npos);

  // One version only: its messages, and the others' codes are then unknown.
  const TResult v12 = Run({{first}, "12.2", false, 0});
  EXPECT_EQ(v12.Out.find("Version"), std::string::npos) << v12.Out;
  EXPECT_NE(v12.Out.find("Not in the data file for version 12.2:\n  TNS-12560: seen 1 time"),
            std::string::npos)
      << v12.Out;
}

TEST_F(ExplainTest, JsonLinesParseAndKeepTheText) {
  const TResult result = Run({{}, std::nullopt, true, 0}, kStack);
  EXPECT_EQ(result.Status, 0);
  std::istringstream lines(result.Out);
  std::vector<nlohmann::json> objects;
  for (std::string line; std::getline(lines, line);) {
    objects.push_back(nlohmann::json::parse(line));
  }
  ASSERT_EQ(objects.size(), 4u);
  EXPECT_EQ(objects[1]["prefix"], "PLS");
  EXPECT_EQ(objects[1]["code"], "00201");
  EXPECT_EQ(objects[1]["version"], "19c");
  EXPECT_EQ(objects[1]["comment"],
            "it's \"the\" C:\\path, Gr\xC3\xB6\xC3\x9F"
            "e");
  EXPECT_EQ(objects[1]["count"], 1);
  EXPECT_EQ(objects[1]["file"], "(standard input)");
  EXPECT_EQ(objects[1]["line"], 7);
  EXPECT_TRUE(objects[0]["comment"].is_null());
  EXPECT_TRUE(objects[3]["version"].is_null());  // the unknown PLS-99999
  EXPECT_EQ(objects[3]["code"], "99999");
}

TEST_F(ExplainTest, TextWithoutKnownErrorsAndBinaryGarbage) {
  EXPECT_EQ(Run({{}, std::nullopt, false, 0}, "all is well\nFOO-1 bar-2\n").Status, 1);
  EXPECT_EQ(Run({{}, std::nullopt, false, 0}, "").Out, "");
  std::mt19937 random(7);
  std::string garbage(1 << 20, '\0');
  for (char& byte : garbage) {
    byte = static_cast<char>(random());
  }
  const TResult result = Run({{Write("core.bin", garbage)}, std::nullopt, true, 0});
  EXPECT_EQ(result.Status, 1);
  EXPECT_EQ(result.Errors, "");
}

}  // namespace
