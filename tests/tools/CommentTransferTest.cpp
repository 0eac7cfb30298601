#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/LiteDb.h"
#include "tests/data/ForeignLock.h"
#include "tests/tools/TempFolder.h"
#include "tools/mkdb/CommentCommands.h"
#include "tools/mkdb/CommentTransfer.h"
#include "tools/mkdb/CommentsCommandLine.h"
#include "tools/mkdb/DataFileBuilder.h"

namespace {

namespace fs = std::filesystem;
using TRows = std::vector<std::string>;

std::string FileBytes(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

TCatalogue Catalogue(const std::vector<std::string>& versions) {
  TCatalogue catalogue;
  catalogue.Prefixes = {{"ORA", "Server"}, {"TNS", "Net"}};
  for (const std::string& name : versions) {
    TCatalogueVersion version{name, {}};
    version.Messages["ORA"] = {{"00942", "table or view does not exist", "c", "a"},
                               {"01017", "invalid username/password", "c", "a"}};
    version.Messages["TNS"] = {{"12154", "could not resolve the alias", "c", "a"}};
    catalogue.Versions.push_back(version);
  }
  return catalogue;
}

class CommentTransferTest : public ::testing::Test {
 protected:
  std::string Build(const std::string& name, const std::vector<std::string>& versions) {
    const std::string path = (Folder.Path() / name).string();
    std::string error;
    EXPECT_TRUE(BuildDataFile(path, Catalogue(versions), error)) << error;
    return path;
  }

  static void Run(const std::string& path, const std::string& sql) {
    TLiteDB db;
    db.UniCode = true;
    ASSERT_TRUE(db.Use(path));
    ASSERT_TRUE(db.Query(sql)) << db.GetErrorMessage() << "\n" << sql;
  }

  static std::string Literal(const std::string& text) {
    std::string sql = "'";
    for (const char c : text) {
      sql += c == '\'' ? "''" : std::string(1, c);
    }
    return sql + "'";
  }

  // Adds a comment row on the message of that identity; an empty date is stored as NULL.
  static void Comment(const std::string& path, const std::string& version, const std::string& code,
                      const std::string& text, const std::string& date) {
    Run(path, "INSERT INTO usr_comment (e_fk, commentary, lastdate) SELECT e_pk, " + Literal(text) +
                  ", " + (date.empty() ? "NULL" : Literal(date)) +
                  " FROM error JOIN version ON vers_pk = vers_fk JOIN prefix ON pref_pk = "
                  "pref_fk WHERE pref_name = 'ORA' AND vers_name = " +
                  Literal(version) + " AND e_code = " + Literal(code));
  }

  // Every comment row by its message's identity: "version|prefix|code|text|date", NULL as "-".
  static TRows Comments(const std::string& path) {
    TLiteDB db;
    db.UniCode = true;
    EXPECT_TRUE(db.Use(path));
    EXPECT_TRUE(
        db.Query("SELECT vers_name, pref_name, e_code, commentary, coalesce(lastdate, '-') "
                 "FROM usr_comment JOIN error ON e_pk = e_fk JOIN version ON vers_pk = vers_fk "
                 "JOIN prefix ON pref_pk = pref_fk ORDER BY vers_name, pref_name, e_code, "
                 "usr_comment.rowid"))
        << db.GetErrorMessage();
    TRows rows;
    for (std::int32_t i = 0; i < db.RowCount(); ++i) {
      std::string row;
      for (int f = 0; f < 5; ++f) {
        row += (f ? "|" : "") + db.Row(i).Field(f).Value;
      }
      rows.push_back(row);
    }
    return rows;
  }

  static TExitCode Command(const std::vector<std::string>& arguments) {
    TCommandLine command;
    std::string error;
    EXPECT_TRUE(ParseCommentsCommandLine(arguments, command, error)) << error;
    return RunCommentsCommand(command);
  }

  std::string Csv(const std::string& name, const std::string& content) const {
    Folder.Write(name, content);
    return (Folder.Path() / name).string();
  }

  TTempFolder Folder;
};

// Texts a user may type: apostrophes, double quotes, commas, CR, LF, tabs, characters beyond
// the Basic Multilingual Plane. Export, then import into a copy of the file made before.
TEST_F(CommentTransferTest, ExportThenImportIntoAFreshCopyKeepsEveryByte) {
  const std::string old = Build("old.db", {"11.2", "9.2"});
  const std::string fresh = (Folder.Path() / "fresh.db").string();
  fs::copy_file(old, fresh);
  Comment(old, "11.2", "00942", "it's \"gone\", or hidden\r\nsecond line\nthird\rfourth",
          "2024-01-02 10:00:00");
  Comment(old, "11.2", "01017",
          "\ttabbed \U0001F600 \U0002000B Gr\xC3\xBC\xC3\x9F"
          "e ",
          "2023-12-31 23:59:59");
  Comment(old, "9.2", "00942", "", "");
  const std::string csv = (Folder.Path() / "comments.csv").string();
  ASSERT_EQ(Command({"comments", "export", old, "--out", csv}), kExitOk);
  EXPECT_EQ(Command({"comments", "import", fresh, csv}), kExitOk);
  EXPECT_EQ(Comments(fresh), Comments(old));
  EXPECT_EQ(Comments(fresh).size(), 3u);
  EXPECT_FALSE(fs::exists(UnplacedCommentsPath(fresh)));
  // Importing the same file again changes nothing.
  const std::string before = FileBytes(fresh);
  EXPECT_EQ(Command({"comments", "import", fresh, csv}), kExitOk);
  EXPECT_EQ(FileBytes(fresh), before);
}

TEST_F(CommentTransferTest, CarryFindsTheMessagesInAFileWhoseKeysAllDiffer) {
  const std::string old = Build("old.db", {"11.2", "9.2"});
  const std::string next = Build("new.db", {"12.1", "11.2", "9.2"});
  Run(next, "UPDATE error SET e_pk = e_pk + 1000");
  Comment(old, "11.2", "00942", "on 11.2", "2024-01-01 00:00:00");
  Comment(old, "9.2", "01017", "on 9.2", "2024-01-02 00:00:00");
  EXPECT_EQ(Command({"comments", "carry", old, next}), kExitOk);
  EXPECT_EQ(Comments(next), Comments(old));
  EXPECT_EQ(Comments(next).size(), 2u);
}

// A version the new file lacks, and an identity two messages share: both are left out, named
// in the unplaced file, and the rest is imported.
TEST_F(CommentTransferTest, CommentsWithoutOneMessageGoToTheUnplacedFile) {
  const std::string old = Build("old.db", {"11.2", "9.2", "8.1"});
  const std::string next = Build("new.db", {"11.2", "8.1"});
  Run(next,
      "INSERT INTO error (vers_fk, pref_fk, e_code, e_message) SELECT vers_fk, pref_fk, e_code, "
      "'twin' FROM error JOIN version ON vers_pk = vers_fk WHERE vers_name = '8.1' AND "
      "e_code = '00942'");
  Comment(old, "11.2", "00942", "placed", "2024-01-01");
  Comment(old, "9.2", "00942", "no such version", "2024-01-02");
  Comment(old, "8.1", "00942", "ambiguous", "2024-01-03");
  testing::internal::CaptureStderr();
  EXPECT_EQ(Command({"comments", "carry", old, next}), kExitUnplaced);
  const std::string told = testing::internal::GetCapturedStderr();
  EXPECT_NE(told.find("unplaced: ORA-00942 (9.2): no such message"), std::string::npos) << told;
  EXPECT_NE(told.find("unplaced: ORA-00942 (8.1): 2 messages match"), std::string::npos) << told;
  EXPECT_EQ(Comments(next), TRows{"11.2|ORA|00942|placed|2024-01-01"});
  std::vector<TCommentRecord> unplaced;
  std::string error;
  ASSERT_TRUE(ParseCommentsCsv(FileBytes(UnplacedCommentsPath(next)), "unplaced", unplaced, error))
      << error;
  ASSERT_EQ(unplaced.size(), 2u);
  EXPECT_EQ(unplaced[0], (TCommentRecord{"8.1", "ORA", "00942", "ambiguous", "2024-01-03", 2}));
  EXPECT_EQ(unplaced[1],
            (TCommentRecord{"9.2", "ORA", "00942", "no such version", "2024-01-02", 3}));

  TCommentImportSummary summary;
  ASSERT_TRUE(ImportComments(next, unplaced, {}, summary, error)) << error;
  ASSERT_EQ(summary.Unplaced.size(), 2u);
  EXPECT_EQ(summary.Unplaced[0].Reason, "2 messages match");
  EXPECT_EQ(summary.Unplaced[1].Reason, "no such message");
}

// The target's comment on 11.2 ORA-00942 against the imported one.
TEST_F(CommentTransferTest, DifferentCommentsKeepTheNewerUnlessOverwriting) {
  const struct {
    std::vector<std::pair<std::string, std::string>> Stored;    // text, date
    std::vector<std::pair<std::string, std::string>> Imported;  // in file order
    bool Overwrite;
    TRows Expected;
    std::int64_t TCommentImportSummary::*Counted;
  } cases[] = {
      {{}, {{"new", "2024-01-01"}}, false, {"new|2024-01-01"}, &TCommentImportSummary::Inserted},
      {{{"same", "2024-05-05"}},
       {{"same", "2020-01-01"}},
       false,
       {"same|2024-05-05"},
       &TCommentImportSummary::Unchanged},
      {{{"mine", "2024-01-01"}},
       {{"theirs", "2024-01-02"}},
       false,
       {"theirs|2024-01-02"},
       &TCommentImportSummary::Replaced},
      {{{"mine", "2024-01-02"}},
       {{"theirs", "2024-01-01"}},
       false,
       {"mine|2024-01-02"},
       &TCommentImportSummary::KeptNewer},
      {{{"mine", "2024-01-02"}},
       {{"theirs", "2024-01-02"}},
       false,
       {"mine|2024-01-02"},
       &TCommentImportSummary::KeptNewer},
      {{{"mine", "2024-01-02"}},
       {{"theirs", "2024-01-01"}},
       true,
       {"theirs|2024-01-01"},
       &TCommentImportSummary::Replaced},
      {{{"mine", ""}},
       {{"theirs", "2001-01-01"}},
       false,
       {"theirs|2001-01-01"},
       &TCommentImportSummary::Replaced},
      {{{"mine", "2001-01-01"}},
       {{"theirs", ""}},
       false,
       {"mine|2001-01-01"},
       &TCommentImportSummary::KeptNewer},
      {{{"mine", "2001-01-01"}},
       {{"theirs", ""}},
       true,
       {"theirs|-"},
       &TCommentImportSummary::Replaced},
      // Several rows on one message are one comment: all of them are rewritten.
      {{{"one", "2024-01-01"}, {"two", "2024-01-03"}},
       {{"one", "2024-01-02"}},
       false,
       {"one|2024-01-01", "two|2024-01-03"},
       &TCommentImportSummary::KeptNewer},
      {{{"one", "2024-01-01"}, {"two", "2024-01-03"}},
       {{"one", "2024-01-04"}},
       false,
       {"one|2024-01-04", "one|2024-01-04"},
       &TCommentImportSummary::Replaced},
      // Two records for one message apply in file order, onto one new row.
      {{},
       {{"first", "2024-01-02"}, {"older", "2024-01-01"}, {"latest", "2024-01-03"}},
       false,
       {"latest|2024-01-03"},
       &TCommentImportSummary::Inserted},
  };
  for (const auto& [stored, imported, overwrite, expected, counted] : cases) {
    const std::string target = Build("target.db", {"11.2"});
    for (const auto& [text, date] : stored) {
      Comment(target, "11.2", "00942", text, date);
    }
    std::vector<TCommentRecord> records;
    for (const auto& [text, date] : imported) {
      records.push_back({"11.2", "ORA", "00942", text, date});
    }
    TCommentImportSummary summary;
    std::string error;
    ASSERT_TRUE(ImportComments(target, records, {overwrite, 50}, summary, error)) << error;
    TRows found;
    for (const std::string& row : Comments(target)) {
      found.push_back(row.substr(std::string("11.2|ORA|00942|").size()));
    }
    EXPECT_EQ(found, expected) << imported.front().first << " overwrite " << overwrite;
    EXPECT_EQ(summary.*counted, 1) << imported.front().first << " overwrite " << overwrite;
    fs::remove(target);
  }
}

TEST_F(CommentTransferTest, BadCsvStopsWithItsLineAndLeavesTheTargetAlone) {
  const std::string target = Build("target.db", {"11.2"});
  Comment(target, "11.2", "00942", "mine", "2024-01-01");
  const std::string header = "version,prefix,code,comment,lastdate\r\n";
  const std::string good = "11.2,ORA,01017,fine,2024-01-01\r\n";
  for (const std::string& content :
       {std::string("version;prefix;code;comment;lastdate\r\n") + good,
        header + good + "11.2,ORA,00942,\"open,2024\r\n", header + good + "11.2,ORA,00942,mine\r\n",
        header + good + "11.2,ORA,00942,\xFF,2024\r\n"}) {
    const std::string before = FileBytes(target);
    EXPECT_EQ(Command({"comments", "import", target, Csv("bad.csv", content)}), kExitBadData);
    EXPECT_EQ(FileBytes(target), before);
    EXPECT_FALSE(fs::exists(UnplacedCommentsPath(target)));
  }
  EXPECT_EQ(Command({"comments", "import", target, Csv("bad.csv", "") + ".missing"}), kExitBadData);
  EXPECT_EQ(Comments(target), TRows{"11.2|ORA|00942|mine|2024-01-01"});
}

// A target that refuses writing (opened read-only, as the engine opens a file it may not
// write), one that another program holds locked, and one that does not exist: the import
// fails, nothing changes and no unplaced file is left.
TEST_F(CommentTransferTest, TargetThatCannotBeWrittenStaysAsItWas) {
  const std::string target = Build("target.db", {"11.2"});
  Comment(target, "11.2", "00942", "mine", "2024-01-01");
  const std::vector<TCommentRecord> records = {{"11.2", "ORA", "00942", "theirs", "2025-01-01"},
                                               {"11.2", "ORA", "01017", "new", "2025-01-01"},
                                               {"9.2", "ORA", "00942", "nowhere", ""}};
  const std::string before = FileBytes(target);
  for (const char* hold : {"read-only", "locked"}) {
    TCommentImportSummary summary;
    std::string error;
    bool imported = true;
    if (std::string(hold) == "read-only") {
      TLiteDB reader;
      reader.ReadOnly = true;
      ASSERT_TRUE(reader.Use(target));
      imported = ImportComments(target, records, {false, 50}, summary, error);
      EXPECT_NE(error.find("readonly"), std::string::npos) << error;
    } else {
      TForeignLock lock(target);
      ASSERT_TRUE(lock.Held());
      imported = ImportComments(target, records, {false, 50}, summary, error);
      EXPECT_NE(error.find("locked"), std::string::npos) << error;
    }
    EXPECT_FALSE(imported) << hold;
    EXPECT_TRUE(summary.Unplaced.empty());
    EXPECT_EQ(FileBytes(target), before) << hold;
    EXPECT_FALSE(fs::exists(UnplacedCommentsPath(target))) << hold;
  }
  TCommentImportSummary summary;
  std::string error;
  const std::string missing = (Folder.Path() / "missing.db").string();
  EXPECT_FALSE(ImportComments(missing, records, {}, summary, error));
  EXPECT_EQ(error, missing + ": no such data file");
  EXPECT_FALSE(fs::exists(missing));
  // The unplaced comments cannot be kept: nothing is imported either.
  fs::create_directory(UnplacedCommentsPath(target));
  EXPECT_FALSE(ImportComments(target, records, {}, summary, error));
  EXPECT_NE(error.find("cannot be written"), std::string::npos) << error;
  EXPECT_EQ(FileBytes(target), before);
  fs::remove(UnplacedCommentsPath(target));
  // Once free, the same import goes through.
  EXPECT_TRUE(ImportComments(target, records, {}, summary, error)) << error;
  EXPECT_EQ(summary.Unplaced.size(), 1u);
}

TEST(CommentsCommandLine, ReadsTheThreeFormsAndRefusesOthers) {
  using TCommand = TCommandLine::TCommand;
  const struct {
    std::vector<std::string> Arguments;
    TCommand Command;
    std::string Out, CommentsFile, OldDataFile;
    bool Overwrite;
  } good[] = {
      {{"comments", "export", "a.db"}, TCommand::CommentsExport, "a.db", "", "", false},
      {{"comments", "export", "--out", "c.csv", "a.db"},
       TCommand::CommentsExport,
       "a.db",
       "c.csv",
       "",
       false},
      {{"comments", "import", "a.db", "c.csv"},
       TCommand::CommentsImport,
       "a.db",
       "c.csv",
       "",
       false},
      {{"comments", "import", "a.db", "c.csv", "--overwrite"},
       TCommand::CommentsImport,
       "a.db",
       "c.csv",
       "",
       true},
      {{"comments", "carry", "--overwrite", "old.db", "new.db"},
       TCommand::CommentsCarry,
       "new.db",
       "",
       "old.db",
       true},
  };
  for (const auto& [arguments, command, out, file, old, overwrite] : good) {
    TCommandLine parsed;
    std::string error;
    ASSERT_TRUE(ParseCommentsCommandLine(arguments, parsed, error)) << error;
    EXPECT_EQ(parsed.Command, command);
    EXPECT_EQ(parsed.Out, out);
    EXPECT_EQ(parsed.CommentsFile, file);
    EXPECT_EQ(parsed.OldDataFile, old);
    EXPECT_EQ(parsed.Overwrite, overwrite);
  }
  const std::vector<std::string> bad[] = {
      {"comments"},
      {"comments", "merge", "a.db"},
      {"comments", "export"},
      {"comments", "export", "a.db", "b.db"},
      {"comments", "export", "a.db", "--out"},
      {"comments", "export", "a.db", "--overwrite"},
      {"comments", "import", "a.db"},
      {"comments", "import", "a.db", "c.csv", "--out", "x"},
      {"comments", "carry", "old.db", "new.db", "--overwrite", "--overwrite"},
      {"comments", "carry", "old.db", "new.db", "--force"},
  };
  for (const std::vector<std::string>& arguments : bad) {
    TCommandLine parsed;
    std::string error;
    EXPECT_FALSE(ParseCommentsCommandLine(arguments, parsed, error)) << arguments.back();
    EXPECT_FALSE(error.empty());
  }
}

}  // namespace
