// The terminal lookup on data files built in temporary folders: the codes a pasted or typed
// code stands for, the lookups and searches with their layout, leaving the file as it was.
// The program itself is run in ToolProgramsTest.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "tests/support/TextCases.h"
#include "tests/tools/BuiltDataFile.h"
#include "tools/oerr/MessageLookup.h"
#include "tools/oerr/OerrLayout.h"
#include "tools/oerr/PastedCode.h"

namespace {

using TStrings = std::vector<std::string>;

// Three versions, listed out of name order, two of them with the same texts for ORA-00942; a
// prefix with four-digit codes, and a code that compares equal to one of them as a number; a
// message without a cause, and a comment on one version's message.
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
        {"01918", "user '%s' does not exist", "Gone.", "Create it."}};
    v10.Messages["TNS"] = {{"12541", "TNS:no listener", "Nobody listens.", "Start it."}};
    v10.Messages["SP2"] = {{"0310", "unable to open file \"%s\"", "Missing file.", "Check it."}};
    v9.Messages["SP2"] = {{"310", "unable to open file \"%s\"", "Missing file.", "Check it."}};
    TCatalogueVersion v11{"11.2", {}};
    v11.Messages["ORA"] = {v10.Messages["ORA"].front()};
    catalogue.Versions = {v10, v9, v11};
    Build(catalogue,
          "INSERT INTO usr_comment (e_fk, commentary, lastdate) SELECT e_pk, "
          "'it''s \"ours\" \\ Gr\u00f6\u00dfe \U0001F4E6', current_timestamp FROM error e, "
          "version v WHERE e.vers_fk = v.vers_pk AND v.vers_name = '10.2' AND e.e_code = '00942'");
  }
};

// The code as a DBA pastes it, as "FACILITY|CODE", or "wrong: what is said".
TEST(OerrPastedCodeTest, TheFirstCodeOfAPastedLineCounts) {
  const struct {
    TStrings Words;
    const char* Read;
  } cases[] = {
      {{"ORA-00942:", "table", "or", "view", "does", "not", "exist"}, "ORA|00942"},
      {{"ORA-00942: table or view does not exist"}, "ORA|00942"},
      {{"ORA-00942:"}, "ORA|00942"},
      {{"ORA-00942."}, "ORA|00942"},
      {{"ORA-942"}, "ORA|942"},
      {{"ora", "942"}, "ora|942"},
      {{"ora 942"}, "ora|942"},
      {{"  tns", "12541,"}, "tns|12541"},
      {{"ORA-00942", "ORA-01017"}, "ORA|00942"},
      {{"ora", "abc"}, "wrong: 'abc' is no code: a code is digits, as in: ora 942"},
      {{"ora-0060a"}, "wrong: '0060a' is no code: a code is digits, as in: ora 942"},
      {{"ora"}, "wrong: a facility and a code are needed, as in: ora 942"},
      {{"ora-"}, "wrong: a facility and a code are needed, as in: ora 942"},
      {{"ora", ":"}, "wrong: a facility and a code are needed, as in: ora 942"},
      {{}, "wrong: a facility and a code are needed, as in: ora 942"},
  };
  for (const auto& c : cases) {
    const auto read = ReadPastedCode(c.Words);
    const TPastedCode* code = std::get_if<TPastedCode>(&read);
    EXPECT_EQ(code ? code->Facility + "|" + code->Code : "wrong: " + std::get<std::string>(read),
              c.Read)
        << testing::PrintToString(c.Words);
  }
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
  // The same texts once for both versions; the comment with the version it belongs to.
  EXPECT_EQ(FormatMessages(LookUpMessages(Db(), "ORA", "942", std::nullopt).Messages, 0),
            "Versions 10.2, 11.2\n"
            "00942, 00000, \"table or view does not exist\"\n"
            "// *Cause:  Not there,\n"
            "//          or hidden.\n"
            "// *Action: Check the name.\n"
            "// *My comment (10.2): it's \"ours\" \\ Gr\u00f6\u00dfe \U0001F4E6\n\n"
            "Version 9.2\n"
            "00942, 00000, \"table or view does not exist\"\n"
            "// *Cause:  It is not there.\n"
            "// *Action: Look.\n");
  // Codes that compare equal as numbers keep their own, whatever their texts.
  EXPECT_EQ(FormatMessages(LookUpMessages(Db(), "SP2", "310", std::nullopt).Messages, 0),
            "Version 10.2\n0310, 00000, \"unable to open file \"%s\"\"\n// *Cause:  Missing file.\n"
            "// *Action: Check it.\n\nVersion 9.2\n310, 00000, \"unable to open file \"%s\"\"\n"
            "// *Cause:  Missing file.\n// *Action: Check it.\n");
  // A code stands for its padded forms, and a padded one for the shorter; a facility is named
  // in any letter case, and whole.
  EXPECT_EQ(FindPrefix({"ORA", "SP2"}, "sp2"), "SP2");
  EXPECT_EQ(FindPrefix({"ORA"}, "or"), std::nullopt);
  // Facility, code and version ("-": every one) | the version and code of what is found.
  for (const char* row : {"ORA 00942 9.2 | 9.2 00942", "SP2 310 10.2 | 10.2 0310",
                          "SP2 0310 9.2 | 9.2 310", "TNS 942 - | "}) {
    const TStrings asked = Words(Fields(row)[0]);
    const auto version = asked[2] == "-" ? std::nullopt : std::optional(asked[2]);
    std::string seen;
    for (const TFoundMessage& message :
         LookUpMessages(Db(), asked[0], asked[1], version).Messages) {
      seen += message.Version + " " + message.Code;
    }
    EXPECT_EQ(seen, Fields(row)[1]) << row;
  }
  // One message: no version line; a NULL cause is the label alone.
  EXPECT_EQ(FormatMessages(LookUpMessages(Db(), "ORA", "1017", std::nullopt).Messages, 80),
            "01017, 00000, \"invalid username/password; logon denied\"\n// *Cause:\n"
            "// *Action: Retry.\n");

  // Searches as the window does.
  const auto matches = [&](const std::string& words, bool comment, const std::string& prefix) {
    const TLookupOutcome found =
        SearchMessages(Db(), words, comment, prefix, std::nullopt, Opened->RowLimit());
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
            "ORA-00942  11.2  table or view does not exist\n");
  EXPECT_EQ(matches("no listener", false, "ORA"), "");
  // The row limit of the data file (3) holds, and comment words fold beyond ASCII.
  const std::string limited = matches("e", false, "");
  EXPECT_EQ(std::count(limited.begin(), limited.end(), '\n'), 3) << limited;
  EXPECT_EQ(matches("gr\u00d6\u00dfe", true, ""),
            "ORA-00942  10.2  table or view does not exist\n");
}

}  // namespace
