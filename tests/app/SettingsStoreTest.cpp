#include "app/SettingsStore.h"

#include <gtest/gtest.h>

#include "app/QtText.h"
#include "data/passqlite.h"
#include "tests/app/DataFileEdits.h"
#include "tests/support/ProgramDirectory.h"
#include "tests/support/ScriptedShell.h"

namespace {

class SettingsStoreTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Dir.WriteDataFile(SmallCatalogue());
    DB.UniCode = true;
    ASSERT_TRUE(DB.Use(Dir.DataFile()));
  }

  // Every value stored under `key`, in row order; "<null>" for a NULL.
  std::vector<QString> StoredValues(const QString& key) {
    EXPECT_TRUE(DB.FormatQuery(u"SELECT ifnull(value, '<null>') FROM sys_data WHERE param=%s",
                               {TSqlArg::WideString(ToWide(key))}));
    std::vector<QString> values;
    for (int row = 0; row < DB.RowCount(); ++row) {
      values.push_back(ToQString(DB.Row(row).Field(0).AsWideString()));
    }
    return values;
  }

  TTempProgramDirectory Dir;
  TLiteDB DB;
  TScriptedShell Shell;
  TSettingsStore Store{DB, Shell};
};

TEST_F(SettingsStoreTest, ReadsStoredValuesAndEmptyTextForMissingKeys) {
  EXPECT_EQ(Store.LoadParam(QStringLiteral("min_req_exe_vers")), QStringLiteral("20"));
  EXPECT_EQ(Store.LoadParam(QStringLiteral("last_err_code")), QString());
  EXPECT_TRUE(Shell.Messages.isEmpty());
  EXPECT_EQ(Shell.TerminationRequests, 0);
}

TEST_F(SettingsStoreTest, SavingInsertsOnceThenUpdatesInPlace) {
  Store.SaveParam(QStringLiteral("last_err_vers"), QStringLiteral("10.2"));
  Store.SaveParam(QStringLiteral("last_err_vers"), QStringLiteral("11.2"));
  EXPECT_EQ(StoredValues(QStringLiteral("last_err_vers")), std::vector{QStringLiteral("11.2")});
  EXPECT_EQ(Store.LoadParam(QStringLiteral("last_err_vers")), QStringLiteral("11.2"));
  EXPECT_TRUE(Shell.Messages.isEmpty());
}

TEST_F(SettingsStoreTest, EmptyTextIsStoredAsTextNotNull) {
  Store.SaveParam(QStringLiteral("last_err_code"), QStringLiteral("942"));
  Store.SaveParam(QStringLiteral("last_err_code"), QString());
  EXPECT_EQ(StoredValues(QStringLiteral("last_err_code")), std::vector{QString()});
  Store.SaveParam(QStringLiteral("last_err_pref"), QString());
  EXPECT_EQ(StoredValues(QStringLiteral("last_err_pref")), std::vector{QString()});
}

TEST_F(SettingsStoreTest, QuotesAndNonAsciiTextRoundTripInKeysAndValues) {
  const QString code = QStringLiteral("O'X 'x'' \u00e9\u4e2d");
  Store.SaveParam(QStringLiteral("last_err_code"), code);
  Store.SaveParam(QStringLiteral("it's"), code);
  EXPECT_EQ(Store.LoadParam(QStringLiteral("last_err_code")), code);
  EXPECT_EQ(Store.LoadParam(QStringLiteral("it's")), code);
  EXPECT_TRUE(Shell.Messages.isEmpty());
}

TEST_F(SettingsStoreTest, KeyPresentTwiceReadsFirstRowAndSavesOverBoth) {
  ASSERT_TRUE(
      DB.Query("INSERT INTO sys_data (param, value) VALUES ('last_err_pref', 'ORA');"
               "INSERT INTO sys_data (param, value) VALUES ('last_err_pref', 'TNS')"));
  EXPECT_EQ(Store.LoadParam(QStringLiteral("last_err_pref")), QStringLiteral("ORA"));
  Store.SaveParam(QStringLiteral("last_err_pref"), QStringLiteral("SP2"));
  EXPECT_EQ(StoredValues(QStringLiteral("last_err_pref")),
            (std::vector{QStringLiteral("SP2"), QStringLiteral("SP2")}));
}

TEST_F(SettingsStoreTest, ReadOnlyFileReportsUpdateAndInsertAndAsksToEnd) {
  // A connection that may not write, whoever runs the test (root ignores file modes).
  ASSERT_TRUE(DB.Query("PRAGMA query_only = ON"));
  Store.SaveParam(QStringLiteral("last_err_code"), QStringLiteral("942"));
  ASSERT_EQ(Shell.Messages.size(), 2);
  EXPECT_TRUE(Shell.Messages[0].startsWith(QStringLiteral("ERROR (SPu): ")));
  EXPECT_TRUE(Shell.Messages[1].startsWith(QStringLiteral("ERROR (SPi): ")));
  EXPECT_GT(Shell.Messages[1].size(), QStringLiteral("ERROR (SPi): ").size());
  EXPECT_EQ(Shell.TerminationRequests, 2);
  // The transaction was committed, not left open: the connection can read on.
  EXPECT_EQ(Store.LoadParam(QStringLiteral("max_fetch_rows")), QStringLiteral("500"));
}

TEST_F(SettingsStoreTest, ReadOnlyFileWithTheKeyPresentKeepsTheStoredValue) {
  ASSERT_TRUE(DB.Query("PRAGMA query_only = ON"));
  Store.SaveParam(QStringLiteral("max_fetch_rows"), QStringLiteral("10"));
  ASSERT_EQ(Shell.Messages.size(), 2);  // the failed update changed no row, so the insert ran
  EXPECT_TRUE(Shell.Messages[0].startsWith(QStringLiteral("ERROR (SPu): ")));
  EXPECT_EQ(StoredValues(QStringLiteral("max_fetch_rows")), std::vector{QStringLiteral("500")});
}

TEST_F(SettingsStoreTest, FailedReadIsReportedAndReadsEmpty) {
  ASSERT_TRUE(DB.Query("DROP TABLE sys_data"));
  EXPECT_EQ(Store.LoadParam(QStringLiteral("min_req_exe_vers")), QString());
  ASSERT_EQ(Shell.Messages.size(), 1);
  EXPECT_TRUE(Shell.Messages[0].startsWith(QStringLiteral("ERROR (LP): ")));
  EXPECT_TRUE(Shell.Messages[0].contains(QStringLiteral("sys_data")));
  EXPECT_EQ(Shell.TerminationRequests, 1);
}

TEST(SettingsStoreClosedTest, NeverOpenedFileReportsBothWritesWithEmptyText) {
  TLiteDB db;
  TScriptedShell shell;
  TSettingsStore store(db, shell);
  store.SaveParam(QStringLiteral("last_err_vers"), QStringLiteral("10.2"));
  EXPECT_EQ(shell.Messages,
            (QStringList{QStringLiteral("ERROR (SPu): "), QStringLiteral("ERROR (SPi): ")}));
  EXPECT_EQ(shell.TerminationRequests, 2);
}

TEST(SettingsStoreClosedTest, ReadAfterCloseNeverReturnsTheLastResultsRows) {
  TTempProgramDirectory dir;
  dir.WriteDataFile(SmallCatalogue());
  TLiteDB db;
  db.UniCode = true;
  ASSERT_TRUE(db.Use(dir.DataFile()));
  ASSERT_TRUE(db.QueryW(u"SELECT vers_name FROM version"));
  db.Close();
  TScriptedShell shell;
  TSettingsStore store(db, shell);
  EXPECT_EQ(store.LoadParam(QStringLiteral("min_req_exe_vers")), QString());
  EXPECT_EQ(shell.Messages, QStringList{QStringLiteral("ERROR (LP): ")});
}

}  // namespace
