// The terminal lookup on data files built in temporary folders: its command line, the codes a
// typed code stands for, the lookups and searches with their layout, and the program itself
// with its exit codes, leaving the file as it was.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "data/LiteDb.h"
#include "tests/tools/TempFolder.h"
#include "tools/mkdb/DataFileBuilder.h"
#include "tools/oerr/MessageLookup.h"
#include "tools/oerr/OerrCommandLine.h"
#include "tools/oerr/OerrDataFile.h"
#include "tools/oerr/OerrLayout.h"

namespace {

using TMode = TOerrRequest::TMode;
using TStrings = std::vector<std::string>;

std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Two versions, listed out of name order, a prefix with four-digit codes, a message without
// a cause, a code with a letter, and a comment on one version's message.
TCatalogue OerrCatalogue() {
  TCatalogue catalogue;
  catalogue.Prefixes = {{"ORA", "Server"}, {"TNS", "Net"}, {"SP2", "SQL*Plus"}};
  catalogue.Settings = {{"max_fetch_rows", "3"}};
  TCatalogueVersion v9{"9.2", {}};
  v9.Messages["ORA"] = {{"00942", "table or view does not exist", "It is not there.", "Look."}};
  TCatalogueVersion v10{"10.2", {}};
  v10.Messages["ORA"] = {
      {"00942", "table or view does not exist", "Not there,\nor hidden.", "Check the name."},
      {"01017", "invalid username/password; logon denied", std::nullopt, "Retry."},
      {"0060A", "a code with a letter", "", ""},
      {"01918", "user '%s' does not exist", "Gone.", "Create it."}};
  v10.Messages["TNS"] = {{"12541", "TNS:no listener", "Nobody listens.", "Start it."}};
  v10.Messages["SP2"] = {{"0310", "unable to open file \"%s\"", "Missing file.", "Check it."}};
  catalogue.Versions = {v10, v9};
  return catalogue;
}

class OerrTest : public testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(BuildDataFile(File.string(), OerrCatalogue(), error)) << error;
    TLiteDB writer;
    ASSERT_TRUE(writer.Use(File.string()));
    ASSERT_TRUE(writer.Query(
        "INSERT INTO usr_comment (e_fk, commentary, lastdate) SELECT e_pk, "
        "'it''s \"ours\" \\ Gr\xC3\xB6\xC3\x9F"
        "e \xF0\x9F\x93\xA6', current_timestamp FROM error e, version v "
        "WHERE e.vers_fk = v.vers_pk AND v.vers_name = '10.2' AND e.e_code = '00942'"));
  }

  TOerrDataFile Open() {
    TOerrDataFile opened = OpenOerrDataFile(DB, File.string());
    EXPECT_EQ(opened.Problems, TStrings{});
    return opened;
  }

  TTempFolder Folder;
  std::filesystem::path File = Folder.Path() / "tolv2_msg.db";
  TLiteDB DB;
};

TEST(OerrCommandLineTest, FormsOfTheRequestAndWhatIsWrong) {
  const struct {
    TStrings Arguments;
    TMode Mode;
    const char* Facility;
    const char* Code;
    const char* Words;
  } accepted[] = {
      {{"ora", "942"}, TMode::Lookup, "ora", "942", ""},
      {{"ORA-00942"}, TMode::Lookup, "ORA", "00942", ""},
      {{"--version", "9.2", "tns-12541", "--db", "x.db"}, TMode::Lookup, "tns", "12541", ""},
      {{"--grep", "it's 100%", "tns"}, TMode::Grep, "tns", "", "it's 100%"},
      {{"--comment", "w"}, TMode::Comment, "", "", "w"},
      {{"explain", "a.log", "-", "explain"}, TMode::Explain, "", "", ""},
      {{"--json", "explain"}, TMode::Explain, "", "", ""},
      {{"ora", "--help"}, TMode::Help, "", "", ""},
  };
  for (const auto& c : accepted) {
    const auto parsed = ParseOerrCommandLine(c.Arguments);
    ASSERT_TRUE(std::holds_alternative<TOerrRequest>(parsed)) << c.Arguments[0];
    const TOerrRequest& request = std::get<TOerrRequest>(parsed);
    EXPECT_EQ(request.Mode, c.Mode) << c.Arguments[0];
    if (c.Mode != TMode::Help) {
      EXPECT_EQ(request.Facility, c.Facility);
      EXPECT_EQ(request.Code, c.Code);
      EXPECT_EQ(request.Words, c.Words);
    }
  }
  const auto explain =
      std::get<TOerrRequest>(ParseOerrCommandLine({"explain", "a", "-", "explain"}));
  EXPECT_EQ(explain.Inputs, (TStrings{"a", "-", "explain"}));
  const auto options = std::get<TOerrRequest>(
      ParseOerrCommandLine({"--version", "9.2", "tns-12541", "--db", "x.db"}));
  EXPECT_EQ(options.Version, "9.2");
  EXPECT_EQ(options.DataFile, "x.db");

  for (const TStrings& wrong : std::vector<TStrings>{{},
                                                     {"ora"},
                                                     {"ora-"},
                                                     {"-942"},
                                                     {"--grep"},
                                                     {"--db"},
                                                     {"--bogus", "ora", "1"},
                                                     {"ora", "--bogus", "1"},
                                                     {"-x"},
                                                     {"--json", "ora", "1"},
                                                     {"--grep", "a", "--comment", "b"},
                                                     {"a", "b", "c"},
                                                     {"--grep", "a", "ora", "tns"},
                                                     {"--grep", ""},
                                                     {"--comment", " \t\n", "ora"}}) {
    EXPECT_TRUE(std::holds_alternative<std::string>(ParseOerrCommandLine(wrong)))
        << (wrong.empty() ? "(none)" : wrong[0]);
  }
}

TEST(OerrCommandLineTest, ACodeStandsForItsPaddedForms) {
  EXPECT_EQ(CodeCandidates("942"), (TStrings{"942", "0942", "00942", "000942", "0000942",
                                             "00000942", "000000942", "0000000942"}));
  EXPECT_EQ(CodeCandidates("00942"), CodeCandidates("942"));
  EXPECT_EQ(CodeCandidates("0").front(), "0");
  EXPECT_EQ(CodeCandidates("0060a"), TStrings{"0060A"});
  EXPECT_EQ(FindPrefix({"ORA", "SP2"}, "sp2"), "SP2");
  EXPECT_EQ(FindPrefix({"ORA"}, "or"), std::nullopt);
}

TEST(OerrLayoutTest, WrapsAtBlanksOnlyForATerminal) {
  const std::string text = "one two  three \xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4 fivefivefive\r\nsix";
  EXPECT_EQ(WrapText(text, "> ", "  ", 0),
            (TStrings{"> one two  three \xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4 fivefivefive", "  six"}));
  // Characters, not bytes, count: "  three ääää" would take twelve.
  EXPECT_EQ(WrapText(text, "> ", "  ", 11),
            (TStrings{"> one two ", "  three", "  \xC3\xA4\xC3\xA4\xC3\xA4\xC3\xA4",
                      "  fivefivefive", "  six"}));
  EXPECT_EQ(WrapText("", "> ", "  ", 12), TStrings{"> "});
}

TEST_F(OerrTest, LooksUpEveryVersionInTheSearchOrderWithTheComment) {
  const TOerrDataFile file = Open();
  EXPECT_EQ(file.Prefixes, (TStrings{"ORA", "TNS", "SP2"}));
  EXPECT_EQ(file.RowLimit, "3");
  const TLookupOutcome found = LookUpMessages(DB, "ORA", "942", std::nullopt);
  ASSERT_TRUE(found.Ok) << found.Error;
  EXPECT_EQ(FormatMessages(found.Messages, 0),
            "Version 10.2\n"
            "00942, 00000, \"table or view does not exist\"\n"
            "// *Cause:  Not there,\n"
            "//          or hidden.\n"
            "// *Action: Check the name.\n"
            "// *My comment: it's \"ours\" \\ Gr\xC3\xB6\xC3\x9F"
            "e \xF0\x9F\x93\xA6\n"
            "\n"
            "Version 9.2\n"
            "00942, 00000, \"table or view does not exist\"\n"
            "// *Cause:  It is not there.\n"
            "// *Action: Look.\n");
  const struct {
    const char* Prefix;
    const char* Code;
    std::optional<std::string> Version;
    TStrings Found;  // version and code of each message
  } cases[] = {
      {"ORA", "00942", "9.2", {"9.2 00942"}},      {"ORA", "942", "19c", {}},
      {"SP2", "310", std::nullopt, {"10.2 0310"}}, {"ORA", "0060a", std::nullopt, {"10.2 0060A"}},
      {"ORA", "99999", std::nullopt, {}},          {"TNS", "942", std::nullopt, {}},
  };
  for (const auto& c : cases) {
    const TLookupOutcome outcome = LookUpMessages(DB, c.Prefix, c.Code, c.Version);
    TStrings seen;
    for (const TFoundMessage& message : outcome.Messages) {
      seen.push_back(message.Version + " " + message.Code);
    }
    EXPECT_EQ(seen, c.Found) << c.Prefix << " " << c.Code;
  }
  // A NULL cause is the label alone.
  const TLookupOutcome noCause = LookUpMessages(DB, "ORA", "1017", std::nullopt);
  ASSERT_EQ(noCause.Messages.size(), 1u);
  EXPECT_EQ(noCause.Messages[0].Cause, std::nullopt);
  EXPECT_NE(FormatMessage(noCause.Messages[0], 80).find("\n// *Cause:\n// *Action: Retry.\n"),
            std::string::npos);
}

TEST_F(OerrTest, SearchesAsTheWindowDoes) {
  const TOerrDataFile file = Open();
  const auto matches = [&](const std::string& words, bool comment, const std::string& prefix) {
    const TLookupOutcome found =
        SearchMessages(DB, words, comment, prefix, std::nullopt, file.RowLimit);
    EXPECT_TRUE(found.Ok) << found.Error;
    std::string out;
    for (const TFoundMessage& message : found.Messages) {
      out += FormatMatch(message, 0);
    }
    return out;
  };
  EXPECT_EQ(matches("does not%exist", false, ""),
            "ORA-00942  10.2  table or view does not exist\n"
            "ORA-01918  10.2  user '%s' does not exist\n"
            "ORA-00942  9.2  table or view does not exist\n");
  EXPECT_EQ(matches("user '%s'", false, "ORA"), "ORA-01918  10.2  user '%s' does not exist\n");
  EXPECT_EQ(matches("no listener", false, "ORA"), "");
  // The row limit of the data file holds, and comment words fold beyond ASCII.
  const std::string limited = matches("e", false, "");
  EXPECT_EQ(std::count(limited.begin(), limited.end(), '\n'), 3) << limited;
  EXPECT_EQ(matches("gr\xC3\x96\xC3\x9F"
                    "e",
                    true, ""),
            "ORA-00942  10.2  table or view does not exist\n");
}

// The program itself: its exit codes, what it says, and the file left as it was, also while
// another connection holds a write transaction on it.
class OerrProgramTest : public OerrTest {
 protected:
  struct TRun {
    int Status;
    std::string Out;
  };
  TRun Run(const std::string& arguments) {
    const std::string command = "'" TOLVANE_OERR "' " + arguments + " 2>&1";
    FILE* pipe = popen(command.c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
      out.append(buffer, n);
    }
    const int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, out};
  }
  std::string Db() { return "--db '" + File.string() + "' "; }
};

TEST_F(OerrProgramTest, ExitCodesAndTheFileLeftAsItWas) {
  const std::string before = FileBytes(File);
  {
    TLiteDB window;  // the window, writing a comment right now
    ASSERT_TRUE(window.Use(File.string()));
    ASSERT_TRUE(window.Query("BEGIN IMMEDIATE; UPDATE usr_comment SET commentary = 'x'"));
    const TRun found = Run(Db() + "ora-942 --version 10.2");
    EXPECT_EQ(found.Status, 0) << found.Out;
    EXPECT_EQ(found.Out.substr(0, 45), "00942, 00000, \"table or view does not exist\"\n");
    ASSERT_TRUE(window.Query("ROLLBACK"));
  }
  EXPECT_EQ(Run(Db() + "ORA 00942").Status, 0);
  EXPECT_EQ(Run(Db() + "--grep 'does not%exist' ora").Status, 0);
  EXPECT_EQ(Run(Db() + "ora 99999").Out, "tolvane-oerr: no message ORA-99999\n");
  EXPECT_EQ(Run(Db() + "ora 99999").Status, 1);
  EXPECT_EQ(Run(Db() + "xyz 1").Status, 1);
  EXPECT_EQ(Run(Db() + "--comment nothing-like-it").Status, 1);
  EXPECT_EQ(Run(Db() + "ora").Status, 2);
  EXPECT_EQ(Run("--help").Status, 0);
  EXPECT_EQ(FileBytes(File), before);

  const TRun missing = Run("--db '" + (Folder.Path() / "none.db").string() + "' ora 942");
  EXPECT_EQ(missing.Status, 3);
  EXPECT_NE(missing.Out.find("ERROR: tolv2_msg.db not found"), std::string::npos) << missing.Out;
  EXPECT_FALSE(std::filesystem::exists(Folder.Path() / "none.db"));
  Folder.Write("garbage.db", std::string(4096, 'g'));
  const TRun garbage = Run("--db '" + (Folder.Path() / "garbage.db").string() + "' ora 942");
  EXPECT_EQ(garbage.Status, 3);
  EXPECT_NE(garbage.Out.find("E: Datafile is broken"), std::string::npos) << garbage.Out;
  {
    TLiteDB edit;
    ASSERT_TRUE(edit.Use(File.string()));
    ASSERT_TRUE(edit.Query("UPDATE sys_data SET value = '21' WHERE param = 'min_req_exe_vers'"));
  }
  const TRun tooNew = Run(Db() + "ora 942");
  EXPECT_EQ(tooNew.Status, 3);
  EXPECT_NE(tooNew.Out.find("Program's version too old."), std::string::npos) << tooNew.Out;
}

}  // namespace
