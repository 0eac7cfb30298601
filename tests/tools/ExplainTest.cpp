// Explaining every error of pasted stacks and logs against a built data file.
#include "tools/oerr/Explain.h"

#include <algorithm>
#include <nlohmann/json.hpp>
#include <random>
#include <sstream>
#include <tuple>

#include "tests/support/TextCases.h"
#include "tests/tools/BuiltDataFile.h"

namespace {

class ExplainTest : public TBuiltDataFile {
 protected:
  void SetUp() override {
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
    Build(catalogue,
          "INSERT INTO usr_comment (e_fk, commentary, lastdate) SELECT e_pk, "
          "'it''s \"the\" C:\\path, Gr\u00f6\u00dfe', '' FROM error WHERE e_code = '00201'");
  }

  // The exit code, the output and the errors.
  std::tuple<int, std::string, std::string> Run(const TExplainOptions& options,
                                                const std::string& input = {}) {
    std::istringstream in(input);
    std::ostringstream out, errors;
    TToolContext context("tolvane-oerr", in, out, errors, false);
    const int status = Explain(Opened->File(), Opened->Prefixes(), options, context);
    return {status, out.str(), errors.str()};
  }
};

const char* const kStack =
    "SQL> exec do_it;\r\nBEGIN do_it; END;\r\n\r\n*\r\nERROR at line 1:\r\n"
    "ORA-06550: line 1, column 7:\r\n"
    "PLS-00201: identifier 'DO_IT' must be declared\r\n"
    "ORA-06550: line 1, column 7:\r\n"
    "PL/SQL: Statement ignored (see ora-6512, XORA-1 and ORA-123abc); pls-99999\r\n";

TEST_F(ExplainTest, AStackGivesEachErrorOnceInOrderAndTheUnknownLast) {
  const auto [status, out, errors] = Run({}, kStack);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(errors, "");
  EXPECT_EQ(out,
            "ORA-06550: seen 2 times, first on line 6 of (standard input)\n"
            "06550, 00000, \"line %s, column %s:\\n%s\"\n"
            "// *Cause:  PL/SQL failed.\n"
            "// *Action: Fix it.\n\n"
            "PLS-00201: seen 1 time, first on line 7 of (standard input)\n"
            "00201, 00000, \"identifier '%s' must be declared\"\n"
            "// *Cause:  Unknown name.\n"
            "// *Action: Declare.\n"
            "// *My comment: it's \"the\" C:\\path, Gr\u00f6\u00dfe\n\n"
            "ORA-06512: seen 1 time, first on line 9 of (standard input)\n"
            "06512, 00000, \"at %sline %s\"\n"
            "// *Cause:  Backtrace.\n"
            "// *Action: Fix the error above.\n\n"
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
  const std::string first = Folder.Write("listener.log", log);
  const std::string missing = (Folder.Path() / "gone.log").string();
  const std::string second = Folder.Write("more.log", "tns-12541\n");
  const auto [status, out, errors] =
      Run({{first, missing, "-", second, Folder.Path().string()}, std::nullopt, false, 0},
          "nothing here\nORA-00001 (a code no version has)\n");
  EXPECT_EQ(status, 0);
  // Warnings, since other inputs could be read.
  EXPECT_EQ(errors, "tolvane-oerr: warning: " + missing +
                        ": no such file\ntolvane-oerr: warning: " + Folder.Path().string() +
                        ": is a folder\n");
  EXPECT_EQ(out.substr(0, out.find('\n', out.find('\n') + 1)),
            "TNS-12541: seen 101 times, first on line 3 of " + first + "\nVersion 12.2");
  EXPECT_TRUE(Contains(out, "TNS-12560: seen 1 time, first on line 301 of " + first));

  // One version only: its messages, and the others' codes are then unknown.
  const std::string v12 = std::get<1>(Run({{first}, "12.2", false, 0}));
  EXPECT_EQ(v12.find("Version"), std::string::npos) << v12;
  EXPECT_TRUE(Contains(v12, "Not in the data file for version 12.2:\n  TNS-12560: seen 1 time"));
}

// One object a line per distinct error, as --help says, with every version that has it.
TEST_F(ExplainTest, JsonLinesParseAndKeepTheText) {
  const auto [status, out, errors] =
      Run({{}, std::nullopt, true, 0}, kStack + std::string("tns-12541\n"));
  EXPECT_EQ(status, 0);
  std::istringstream lines(out);
  std::vector<nlohmann::json> objects;
  for (std::string line; std::getline(lines, line);) {
    objects.push_back(nlohmann::json::parse(line));
  }
  ASSERT_EQ(objects.size(), 5u);
  EXPECT_EQ(objects[1], nlohmann::json::parse(R"j({"prefix": "PLS", "code": "00201", "count": 1,
      "file": "(standard input)", "line": 7, "versions": [{"version": "19c", "code": "00201",
      "message": "identifier '%s' must be declared", "cause": "Unknown name.",
      "action": "Declare.", "comment": "it's \"the\" C:\\path, Gr\u00f6\u00dfe"}]})j"));
  EXPECT_EQ(objects[0]["versions"][0]["comment"], nullptr);
  EXPECT_EQ(objects[3]["versions"].size(), 2u);  // TNS-12541 of 19c and 12.2, in one object
  EXPECT_EQ(objects[4]["versions"], nlohmann::json::array());  // the unknown PLS-99999
  EXPECT_EQ(objects[4]["code"], "99999");
}

// A comment of 50,000,000 characters (twice the fetch memory bound of 32 MiB as UTF-16) is
// given whole. The text form lays it out as the lookup does (OerrTest).
TEST_F(ExplainTest, AHugeCommentIsGivenWhole) {
  Edit("UPDATE usr_comment SET commentary = replace(hex(zeroblob(10000000)), '00', 'word ')");
  std::string comment;
  for (int word = 0; word < 10'000'000; ++word) {
    comment += "word ";
  }
  const auto [status, out, errors] = Run({{}, std::nullopt, true, 0}, kStack);
  EXPECT_EQ(status, 0) << errors;
  EXPECT_NE(out.find("\"comment\":\"" + comment + "\",\"message\":"), std::string::npos)
      << out.substr(0, 1000);
}

TEST_F(ExplainTest, TextWithoutKnownErrorsAndBinaryGarbage) {
  EXPECT_EQ(Run({}, "all is well\nFOO-1 bar-2\n"), std::tuple(1, "", ""));
  std::mt19937 random(7);
  std::string garbage(1 << 20, '\0');
  std::generate(garbage.begin(), garbage.end(), [&random] { return static_cast<char>(random()); });
  EXPECT_EQ(Run({{Folder.Write("core.bin", garbage)}, std::nullopt, true, 0}),
            std::tuple(1, "", ""));
}

}  // namespace
