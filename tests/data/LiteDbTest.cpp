#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <string>

#include "ForeignLock.h"
#include "LiteDbFixture.h"
#include "platform/ProgramDirectory.h"
#include "platform/UpperCase.h"

#ifndef _WIN32
#include "platform/Sleep.h"
#endif

namespace {

TEST_F(LiteDbFixture, QueryWRunsOnlyTheFirstStatementQueryRunsAll) {
  // Only the first DELETE runs: row 1 is gone (below), row 2 is still there.
  ASSERT_TRUE(Db.QueryW(u"DELETE FROM msg WHERE id=1; DELETE FROM msg WHERE id=2"));
  ASSERT_TRUE(Db.Query("SELECT code FROM msg WHERE id=2; SELECT text FROM msg WHERE id=3"));
  ASSERT_EQ(Db.RowCount(), 2);
  EXPECT_EQ(Db.Row(0).Field(0).Value, "01017");
  EXPECT_EQ(Db.Row(1).Field(0).Value, "could not resolve the connect identifier");
  for (const char16_t* empty : {u"", u"  -- nothing", u"SELECT * FROM msg WHERE id=1"}) {
    EXPECT_TRUE(Db.QueryW(empty));
    EXPECT_EQ(Db.RowCount(), 0);
    EXPECT_TRUE(Db.Row(0).Field(0).IsNull);
  }
}

TEST_F(LiteDbFixture, ValuesComeBackAsTypedEvenInLargeResults) {
  const std::u16string typed = u"O'X said \"a\\b\"\nnext; 100% Grüße — 日本 \U0001F600";
  ASSERT_TRUE(Db.FormatQuery(u"INSERT INTO msg VALUES (%d, %s, NULL)",
                             {TSqlArg::Integer(4), TSqlArg::WideString(typed)}));
  EXPECT_EQ(Db.LastInsertID(), 4);
  ASSERT_TRUE(Db.QueryW(u"SELECT id, code, text, x'00ff' FROM msg WHERE id=4"));
  TResultRow& row = Db.Row(0);
  EXPECT_EQ(row.Field("code").AsWideString(), typed);
  EXPECT_EQ(row.Field("id").AsInteger(), 4);
  EXPECT_TRUE(row.Field("text").IsNull);
  EXPECT_EQ(row.Field(3).Value, std::string("\0\xff", 2));
  // Values are stored in blocks; many rows and one large value must not disturb each other.
  ASSERT_TRUE(Db.QueryW(
      u"WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n+1 FROM c WHERE n<3000)"
      u" SELECT n, printf('%0100d', n), CASE n WHEN 1500 THEN hex(zeroblob(40000)) END FROM c"));
  ASSERT_EQ(Db.RowCount(), 3000);
  EXPECT_EQ(Db.Row(0).Field(1).Value, std::string(99, '0') + "1");
  EXPECT_EQ(Db.Row(2999).Field(1).Value, std::string(96, '0') + "3000");
  EXPECT_EQ(Db.Row(1499).Field(2).Value, std::string(80000, '0'));
}

TEST_F(LiteDbFixture, ErrorsRowsAffectedAndUnbuildableFormats) {
  ASSERT_TRUE(Db.QueryW(u"SELECT * FROM msg"));
  EXPECT_FALSE(Db.FormatQuery(u"DELETE FROM msg WHERE id=%d", {TSqlArg::WideString(u"1")}));
  EXPECT_EQ(Db.CurrentResult().ErrorCode, -1);
  EXPECT_EQ(Db.GetErrorMessage(), "Invalid format");
  EXPECT_EQ(Db.RowCount(), 0);
  ASSERT_TRUE(Db.QueryW(u"UPDATE msg SET text='x'"));
  EXPECT_EQ(Db.RowsAffected(), 3);  // the badly formatted DELETE never ran
  ASSERT_TRUE(Db.QueryW(u"SELECT * FROM msg"));
  EXPECT_EQ(Db.RowsAffected(), 3);
  ASSERT_TRUE(Db.Query("UPDATE msg SET text='y' WHERE id=99"));
  EXPECT_EQ(Db.RowsAffected(), 0);  // matched nothing: not the count of an earlier change

  EXPECT_FALSE(Db.QueryW(u"SELECT * FROM no_such"));
  EXPECT_EQ(Db.GetErrorMessage(), "no such table: no_such");
  // Failing while stepping: the specific message, not a generic one.
  EXPECT_FALSE(Db.QueryW(u"INSERT INTO msg VALUES (1, 'dup', 'dup')"));
  EXPECT_EQ(Db.GetErrorMessage(), "UNIQUE constraint failed: msg.id");
  EXPECT_FALSE(Db.Query("SELEC 1"));
  EXPECT_NE(Db.GetErrorMessage().find("syntax error"), std::string::npos);
  EXPECT_TRUE(Db.QueryW(u"SELECT 1"));
  EXPECT_EQ(Db.GetErrorMessage(), "");
}

TEST_F(LiteDbFixture, StatementsWithoutAnOpenFileFailAndKeepThePreviousRows) {
  ASSERT_TRUE(Db.QueryW(u"SELECT * FROM msg WHERE id < 3"));
  Db.Close();
  EXPECT_EQ(Db.DataBase(), "");
  EXPECT_FALSE(Db.QueryW(u"SELECT 1"));
  EXPECT_FALSE(Db.Query("SELECT 1"));
  EXPECT_EQ(Db.CurrentResult().ErrorText, "Failed to load dll library");
  EXPECT_EQ(Db.RowCount(), 2);
  EXPECT_EQ(Db.GetErrorMessage(), "");
}

TEST_F(LiteDbFixture, ConnectionsToOneFileShareItsEngineConnection) {
  TLiteDB other;
  ASSERT_TRUE(other.Use(Path));
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

  // The engine connection lives until its last user is destroyed: the open transaction (and
  // its journal) survive the first user's end and go with the second's.
  const std::filesystem::path journal = Path + "-journal";
  other.Close();
  {
    auto first = std::make_unique<TLiteDB>(Path);
    TLiteDB second(Path);
    first->StartTransaction();
    ASSERT_TRUE(first->QueryW(u"INSERT INTO msg VALUES (9, 'x', 'y')"));
    ASSERT_TRUE(std::filesystem::exists(journal));
    first.reset();
    ASSERT_TRUE(second.QueryW(u"SELECT COUNT(*) FROM msg"));
    EXPECT_EQ(second.Row(0).Field(0).AsInteger(), 4);
  }
  EXPECT_FALSE(std::filesystem::exists(journal));
  TLiteDB fresh(Path);
  ASSERT_TRUE(fresh.QueryW(u"SELECT COUNT(*) FROM msg"));
  EXPECT_EQ(fresh.Row(0).Field(0).AsInteger(), 3);  // rolled back as the connection closed
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
}

TEST_F(LiteDbFixture, HandlersRunInOrderAndTheirExceptionsAreDiscarded) {
  std::string calls;
  const auto log = [&calls](const char* name) {
    return [&calls, name](TSQLDB&) {
      calls += name;
      throw name;
    };
  };
  Db.OnQueryComplete = log("complete ");
  Db.OnSuccess = log("success ");
  Db.OnError = log("error ");
  Db.OnFetchRow = [&calls](TSQLDB&, TResultRow& row) {
    calls += row.Field(0).Value;
    throw std::runtime_error("row");
  };
  EXPECT_TRUE(Db.QueryW(u"SELECT id FROM msg"));
  EXPECT_FALSE(Db.Query("SELECT * FROM no_such"));
  EXPECT_EQ(calls, "123complete success error ");  // a failure completes nothing

  // A handler that closes or reopens the connection mid-statement is refused: the statement
  // holds the file's record and lock until it ends.
  int refused = 0;
  Db.OnFetchRow = [&refused, this](TSQLDB& db, TResultRow&) {
    db.Close();
    refused += db.Use(Path) ? 0 : 1;
  };
  for (const bool wide : {true, false}) {
    refused = 0;
    EXPECT_TRUE(wide ? Db.QueryW(u"SELECT id FROM msg") : Db.Query("SELECT id FROM msg"));
    EXPECT_EQ(Db.RowCount(), 3);
    EXPECT_EQ(refused, 3);
    EXPECT_EQ(Db.DataBase(), Path);
  }
  Db.OnFetchRow = nullptr;
  EXPECT_TRUE(Db.QueryW(u"SELECT 1"));

  // A replaced statement is the one that runs, on both paths.
  Db.OnBeforeQuery = [](TSQLDB&, std::string& sql) { sql = "SELECT code FROM msg WHERE id=2"; };
  for (const bool wide : {true, false}) {
    ASSERT_TRUE(wide ? Db.QueryW(u"SELECT 1") : Db.Query("SELECT 1"));
    ASSERT_EQ(Db.RowCount(), 1);
    EXPECT_EQ(Db.Row(0).Field(0).Value, "01017") << wide;
  }
}

#ifndef _WIN32
// A file locked by another process (the sqlite3 command-line tool): the statement waits.
TEST_F(LiteDbFixture, StatementWaitsOutAFileLockedByAnotherProcess) {
  if (std::system("sqlite3 -version > /dev/null 2>&1") != 0) {
    GTEST_SKIP() << "the sqlite3 command-line tool is not installed";
  }
  const std::string marker = Dir.File("locked");
  ASSERT_EQ(std::system(("sqlite3 " + Path +
                         " 'BEGIN EXCLUSIVE;' \"INSERT INTO msg VALUES (10, 'lock', 'held');\" "
                         "'.shell touch " +
                         marker + "' '.shell sleep 0.3' 'COMMIT;' &")
                            .c_str()),
            0);
  for (int waited = 0; !std::filesystem::exists(marker) && waited < 10000; waited += 5) {
    Platform::SleepMilliseconds(5);
  }
  ASSERT_TRUE(std::filesystem::exists(marker));
  EXPECT_TRUE(Db.QueryW(u"SELECT COUNT(*) FROM msg")) << Db.GetErrorMessage();
  EXPECT_EQ(Db.Row(0).Field(0).AsInteger(), 4);  // the other process's row is committed
}
#endif

// With a bound, a held lock makes the statement fail with the engine's "database is locked"
// and write nothing; once the lock is gone the same connection goes on.
TEST_F(LiteDbFixture, BoundedWaitFailsWhileAnotherConnectionHoldsTheFile) {
  Db.BusyTimeoutMilliseconds = 20;
  {
    TForeignLock lock(Path);
    ASSERT_TRUE(lock.Held());
    for (const bool wide : {true, false}) {
      EXPECT_FALSE(wide ? Db.QueryW(u"INSERT INTO msg VALUES (9, 'x', 'y')")
                        : Db.Query("INSERT INTO msg VALUES (9, 'x', 'y')"));
      EXPECT_EQ(Db.CurrentResult().ErrorCode, 5);  // the engine's "busy"
    }
  }
  ASSERT_TRUE(Db.QueryW(u"SELECT COUNT(*) FROM msg")) << Db.GetErrorMessage();
  EXPECT_EQ(Db.Row(0).Field(0).AsInteger(), 3);
}

TEST(LiteDbOpen, BareNamesAreCreatedInTheProgramDirectoryOtherFilesMayFail) {
  TTempDir dir;
  Platform::TProgramDirectoryOverride programDirectory(dir.File(""));
  TLiteDB db;
  ASSERT_TRUE(db.Use("beside.db"));
  EXPECT_EQ(db.DataBase(), dir.File("beside.db"));

  EXPECT_FALSE(db.Use(dir.File("no-such-directory/x.db")));
  // A version 2 file (the generation is chosen once per object): no such engine is installed.
  TLiteDB old;
  std::ofstream(dir.Path / "old.db", std::ios::binary)
      << "** This file contains an SQLite 2.1 database **" << std::string(16, '\0');
  EXPECT_FALSE(old.Use(dir.File("old.db")));
  EXPECT_EQ(old.SQLiteVersion, TSQLiteVersion::sv2);
}

// Folder names beyond the 16-bit range: the engine must open this very file, not a name with
// spaces in a folder that does not exist. Read-only connections write nothing and create
// nothing.
TEST(LiteDbOpen, FileNamesKeepEveryCharacterAndReadOnlyWritesNothing) {
  TTempDir dir;
  const auto folder = dir.Path / std::filesystem::path(u8"Tools \U0001F4E6 \U0002000B Grüße");
  std::filesystem::create_directories(folder);
  const std::u8string name = (folder / "m.db").u8string();
  const std::string path(name.begin(), name.end());
  {
    TLiteDB writer;
    writer.UniCode = true;
    ASSERT_TRUE(writer.Use(path)) << writer.CurrentResult().ErrorText;
    ASSERT_TRUE(writer.Query("CREATE TABLE t (v TEXT); INSERT INTO t VALUES ('kept')"));
    EXPECT_TRUE(writer.DefensiveMode());
  }
  ASSERT_TRUE(std::filesystem::exists(folder / "m.db"));
  const auto size = std::filesystem::file_size(folder / "m.db");

  TLiteDB reader;
  reader.ReadOnly = true;
  ASSERT_TRUE(reader.Use(path)) << reader.CurrentResult().ErrorText;
  ASSERT_TRUE(reader.QueryW(u"SELECT v FROM t"));
  EXPECT_EQ(reader.Row(0).Field(0).Value, "kept");
  EXPECT_FALSE(reader.QueryW(u"INSERT INTO t VALUES ('no')"));
  EXPECT_NE(reader.GetErrorMessage().find("readonly"), std::string::npos);
  EXPECT_FALSE(reader.Query("PRAGMA user_version=7"));
  reader.Close();
  EXPECT_EQ(std::filesystem::file_size(folder / "m.db"), size);

  const std::u8string missing = (folder / "missing.db").u8string();
  EXPECT_FALSE(reader.Use(std::string(missing.begin(), missing.end())));
  EXPECT_FALSE(std::filesystem::exists(folder / "missing.db"));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            1);
}

// Upper folds every cased script the way the typed words are folded; without the setting it is
// the engine's own, which folds only a to z.
TEST(LiteDbOpen, UnicodeUpperFoldsStoredTextAsTypedWordsAreFolded) {
  TTempDir dir;
  TLiteDB db;
  db.UniCode = true;
  db.UnicodeUpper = true;
  ASSERT_TRUE(db.Use(dir.File("u.db")));
  EXPECT_TRUE(db.HasUnicodeUpper());
  for (const std::u16string text :
       {u"Prüfen Sie die Größe", u"ωμέγα", u"abc-09 xyz_%", u"\U00010428"}) {
    ASSERT_TRUE(db.FormatQuery(u"SELECT Upper(%s)", {TSqlArg::WideString(text)}));
    EXPECT_EQ(db.Row(0).Field(0).AsWideString(), Platform::UpperCaseWide(text));
  }
  ASSERT_TRUE(db.QueryW(u"SELECT Upper(NULL), Upper(12), Upper('grüße') LIKE '%GRÜ%'"));
  EXPECT_TRUE(db.Row(0).Field(0).IsNull);
  EXPECT_EQ(db.Row(0).Field(1).Value, "12");
  EXPECT_EQ(db.Row(0).Field(2).Value, "1");

  TLiteDB plain;
  ASSERT_TRUE(plain.Use(dir.File("p.db")));
  EXPECT_FALSE(plain.HasUnicodeUpper());
  ASSERT_TRUE(plain.QueryW(u"SELECT Upper('grüße')"));
  EXPECT_EQ(plain.Row(0).Field(0).Value, "GRüßE");
}

}  // namespace
