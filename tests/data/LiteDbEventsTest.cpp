#include <gtest/gtest.h>

#include <stdexcept>

#include "LiteDbFixture.h"

namespace {

TEST_F(LiteDbFixture, HandlersRunInOrderAndTheirExceptionsAreDiscarded) {
  std::string calls;
  Db.OnQueryComplete = [&calls](TSQLDB&) {
    calls += "complete ";
    throw std::runtime_error("complete");
  };
  Db.OnSuccess = [&calls](TSQLDB&) {
    calls += "success ";
    throw std::runtime_error("success");
  };
  Db.OnError = [&calls](TSQLDB&) {
    calls += "error ";
    throw 42;
  };
  int fetched = 0;
  Db.OnFetchRow = [&fetched](TSQLDB&, TResultRow& row) {
    ++fetched;
    throw std::runtime_error(row.Field(0).Value);
  };
  EXPECT_TRUE(Db.QueryW(u"SELECT id FROM msg"));
  EXPECT_EQ(Db.RowCount(), 3);
  EXPECT_TRUE(Db.Query("SELECT id FROM msg"));
  EXPECT_EQ(Db.RowCount(), 3);
  EXPECT_EQ(fetched, 6);
  EXPECT_FALSE(Db.QueryW(u"SELECT * FROM no_such"));
  EXPECT_EQ(calls, "complete success complete success error ");
}

TEST_F(LiteDbFixture, OnBeforeQueryMayReplaceTheStatement) {
  Db.OnBeforeQuery = [](TSQLDB&, std::string& sql) {
    if (sql == "SELECT 'Grüße'") {
      sql = "SELECT code FROM msg WHERE id=3";
    }
  };
  ASSERT_TRUE(Db.QueryW(u"SELECT 'Grüße'"));
  EXPECT_EQ(Db.Row(0).Field(0).Value, "12154");
  ASSERT_TRUE(Db.Query("SELECT 'Grüße'"));
  EXPECT_EQ(Db.Row(0).Field(0).Value, "12154");
  EXPECT_EQ(Db.CurrentResult().SQL, "SELECT 'Grüße'");
}

TEST_F(LiteDbFixture, OpenAndCloseAreAnnounced) {
  std::string calls;
  Db.OnOpen = [&calls](TSQLDB& sender) {
    calls += "open:" + std::to_string(sender.Active()) + " ";
  };
  Db.OnClose = [&calls](TSQLDB&) { calls += "close "; };
  ASSERT_TRUE(Db.Use(Path));
  Db.Close();
  EXPECT_EQ(calls, "close open:1 close ");
}

}  // namespace
