#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "LiteDbFixture.h"
#include "platform/ProgramDirectory.h"

namespace {

TEST_F(LiteDbFixture, OpeningAnSqlite3FileSelectsThatGeneration) {
  EXPECT_TRUE(Db.Active());
  EXPECT_TRUE(Db.DllLoaded());
  EXPECT_EQ(Db.SQLiteVersion, TSQLiteVersion::sv3);
  EXPECT_EQ(Db.DataBase(), Path);
  EXPECT_EQ(Db.ServerEncoding(), "Unicode");
  EXPECT_FALSE(Db.ServerVersion().empty());
}

TEST_F(LiteDbFixture, QueryWRunsOnlyTheFirstStatementQueryRunsAll) {
  ASSERT_TRUE(Db.QueryW(u"DELETE FROM msg WHERE id=1; DELETE FROM msg WHERE id=2"));
  EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM msg"), u"2");
  ASSERT_TRUE(Db.Query("SELECT code FROM msg WHERE id=2; SELECT text FROM msg WHERE id=3"));
  ASSERT_EQ(Db.RowCount(), 2);
  EXPECT_EQ(Db.Row(0).Field(0).Value, "01017");
  EXPECT_EQ(Db.Row(1).Field(0).Value, "could not resolve the connect identifier");
}

TEST_F(LiteDbFixture, EmptyStatementsSucceedWithoutRows) {
  for (const std::u16string& blank : {std::u16string(), std::u16string(u"  -- nothing")}) {
    EXPECT_TRUE(Db.QueryW(blank));
    EXPECT_EQ(Db.RowCount(), 0);
    EXPECT_EQ(Db.ColCount(), 0);
  }
  EXPECT_TRUE(Db.QueryW(u"SELECT * FROM msg WHERE id=99"));
  EXPECT_EQ(Db.RowCount(), 0);
  EXPECT_EQ(Db.ColCount(), 0);
  EXPECT_TRUE(Db.Row(0).Field(0).IsNull);
}

TEST_F(LiteDbFixture, ValuesComeBackAsStored) {
  const std::u16string text = u"Grüße aus Ålesund — 日本 \U0001F600";
  ASSERT_TRUE(Db.FormatQuery(u"INSERT INTO msg VALUES (%d, %s, NULL)",
                             {TSqlArg::Integer(4), TSqlArg::WideString(text)}));
  EXPECT_EQ(Db.LastInsertID(), 4);
  ASSERT_TRUE(Db.QueryW(u"SELECT id, code, text, 2.5, x'00ff' FROM msg WHERE id=4"));
  ASSERT_EQ(Db.ColCount(), 5);
  TResultRow& row = Db.Row(0);
  EXPECT_EQ(row.Field("code").AsWideString(), text);
  EXPECT_EQ(row.Field("id").AsInteger(), 4);
  EXPECT_TRUE(row.Field("text").IsNull);
  EXPECT_EQ(row.Field(3).Value, "2.5");
  EXPECT_EQ(row.Field(4).Value, std::string("\0\xff", 2));
  EXPECT_EQ(Scalar(u"SELECT code FROM msg WHERE id=1"), u"00942");
  EXPECT_EQ(Db.Row(0).Field(0).AsInteger(), 942);
  EXPECT_EQ(Db.Result(), "00942");
}

TEST_F(LiteDbFixture, LargeResultsKeepEveryValueIntact) {
  ASSERT_TRUE(Db.QueryW(
      u"WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n+1 FROM c WHERE n<3000)"
      u" SELECT n, printf('%0100d', n), CASE n WHEN 1500 THEN hex(zeroblob(40000)) END FROM c"));
  ASSERT_EQ(Db.RowCount(), 3000);
  for (int i : {0, 1499, 2999}) {
    TResultRow& row = Db.Row(i);
    EXPECT_EQ(row.Field(0).AsInteger(), i + 1);
    EXPECT_EQ(row.Field(1).Value.size(), 100u);
    EXPECT_EQ(row.Field(1).Value.substr(95),
              std::string(5 - std::to_string(i + 1).size(), '0') + std::to_string(i + 1));
  }
  EXPECT_EQ(Db.Row(1499).Field(2).Value, std::string(80000, '0'));
  EXPECT_TRUE(Db.Row(1500).Field(2).IsNull);
}

TEST_F(LiteDbFixture, FormattedTextReachesTheFileExactlyAsTyped) {
  const std::u16string typed = u"O'X said \"a\\b\"\nnext line; 100%";
  ASSERT_TRUE(Db.FormatQuery(u"UPDATE msg SET text=%s WHERE code=%s",
                             {TSqlArg::WideString(typed), TSqlArg::AnsiString("00942")}));
  EXPECT_EQ(Db.RowsAffected(), 1);
  EXPECT_EQ(Scalar(u"SELECT text FROM msg WHERE id=1"), typed);
}

TEST_F(LiteDbFixture, UnbuildableFormatRunsNothing) {
  ASSERT_TRUE(Db.QueryW(u"SELECT * FROM msg"));
  EXPECT_FALSE(Db.FormatQuery(u"DELETE FROM msg WHERE id=%d", {TSqlArg::WideString(u"1")}));
  EXPECT_EQ(Db.CurrentResult().ErrorText, "Invalid format");
  EXPECT_EQ(Db.CurrentResult().ErrorCode, -1);
  EXPECT_EQ(Db.RowCount(), 0);
  EXPECT_EQ(Db.GetErrorMessage(), "Invalid format");
  EXPECT_FALSE(Db.FormatQuery(u"SELECT %s", {TSqlArg::Integer(1)}));
  EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM msg"), u"3");
  // A placeholder left without an argument reaches the engine, which rejects it.
  EXPECT_FALSE(Db.FormatQuery(u"SELECT * FROM msg WHERE id=%d AND code=%s", {TSqlArg::Integer(1)}));
  EXPECT_GT(Db.CurrentResult().ErrorCode, 0);
  EXPECT_FALSE(Db.GetErrorMessage().empty());
}

TEST_F(LiteDbFixture, RowsAffectedDescribesTheLastChange) {
  ASSERT_TRUE(Db.QueryW(u"UPDATE msg SET text='x'"));
  EXPECT_EQ(Db.RowsAffected(), 3);
  ASSERT_TRUE(Db.QueryW(u"SELECT * FROM msg"));
  EXPECT_EQ(Db.RowsAffected(), 3);
  ASSERT_TRUE(Db.QueryW(u"UPDATE msg SET text='y' WHERE id=99"));
  EXPECT_EQ(Db.RowsAffected(), 0);
}

TEST_F(LiteDbFixture, ErrorMessagesComeFromTheEngine) {
  EXPECT_FALSE(Db.QueryW(u"SELECT * FROM no_such"));
  EXPECT_EQ(Db.GetErrorMessage(), "no such table: no_such");
  EXPECT_EQ(Db.CurrentResult().ErrorText, "no such table: no_such");
  EXPECT_EQ(Db.ColCount(), 0);
  // Failing while stepping: the specific message, not a generic one.
  EXPECT_FALSE(Db.QueryW(u"INSERT INTO msg VALUES (1, 'dup', 'dup')"));
  EXPECT_EQ(Db.GetErrorMessage(), "UNIQUE constraint failed: msg.id");
  EXPECT_EQ(Db.CurrentResult().ErrorText, "UNIQUE constraint failed: msg.id");
  Db.UniCode = false;
  EXPECT_FALSE(Db.Query("SELEC 1"));
  EXPECT_NE(Db.GetErrorMessage().find("syntax error"), std::string::npos);
  EXPECT_TRUE(Db.QueryW(u"SELECT 1"));
  EXPECT_EQ(Db.GetErrorMessage(), "");
}

TEST_F(LiteDbFixture, StatementsWithoutAnOpenFileFailAndKeepThePreviousRows) {
  ASSERT_TRUE(Db.QueryW(u"SELECT * FROM msg WHERE id < 3"));
  Db.Close();
  EXPECT_FALSE(Db.Active());
  EXPECT_EQ(Db.DataBase(), "");
  EXPECT_FALSE(Db.QueryW(u"SELECT 1"));
  EXPECT_FALSE(Db.Query("SELECT 1"));
  EXPECT_EQ(Db.CurrentResult().ErrorText, "Failed to load dll library");
  EXPECT_EQ(Db.RowCount(), 2);
  EXPECT_EQ(Db.GetErrorMessage(), "");
  Db.StartTransaction();
  Db.Rollback();
  EXPECT_EQ(Db.RowCount(), 2);
}

TEST_F(LiteDbFixture, TransactionsCommitOrRollBack) {
  Db.StartTransaction();
  ASSERT_TRUE(Db.QueryW(u"DELETE FROM msg"));
  Db.Rollback();
  EXPECT_EQ(Scalar(u"SELECT COUNT(*) FROM msg"), u"3");
  Db.StartTransaction();
  ASSERT_TRUE(Db.QueryW(u"DELETE FROM msg WHERE id=1"));
  Db.Commit();
  EXPECT_TRUE(Db.CurrentResult().HasResult);
  TLiteDB reader(Path);
  ASSERT_TRUE(reader.QueryW(u"SELECT COUNT(*) FROM msg"));
  EXPECT_EQ(reader.Row(0).Field(0).AsInteger(), 2);
}

TEST_F(LiteDbFixture, ConnectionsToOneFileShareItsEngineConnection) {
  TLiteDB other;
  ASSERT_TRUE(other.Use(Path));
  EXPECT_EQ(other.Tables(), std::vector<std::string>{"msg"});
  Db.StartTransaction();
  ASSERT_TRUE(Db.QueryW(u"INSERT INTO msg VALUES (9, 'x', 'y')"));
  // Uncommitted, yet visible: both objects drive the same engine connection.
  ASSERT_TRUE(other.QueryW(u"SELECT COUNT(*) FROM msg"));
  EXPECT_EQ(other.Row(0).Field(0).AsInteger(), 4);
  Db.Rollback();
  Db.Close();
  ASSERT_TRUE(other.QueryW(u"SELECT COUNT(*) FROM msg"));
  EXPECT_EQ(other.Row(0).Field(0).AsInteger(), 3);
  // Reopening the same name from the one remaining user closes and reopens it.
  EXPECT_TRUE(other.Use(Path));
  EXPECT_TRUE(other.QueryW(u"SELECT 1"));
}

TEST_F(LiteDbFixture, MemoryBoundStopsFetchingAfterTheRowThatCrossesIt) {
  ASSERT_TRUE(
      Db.Query("CREATE TABLE big (n INTEGER, t TEXT);"
               "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n+1 FROM c WHERE n<100)"
               " INSERT INTO big SELECT n, printf('%050d', n) FROM c;"));
  Db.FetchMemoryLimit = 1000;  // 100 bytes a row as UTF-16, 50 as UTF-8
  EXPECT_FALSE(Db.QueryW(u"SELECT t FROM big ORDER BY n"));
  EXPECT_EQ(Db.CurrentResult().ErrorCode, 100);
  EXPECT_EQ(Db.RowCount(), 11);
  EXPECT_EQ(Db.Row(10).Field(0).AsInteger(), 11);
  EXPECT_FALSE(Db.Query("SELECT t FROM big ORDER BY n"));
  EXPECT_EQ(Db.RowCount(), 21);
  EXPECT_NE(Db.CurrentResult().ErrorCode, 0);
  Db.FetchMemoryLimit = 100 * 100;
  EXPECT_TRUE(Db.QueryW(u"SELECT t FROM big"));
  EXPECT_EQ(Db.RowCount(), 100);
}

TEST(LiteDbOpen, MissingFileIsCreatedEmpty) {
  TTempDir dir;
  TLiteDB db(dir.File("new.db"));
  EXPECT_TRUE(db.Active());
  EXPECT_TRUE(std::filesystem::exists(TTempDir::PathOf(dir.File("new.db"))));
  EXPECT_FALSE(db.QueryW(u"SELECT * FROM msg"));
}

TEST(LiteDbOpen, BareNamesAreLookedForInTheProgramDirectory) {
  TTempDir dir;
  Platform::TProgramDirectoryOverride programDirectory(dir.Directory());
  TLiteDB db;
  ASSERT_TRUE(db.Use("beside.db"));
  EXPECT_EQ(db.DataBase(), dir.File("beside.db"));
  EXPECT_TRUE(std::filesystem::exists(TTempDir::PathOf(dir.File("beside.db"))));
}

TEST(LiteDbOpen, FileThatCannotBeOpenedIsAFailure) {
  TTempDir dir;
  const std::string path = dir.File("no-such-directory/x.db");
  TLiteDB db;
  db.UniCode = true;
  EXPECT_FALSE(db.Use(path));
  EXPECT_FALSE(db.Active());
  EXPECT_EQ(db.DataBase(), path);
  EXPECT_FALSE(db.CurrentResult().ErrorText.empty());
  EXPECT_FALSE(db.QueryW(u"SELECT 1"));
  EXPECT_EQ(db.CurrentResult().ErrorText, "Failed to load dll library");
}

TEST(LiteDbOpen, Sqlite2HeaderSelectsTheOlderGeneration) {
  TTempDir dir;
  const std::string path = dir.File("old.db");
  std::ofstream(TTempDir::PathOf(path), std::ios::binary)
      << "** This file contains an SQLite 2.1 database **" << std::string(16, '\0');
  TLiteDB db;
  EXPECT_FALSE(db.Use(path));  // no SQLite 2 engine is installed beside the tests
  EXPECT_EQ(db.SQLiteVersion, TSQLiteVersion::sv2);
  EXPECT_FALSE(db.DllLoaded());
  EXPECT_EQ(db.DataBase(), "");
}

}  // namespace
