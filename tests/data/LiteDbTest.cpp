#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <tuple>

#include "LiteDbFixture.h"
#include "data/Transaction.h"
#include "platform/ProgramDirectory.h"

#ifndef _WIN32
#include "platform/Sleep.h"
#endif

namespace {

// Runs an ASCII statement on the wide (prepare and step) or the UTF-8 (one-shot) path.
bool RunOn(TLiteDB& db, bool wide, const std::string& sql) {
  return wide ? db.QueryW(std::u16string(sql.begin(), sql.end())) : db.Query(sql);
}

std::int64_t CountMessages(TLiteDB& db) {
  EXPECT_TRUE(db.QueryW(u"SELECT COUNT(*) FROM msg")) << db.GetErrorMessage();
  return db.Row(0).Field(0).AsInteger();
}

TEST_F(LiteDbFixture, StatementsRunAndValuesComeBackAsTypedUpToTheMemoryBound) {
  // Only the first DELETE runs: row 1 is gone (below), row 2 is still there.
  ASSERT_TRUE(Db.QueryW(u"DELETE FROM msg WHERE id=1; DELETE FROM msg WHERE id=2"));
  ASSERT_TRUE(Db.Query("SELECT code FROM msg WHERE id=2; SELECT text FROM msg WHERE id=3"));
  ASSERT_EQ(Db.RowCount(), 2);
  EXPECT_EQ(Db.Row(0).Field(0).Value, "01017");
  EXPECT_EQ(Db.Row(1).Field(0).Value, "could not resolve the connect identifier");
  for (const char16_t* empty : {u"", u"  -- nothing", u"SELECT * FROM msg WHERE id=1"}) {
    EXPECT_TRUE(Db.QueryW(empty));
    EXPECT_EQ(Db.RowCount(), 0);
  }

  const std::u16string typed = u"O'X said \"a\\b\"\nnext; 100% Grüße — 日本 \U0001F600";
  ASSERT_TRUE(Db.FormatQuery(u"INSERT INTO msg VALUES (%d, %s, NULL)",
                             {TSqlArg::Integer(4), TSqlArg::WideString(typed)}));
  EXPECT_EQ(Db.LastInsertID(), 4);
  ASSERT_TRUE(Db.QueryW(u"SELECT id, code, text, x'00ff' FROM msg WHERE id=4"));
  TResultRow& row = Db.Row(0);
  EXPECT_EQ(row.Field("code").AsWideString(), typed);
  EXPECT_TRUE(row.Field("text").IsNull);
  EXPECT_EQ(row.Field(3).Value, std::string("\0\xff", 2));
  // Values are stored in blocks; many rows and one large value must not disturb each other.
  const std::string counting =
      "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n+1 FROM c WHERE n<3000) SELECT ";
  ASSERT_TRUE(RunOn(Db, true,
                    counting + "n, printf('%0100d', n), "
                               "CASE n WHEN 1500 THEN hex(zeroblob(40000)) END FROM c"));
  ASSERT_EQ(Db.RowCount(), 3000);
  EXPECT_EQ(Db.Row(0).Field(1).Value, std::string(99, '0') + "1");
  EXPECT_EQ(Db.Row(2999).Field(1).Value, std::string(96, '0') + "3000");
  EXPECT_EQ(Db.Row(1499).Field(2).Value, std::string(80000, '0'));
  // Fetching stops after the row that crosses the bound: 100 bytes a row as UTF-16, 50 as UTF-8.
  // The message names the bound (the engine's own for code 100 is "not an error").
  Db.FetchMemoryLimit = 1000;
  const std::string overLimit = "the result is larger than the fetch memory limit of 1000 bytes";
  EXPECT_FALSE(RunOn(Db, true, counting + "printf('%050d', n) FROM c"));
  EXPECT_EQ(Db.CurrentResult().ErrorCode, 100);
  EXPECT_EQ(Db.GetErrorMessage(), overLimit);
  EXPECT_EQ(Db.RowCount(), 11);
  EXPECT_EQ(Db.Row(10).Field(0).AsInteger(), 11);
  EXPECT_FALSE(RunOn(Db, false, counting + "printf('%050d', n) FROM c"));
  EXPECT_EQ(Db.GetErrorMessage(), overLimit);
  EXPECT_EQ(Db.RowCount(), 21);
}

TEST_F(LiteDbFixture, ErrorsRowsAffectedUnbuildableFormatsAndNoOpenFile) {
  ASSERT_TRUE(Db.QueryW(u"SELECT * FROM msg"));
  EXPECT_FALSE(Db.FormatQuery(u"DELETE FROM msg WHERE id=%d", {TSqlArg::WideString(u"1")}));
  EXPECT_EQ(Db.GetErrorMessage(), "Invalid format");
  EXPECT_EQ(Db.RowCount(), 0);
  ASSERT_TRUE(Db.QueryW(u"UPDATE msg SET text='x'"));
  EXPECT_EQ(Db.RowsAffected(), 3);  // the badly formatted DELETE never ran
  ASSERT_TRUE(Db.Query("UPDATE msg SET text='y' WHERE id=99"));
  EXPECT_EQ(Db.RowsAffected(), 0);  // matched nothing: not the count of an earlier change

  // Failing while preparing, while stepping (the specific message, not a generic one) and in
  // the one-shot call; a success clears the message.
  for (const auto& [wide, sql, message] :
       {std::tuple{true, "SELECT * FROM no_such", "no such table: no_such"},
        std::tuple{true, "INSERT INTO msg VALUES (1, 'd', 'd')",
                   "UNIQUE constraint failed: msg.id"},
        std::tuple{false, "SELEC 1", "near \"SELEC\": syntax error"},
        std::tuple{true, "SELECT id FROM msg WHERE id < 3", ""}}) {
    EXPECT_EQ(RunOn(Db, wide, sql), *message == '\0') << sql;
    EXPECT_EQ(Db.GetErrorMessage(), message);
  }

  // Without an open file statements fail and keep the previous rows.
  Db.Close();
  EXPECT_EQ(Db.DataBase(), "");
  EXPECT_FALSE(Db.QueryW(u"SELECT 1"));
  EXPECT_FALSE(Db.Query("SELECT 1"));
  EXPECT_EQ(Db.CurrentResult().ErrorText, "Failed to load dll library");
  EXPECT_EQ(Db.RowCount(), 2);
  EXPECT_EQ(Db.GetErrorMessage(), "");
}

// Users of one file share its engine connection, which lives until the last of them closes:
// the open transaction (and its journal) survive the first user's end and go with the last's.
TEST_F(LiteDbFixture, ConnectionsToOneFileShareItsEngineConnection) {
  TLiteDB other(Path);
  ASSERT_TRUE(Db.StartTransaction());
  ASSERT_TRUE(Db.QueryW(u"INSERT INTO msg VALUES (9, 'x', 'y')"));
  const std::filesystem::path journal = Path + "-journal";
  ASSERT_TRUE(std::filesystem::exists(journal));
  Db.Close();
  EXPECT_EQ(CountMessages(other), 4);  // uncommitted, yet visible
  // Reopening the same name from the one remaining user closes (rolling back) and reopens it.
  EXPECT_TRUE(other.Use(Path));
  EXPECT_FALSE(std::filesystem::exists(journal));
  EXPECT_EQ(CountMessages(other), 3);
}

// A transaction keeps its writes only when committed, and BEGIN, COMMIT and ROLLBACK say
// whether they succeeded. (A COMMIT the engine refuses: the settings' and the comment's
// failed writes in StartUpTest and DetailDataTest.)
TEST_F(LiteDbFixture, TransactionsSayWhetherTheyCommittedAndRollBackOtherwise) {
  for (const bool commit : {true, false}) {
    {
      TTransaction transaction(Db);
      ASSERT_TRUE(transaction.Began());
      ASSERT_TRUE(Db.Query("INSERT INTO msg (code, text) VALUES ('a', 'b')"));
      EXPECT_TRUE(!commit || transaction.Commit());
    }
    EXPECT_EQ(CountMessages(Db), 4) << commit;
  }
  // Inside a transaction that is open already a guard cannot begin, commits nothing and leaves
  // that transaction alone.
  ASSERT_TRUE(Db.StartTransaction());
  ASSERT_TRUE(Db.Query("INSERT INTO msg VALUES (6, 'a', 'b')"));
  {
    TTransaction inner(Db);
    EXPECT_FALSE(inner.Began());
    EXPECT_FALSE(inner.Commit());
  }
  EXPECT_EQ(CountMessages(Db), 5);
  EXPECT_TRUE(Db.Commit());
  EXPECT_FALSE(Db.Commit());  // none is open
  EXPECT_FALSE(Db.Rollback());
  Db.Close();
  EXPECT_FALSE(Db.StartTransaction());
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

  // A replaced statement is the one that runs, on both paths. A handler's Close or Use is
  // refused: the statement holds the file's record and lock until it ends.
  Db.OnBeforeQuery = [](TSQLDB&, std::string& sql) { sql = "SELECT id FROM msg"; };
  int refused = 0;
  Db.OnFetchRow = [&refused, this](TSQLDB& db, TResultRow&) {
    db.Close();
    refused += db.Use(Path) ? 0 : 1;
  };
  for (const bool wide : {true, false}) {
    refused = 0;
    EXPECT_TRUE(RunOn(Db, wide, "SELECT 1"));
    EXPECT_EQ(Db.RowCount(), 3);
    EXPECT_EQ(refused, 3);
    EXPECT_EQ(Db.DataBase(), Path);
  }
  Db.OnFetchRow = nullptr;
  EXPECT_TRUE(Db.Use(Path));  // allowed again once the statement ended
}

#ifndef _WIN32
// A file locked by another process (the sqlite3 command-line tool): the statement waits.
TEST_F(LiteDbFixture, StatementWaitsOutAFileLockedByAnotherProcess) {
  if (std::system("sqlite3 -version > /dev/null 2>&1") != 0) {
    GTEST_SKIP() << "the sqlite3 command-line tool is not installed";
  }
  const std::string marker = Dir.File("locked");
  const std::string script =
      " 'BEGIN EXCLUSIVE;' \"INSERT INTO msg VALUES (10, 'lock', 'held');\" "
      "'.shell touch " +
      marker + "' '.shell sleep 0.3' 'COMMIT;' &";
  ASSERT_EQ(std::system(("sqlite3 " + Path + script).c_str()), 0);
  for (int waited = 0; !std::filesystem::exists(marker) && waited < 10000; waited += 5) {
    Platform::SleepMilliseconds(5);
  }
  ASSERT_TRUE(std::filesystem::exists(marker));
  EXPECT_EQ(CountMessages(Db), 4);  // the other process's row is committed
}
#endif

// Bare names are created in the program directory. Folder names beyond the 16-bit range: the
// engine must open this very file, not a name with spaces in a folder that does not exist.
// Read-only connections write nothing and create nothing. The open options take effect.
TEST(LiteDbOpen, WhereFilesAreOpenedWithWhichOptions) {
  TTempFolder dir;
  Platform::TProgramDirectoryOverride programDirectory(dir.File(""));
  TLiteDB db;
  ASSERT_TRUE(db.Use("beside.db"));
  EXPECT_EQ(db.DataBase(), dir.File("beside.db"));
  EXPECT_FALSE(db.Use(dir.File("no-such-directory/x.db")));
  // A version 2 file (the generation is chosen once per object): no such engine is installed.
  TLiteDB old;
  std::ofstream(dir.Path() / "old.db", std::ios::binary)
      << "** This file contains an SQLite 2.1 database **" << std::string(16, '\0');
  EXPECT_FALSE(old.Use(dir.File("old.db")));
  EXPECT_EQ(old.SQLiteVersion, TSQLiteVersion::sv2);

  const auto folder = dir.Path() / std::filesystem::path(u8"Tools \U0001F4E6 \U0002000B Grüße");
  std::filesystem::create_directories(folder);
  {
    TLiteDB writer;
    writer.UniCode = true;
    writer.UnicodeUpper = true;
    ASSERT_TRUE(writer.Use(Utf8(folder / "m.db"))) << writer.CurrentResult().ErrorText;
    ASSERT_TRUE(writer.Query("CREATE TABLE t (v TEXT); INSERT INTO t VALUES ('kept')"));
    EXPECT_TRUE(writer.DefensiveMode());
    // With the setting, Upper folds every cased script the way the typed words are folded.
    EXPECT_TRUE(writer.HasUnicodeUpper());
    ASSERT_TRUE(writer.QueryW(u"SELECT Upper('grüße αω ж-09_%') || Upper(12), Upper(NULL)"));
    EXPECT_EQ(writer.Row(0).Field(0).AsWideString(), u"GRÜßE ΑΩ Ж-09_%12");
    EXPECT_TRUE(writer.Row(0).Field(1).IsNull);
  }
  const auto size = std::filesystem::file_size(folder / "m.db");
  TLiteDB reader;
  reader.ReadOnly = true;
  ASSERT_TRUE(reader.Use(Utf8(folder / "m.db"))) << reader.CurrentResult().ErrorText;
  ASSERT_TRUE(reader.QueryW(u"SELECT v FROM t"));
  EXPECT_EQ(reader.Row(0).Field(0).Value, "kept");
  EXPECT_FALSE(reader.QueryW(u"INSERT INTO t VALUES ('no')"));
  EXPECT_NE(reader.GetErrorMessage().find("readonly"), std::string::npos);
  EXPECT_FALSE(reader.Use(Utf8(folder / "missing.db")));
  EXPECT_EQ(std::filesystem::file_size(folder / "m.db"), size);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
