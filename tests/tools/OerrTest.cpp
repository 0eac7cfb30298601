// The terminal lookup on data files built in temporary folders: its command line, the codes a
// typed code stands for, the lookups and searches with their layout, and the program itself
// with its exit codes, leaving the file as it was.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>

#include "tests/tools/BuiltDataFile.h"
#include "tools/oerr/MessageLookup.h"
#include "tools/oerr/OerrCommandLine.h"
#include "tools/oerr/OerrLayout.h"

namespace {

using TStrings = std::vector<std::string>;

// Two versions, listed out of name order, a prefix with four-digit codes, a message without
// a cause, a code with a letter, and a comment on one version's message.
class OerrTest : public TBuiltDataFile {
 protected:
  void SetUp() override {
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
    Build(catalogue,
          "INSERT INTO usr_comment (e_fk, commentary, lastdate) SELECT e_pk, "
          "'it''s \"ours\" \\ Gr\u00f6\u00dfe \U0001F4E6', current_timestamp FROM error e, "
          "version v WHERE e.vers_fk = v.vers_pk AND v.vers_name = '10.2' AND e.e_code = '00942'");
  }
};

// "MODE|FACILITY|CODE|WORDS|VERSION|DATA FILE", then "|" and each input, or "wrong".
std::string Parsed(const TStrings& arguments) {
  const auto parsed = ParseOerrCommandLine(arguments);
  const TOerrRequest* request = std::get_if<TOerrRequest>(&parsed);
  if (request == nullptr) {
    return "wrong";
  }
  const char* const modes[] = {"lookup", "grep", "comment", "explain", "help"};
  std::string text = modes[static_cast<int>(request->Mode)];
  for (const std::string& field : {request->Facility, request->Code, request->Words,
                                   request->Version.value_or(""), request->DataFile.value_or("")}) {
    text += "|" + field;
  }
  for (const std::string& input : request->Inputs) {
    text += "|" + input;
  }
  return text;
}

TEST(OerrCommandLineTest, FormsOfTheRequestAndWhatIsWrong) {
  const struct {
    TStrings Arguments;
    const char* Request;
  } cases[] = {
      {{"ora", "942"}, "lookup|ora|942|||"},
      {{"ORA-00942"}, "lookup|ORA|00942|||"},
      {{"--version", "9.2", "tns-12541", "--db", "x.db"}, "lookup|tns|12541||9.2|x.db"},
      {{"--grep", "it's 100%", "tns"}, "grep|tns||it's 100%||"},
      {{"--comment", "w"}, "comment|||w||"},
      {{"explain", "a.log", "-", "explain"}, "explain||||||a.log|-|explain"},
      {{"--json", "explain"}, "explain|||||"},
      {{"ora", "--help"}, "help|||||"},
      {{}, "wrong"},
      {{"ora"}, "wrong"},
      {{"ora-"}, "wrong"},
      {{"-942"}, "wrong"},
      {{"--grep"}, "wrong"},
      {{"ora", "--bogus", "1"}, "wrong"},
      {{"--json", "ora", "1"}, "wrong"},
      {{"--grep", "a", "--comment", "b"}, "wrong"},
      {{"a", "b", "c"}, "wrong"},
      {{"--grep", "a", "ora", "tns"}, "wrong"},
      {{"--comment", " \t\n", "ora"}, "wrong"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Parsed(c.Arguments), c.Request) << testing::PrintToString(c.Arguments);
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
  const std::string text = "one two  three \u00e4\u00e4\u00e4\u00e4 fivefivefive\r\nsix";
  EXPECT_EQ(WrapText(text, "> ", "  ", 0),
            (TStrings{"> one two  three \u00e4\u00e4\u00e4\u00e4 fivefivefive", "  six"}));
  // Characters, not bytes, count: "  three ääää" would take twelve.
  EXPECT_EQ(
      WrapText(text, "> ", "  ", 11),
      (TStrings{"> one two ", "  three", "  \u00e4\u00e4\u00e4\u00e4", "  fivefivefive", "  six"}));
  EXPECT_EQ(WrapText("", "> ", "  ", 12), TStrings{"> "});
}

TEST_F(OerrTest, LooksUpEveryVersionInTheSearchOrderAndSearches) {
  EXPECT_EQ(FormatMessages(LookUpMessages(DB, "ORA", "942", std::nullopt).Messages, 0),
            "Version 10.2\n"
            "00942, 00000, \"table or view does not exist\"\n"
            "// *Cause:  Not there,\n"
            "//          or hidden.\n"
            "// *Action: Check the name.\n"
            "// *My comment: it's \"ours\" \\ Gr\u00f6\u00dfe \U0001F4E6\n\n"
            "Version 9.2\n"
            "00942, 00000, \"table or view does not exist\"\n"
            "// *Cause:  It is not there.\n"
            "// *Action: Look.\n");
  const struct {
    const char* Prefix;
    const char* Code;
    const char* Version;  // "" for every version
    TStrings Found;       // version and code of each message, and whether its cause is NULL
  } cases[] = {
      {"ORA", "00942", "9.2", {"9.2 00942"}},   {"SP2", "310", "", {"10.2 0310"}},
      {"ORA", "0060a", "", {"10.2 0060A"}},     {"TNS", "942", "", {}},
      {"ORA", "1017", "", {"10.2 01017 NULL"}},
  };
  for (const auto& c : cases) {
    const auto version = *c.Version ? std::optional<std::string>(c.Version) : std::nullopt;
    TStrings seen;
    for (const TFoundMessage& message : LookUpMessages(DB, c.Prefix, c.Code, version).Messages) {
      seen.push_back(message.Version + " " + message.Code + (message.Cause ? "" : " NULL"));
    }
    EXPECT_EQ(seen, c.Found) << c.Prefix << " " << c.Code;
  }
  // One message: no version line; a NULL cause is the label alone.
  EXPECT_EQ(FormatMessages(LookUpMessages(DB, "ORA", "1017", std::nullopt).Messages, 80),
            "01017, 00000, \"invalid username/password; logon denied\"\n// *Cause:\n"
            "// *Action: Retry.\n");

  // Searches as the window does.
  const auto matches = [&](const std::string& words, bool comment, const std::string& prefix) {
    const TLookupOutcome found =
        SearchMessages(DB, words, comment, prefix, std::nullopt, Opened.RowLimit);
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
  EXPECT_EQ(matches("no listener", false, "ORA"), "");
  // The row limit of the data file (3) holds, and comment words fold beyond ASCII.
  const std::string limited = matches("e", false, "");
  EXPECT_EQ(std::count(limited.begin(), limited.end(), '\n'), 3) << limited;
  EXPECT_EQ(matches("gr\u00d6\u00dfe", true, ""),
            "ORA-00942  10.2  table or view does not exist\n");
}

// The program itself: what it says and its exit codes, while another connection holds a write
// transaction on the file, which is left as it was (checked at the end).
TEST_F(OerrTest, TheProgramsOutputAndExitCodes) {
  const auto run = [](const std::string& arguments) {
    FILE* pipe = popen(("'" TOLVANE_OERR "' " + arguments + " 2>&1").c_str(), "r");
    std::string out;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
      out.append(buffer, n);
    }
    const int status = pclose(pipe);
    return std::pair(WIFEXITED(status) ? WEXITSTATUS(status) : -1, out);
  };
  const std::string tooNew = (Folder.Path() / "new.db").string();
  const std::string garbage = Folder.Write("garbage.db", std::string(4096, 'g'));
  const std::string none = (Folder.Path() / "none.db").string();
  // A comment of 50,000,000 characters, twice the fetch memory bound of 32 MiB as UTF-16.
  const std::string huge = (Folder.Path() / "huge.db").string();
  for (const auto& [copy, edit] :
       {std::pair{tooNew, "UPDATE sys_data SET value = '21' WHERE param = 'min_req_exe_vers'"},
        {huge,
         "UPDATE usr_comment SET commentary = 'huge:' || "
         "replace(hex(zeroblob(10000000)), '00', 'word ') || ':end'"}}) {
    std::filesystem::copy_file(File, copy);
    TLiteDB editor;
    ASSERT_TRUE(editor.Use(copy));
    ASSERT_TRUE(editor.Query(edit));
  }
  DB.Close();      // in one process, connections to one file are shared
  TLiteDB window;  // the window, writing a comment right now
  ASSERT_TRUE(window.Use(File.string()));
  ASSERT_TRUE(window.Query("BEGIN IMMEDIATE; UPDATE usr_comment SET commentary = 'x'"));
  const std::string db = "--db '" + File.string() + "' ";
  const struct {
    std::string Arguments;
    int Status;
    const char* Says;
  } cases[] = {
      {db + "ORA 00942", 0, "Version 10.2\n00942, 00000, \"table or view does not exist\"\n"},
      {"--db '" + huge + "' ora 942", 0, "word word :end\n\nVersion 9.2\n"},
      {db + "ora-1017 --version 9.2", 1, "tolvane-oerr: no message ORA-1017 in version 9.2\n"},
      {db + "--grep \"user '%s'\" ora", 0, "ORA-01918  10.2  user '%s' does not exist\n"},
      {db + "ora 99999", 1, "tolvane-oerr: no message ORA-99999\n"},
      {db + "xyz 1", 1, "unknown facility xyz"},
      {db + "--comment nothing-like-it", 1, "no comment matches nothing-like-it"},
      {db + "ora", 2, "Try 'tolvane-oerr --help'."},
      {"--help", 0, "EXIT STATUS"},
      {"--db '" + none + "' ora 942", 3, "ERROR: tolv2_msg.db not found"},
      {"--db '" + garbage + "' ora 942", 3, "E: Datafile is broken"},
      {"--db '" + tooNew + "' ora 942", 3, "Program's version too old."},
  };
  for (const auto& c : cases) {
    const auto [status, out] = run(c.Arguments);
    EXPECT_EQ(status, c.Status) << c.Arguments << "\n" << out.substr(0, 1000);
    EXPECT_NE(out.find(c.Says), std::string::npos) << c.Arguments << "\n" << out.substr(0, 1000);
  }
  EXPECT_FALSE(std::filesystem::exists(none));
  ASSERT_TRUE(window.Query("ROLLBACK"));
}

}  // namespace
