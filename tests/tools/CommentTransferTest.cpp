#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "data/LiteDb.h"
#include "tests/support/QueryRows.h"
#include "tests/support/TempFolder.h"
#include "tests/tools/InProcess.h"
#include "tools/mkdb/MkdbProgram.h"
#include "tools/mkdb/catalogue/DataFileBuilder.h"
#include "tools/mkdb/comments/CommentTransfer.h"

namespace {

namespace fs = std::filesystem;
using TRows = std::vector<std::string>;

constexpr std::chrono::milliseconds kShortWait{50};

const std::string kHeader = "version,prefix,code,comment,lastdate\r\n";

std::string Literal(std::string text) {
  for (std::size_t at = text.find('\''); at != std::string::npos; at = text.find('\'', at + 2)) {
    text.insert(at, 1, '\'');
  }
  return "'" + text + "'";
}

// "text@lastdate" split into text and date; an empty date stands for none.
std::pair<std::string, std::string> TextAndDate(const std::string& comment) {
  const std::size_t at = comment.rfind('@');
  return {comment.substr(0, at), comment.substr(at + 1)};
}

class CommentTransferTest : public ::testing::Test {
 protected:
  std::string In(const std::string& name) const { return Folder.File(name); }

  // ORA-00942, ORA-01017 and TNS-00942 in every version: the prefix tells the two 00942 apart.
  std::string Build(const std::string& name, const std::vector<std::string>& versions) {
    TCatalogue catalogue{{}, {{"ORA", "Server"}, {"TNS", "Net"}}, {}, {}};
    for (const std::string& version : versions) {
      catalogue.Versions.push_back(
          {version,
           {{"ORA", {{"00942", "no such table", "c", "a"}, {"01017", "invalid login", "c", "a"}}},
            {"TNS", {{"00942", "no such alias", "c", "a"}}}}});
    }
    std::string error;
    EXPECT_TRUE(BuildDataFile(In(name), catalogue, error)) << error;
    return In(name);
  }

  // Adds the comment row "text@lastdate" (no date: NULL) on ORA-code of that version.
  static void Comment(const std::string& path, const std::string& version, const std::string& code,
                      const std::string& comment) {
    const auto [text, date] = TextAndDate(comment);
    QueryRows(path, "INSERT INTO usr_comment (e_fk, commentary, lastdate) SELECT e_pk, " +
                        Literal(text) + ", " + (date.empty() ? "NULL" : Literal(date)) +
                        " FROM error JOIN version ON vers_pk = vers_fk JOIN prefix ON pref_pk = "
                        "pref_fk WHERE pref_name = 'ORA' AND vers_name = " +
                        Literal(version) + " AND e_code = " + Literal(code));
  }

  // Every comment row by its message's identity: "version|prefix|code|text@date", NULL as "-".
  static TRows Comments(const std::string& path) {
    return QueryRows(
        path,
        "SELECT vers_name || '|' || pref_name || '|' || e_code || '|' || commentary || '@' || "
        "coalesce(lastdate, '-') FROM usr_comment JOIN error ON e_pk = e_fk JOIN version ON "
        "vers_pk = vers_fk JOIN prefix ON pref_pk = pref_fk ORDER BY vers_name, pref_name, "
        "e_code, usr_comment.rowid");
  }

  // The command run as tolvane-mkdb runs it.
  static TProgramRun Mkdb(const std::vector<std::string>& words) {
    return RunInProcess(MkdbProgram(), words);
  }

  TTempFolder Folder;
};

// Texts a user may type: apostrophes, double quotes, commas, CR, LF, tabs, characters beyond
// the Basic Multilingual Plane. Exported and imported into a file built alike, they arrive
// byte for byte, and importing them again changes nothing.
TEST_F(CommentTransferTest, ExportThenImportKeepsEveryByte) {
  const std::string old = Build("old.db", {"11.2", "9.2"});
  const std::string fresh = Build("fresh.db", {"11.2", "9.2"});
  Comment(old, "11.2", "00942",
          "it's \"gone\", or hidden\r\nsecond line\nthird\rfourth@2024-01-02 10:00:00");
  Comment(old, "11.2", "01017",
          "\ttabbed \U0001F600 \U0002000B Gr\xC3\xBC\xC3\x9F! @2023-12-31 23:59:59");
  Comment(old, "9.2", "00942", "@");
  ASSERT_EQ(Comments(old).size(), 3u);
  const std::string csv = In("comments.csv");
  ASSERT_EQ(Mkdb({"comments", "export", old, "--out", csv}).Exit, kExitOk);
  EXPECT_EQ(Mkdb({"comments", "import", fresh, csv}).Exit, kExitOk);
  EXPECT_EQ(Comments(fresh), Comments(old));
  EXPECT_FALSE(fs::exists(UnplacedCommentsPath(fresh)));
  const std::string before = FileBytes(fresh);
  EXPECT_EQ(Mkdb({"comments", "import", fresh, csv}).Exit, kExitOk);
  EXPECT_EQ(FileBytes(fresh), before);
}

// Carried into a newer file whose keys all differ, a comment finds its message by identity. A
// version the new file lacks, and an identity two messages share: those comments are left out,
// named on the terminal and in the unplaced file.
TEST_F(CommentTransferTest, CommentsWithoutOneMessageGoToTheUnplacedFile) {
  const std::string old = Build("old.db", {"11.2", "9.2", "8.1"});
  const std::string next = Build("new.db", {"11.2", "8.1"});
  QueryRows(
      next,
      "INSERT INTO error (vers_fk, pref_fk, e_code, e_message) SELECT vers_fk, pref_fk, e_code, "
      "'twin' FROM error JOIN version ON vers_pk = vers_fk WHERE vers_name = '8.1' AND "
      "e_code = '00942'; UPDATE error SET e_pk = e_pk + 1000");
  Comment(old, "11.2", "00942", "placed@2024-01-01");
  Comment(old, "9.2", "00942", "no such version@2024-01-02");
  Comment(old, "8.1", "00942", "ambiguous@2024-01-03");
  const TProgramRun carry = Mkdb({"comments", "carry", old, next});
  EXPECT_EQ(carry.Exit, kExitUnplaced);
  for (const char* told :
       {"ORA-00942 (9.2): no such message", "ORA-00942 (8.1): 2 messages match"}) {
    EXPECT_TRUE(Contains(carry.Err, std::string("unplaced: ") + told));
  }
  EXPECT_EQ(Comments(next), TRows{"11.2|ORA|00942|placed@2024-01-01"});
  EXPECT_EQ(FileBytes(UnplacedCommentsPath(next)),
            kHeader +
                "8.1,ORA,00942,ambiguous,2024-01-03\r\n"
                "9.2,ORA,00942,no such version,2024-01-02\r\n");
}

// The target's comments on 11.2 ORA-00942 against imported ones, as words "text@lastdate".
TEST_F(CommentTransferTest, DifferentCommentsKeepTheNewerUnlessOverwriting) {
  const struct {
    std::string Stored, Imported;  // imported in file order
    bool Overwrite;
    std::string Expected, Counts;  // NULL as "-"; inserted, replaced, unchanged, kept as the newer
  } cases[] = {
      {"", "new@2001", false, "new@2001", "1000"},
      {"same@2005", "same@2001", false, "same@2005", "0010"},
      {"mine@2001", "theirs@2002", false, "theirs@2002", "0100"},
      {"mine@2002", "theirs@2001", false, "mine@2002", "0001"},
      {"mine@2002", "theirs@2002", false, "mine@2002", "0001"},
      {"mine@", "theirs@2001", false, "theirs@2001", "0100"},
      {"mine@2001", "theirs@", false, "mine@2001", "0001"},
      {"mine@2001", "theirs@", true, "theirs@-", "0100"},
      // Several rows on one message are one comment, with its latest date: all are rewritten.
      {"two@2003 one@2001", "one@2002", false, "two@2003 one@2001", "0001"},
      {"two@2003 one@2001", "one@2004", false, "one@2004 one@2004", "0100"},
      // Several records for one message apply in file order, onto one new row.
      {"", "first@2002 older@2001 latest@2003", false, "latest@2003", "1101"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Stored + " <- " + c.Imported + (c.Overwrite ? " --overwrite" : ""));
    const std::string target = Build("target.db", {"11.2"});
    for (const std::string& comment : Words(c.Stored)) {
      Comment(target, "11.2", "00942", comment);
    }
    std::vector<TCommentRecord> records;
    for (const std::string& comment : Words(c.Imported)) {
      const auto [text, date] = TextAndDate(comment);
      records.push_back({"11.2", "ORA", "00942", text, date});
    }
    TCommentImportSummary summary;
    TFailure failure;
    ASSERT_TRUE(ImportComments(target, records, {c.Overwrite, kShortWait}, summary, failure))
        << failure.Text;
    EXPECT_EQ(
        QueryRows(
            target,
            "SELECT commentary || '@' || coalesce(lastdate, '-') FROM usr_comment ORDER BY rowid"),
        Words(c.Expected));
    EXPECT_EQ(std::to_string(summary.Inserted) + std::to_string(summary.Replaced) +
                  std::to_string(summary.Unchanged) + std::to_string(summary.KeptNewer),
              c.Counts);
    fs::remove(target);
  }
}

// Nothing is imported, not even a good record before a bad one, from a CSV file that cannot be
// read whole (CommentsCsvTest has every way), nor from none; nor into a target opened read-only
// (as the engine opens a file it may not write; another program's lock is LockedFileTest's),
// or one that does not exist. Unplaced comments that cannot be kept do not stop the import:
// that file is written only once it has gone through.
TEST_F(CommentTransferTest, TargetStaysAsItWasWhenTheImportCannotFinish) {
  const std::string target = Build("target.db", {"11.2"});
  Comment(target, "11.2", "00942", "mine@2024-01-01");
  const std::string before = FileBytes(target);
  const std::string csv = Folder.Write(
      "bad.csv", kHeader + "11.2,ORA,01017,fine,2024-01-01\r\n11.2,ORA,00942,mine\r\n");
  EXPECT_EQ(Mkdb({"comments", "import", target, csv}).Exit, kExitFailed);
  EXPECT_EQ(FileBytes(target), before);
  const TProgramRun missingCsv = Mkdb({"comments", "import", target, csv + ".missing"});
  EXPECT_EQ(missingCsv.Exit, kExitFailed);
  EXPECT_EQ(missingCsv.Err, "tolvane-mkdb: " + csv + ".missing: no such file\n");

  const std::vector<TCommentRecord> records = {{"11.2", "ORA", "00942", "theirs", "2025-01-01"},
                                               {"11.2", "ORA", "01017", "new", "2025-01-01"},
                                               {"9.2", "ORA", "00942", "nowhere", ""}};
  TCommentImportSummary summary;
  TFailure failure;
  const std::string missing = In("missing.db");
  TLiteDB reader;
  reader.ReadOnly = true;
  ASSERT_TRUE(reader.Use(target));
  for (const auto& [path, why] : {std::pair{target, std::string("readonly")},
                                  std::pair{missing, missing + ": no such data file"}}) {
    EXPECT_FALSE(ImportComments(path, records, {false, kShortWait}, summary, failure)) << why;
    EXPECT_TRUE(Contains(failure.Text, why));
    EXPECT_EQ(failure.Exit, kExitFailed) << why;
    EXPECT_EQ(FileBytes(target), before) << why;
    EXPECT_FALSE(fs::is_regular_file(UnplacedCommentsPath(target))) << why;
  }
  EXPECT_FALSE(fs::exists(missing));

  // Once free, the same import goes through, also when its unplaced comments cannot be kept.
  reader.Close();
  fs::create_directory(UnplacedCommentsPath(target));
  EXPECT_TRUE(ImportComments(target, records, {}, summary, failure)) << failure.Text;
  EXPECT_EQ(summary.Unplaced.size(), 1u);
  EXPECT_EQ(summary.UnplacedFile, "");
  EXPECT_TRUE(
      Contains(summary.UnplacedError, UnplacedCommentsPath(target) + ": cannot be written"));
  EXPECT_NE(FileBytes(target), before);
}

}  // namespace
