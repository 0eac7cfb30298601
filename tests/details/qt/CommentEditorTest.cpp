#include "details/CommentEditor.h"

#include <gtest/gtest.h>

#include "details/DetailLoader.h"
#include "tests/details/qt/DetailFixture.h"
#include "tests/support/ScriptedShell.h"

namespace {

using TResult = TCommentDialogAnswer::TResult;

class CommentEditorTest : public ::testing::Test {
 protected:
  void Edit(const TCommDialogCaptions& captions = {}) {
    RunCommentEditor(Data.DB, Shell, Table, captions);
  }
  void Answer(TResult result, const QString& text = {}) {
    Shell.EditorAnswers.push_back({result, text});
  }
  // Whether the connection was left inside a transaction.
  bool InTransaction() {
    if (!Data.DB.Query("BEGIN")) {
      return true;
    }
    Data.Run("ROLLBACK");
    return false;
  }

  TDetailFixture Data;
  TResData Table = Data.Record("10.2", "ORA", "00942");
  TScriptedShell Shell;
};

TEST_F(CommentEditorTest, SaveInsertsWhenThereIsNoComment) {
  Answer(TResult::Save, "first words");
  Edit();
  ASSERT_EQ(Shell.EditorRequests.size(), 1u);
  const TCommentDialogRequest& request = Shell.EditorRequests[0];
  EXPECT_EQ(request.Caption, "My comment on: ORA-00942 (10.2)");
  EXPECT_EQ(request.Text, "");
  EXPECT_EQ(request.SaveCaption, "Save");
  EXPECT_EQ(request.CancelCaption, "Cancel");
  EXPECT_EQ(request.DeleteCaption, "Delete");
  EXPECT_EQ(Data.Comments(Table.pk), QStringList{"first words"});
  Data.Run("SELECT lastdate FROM usr_comment");
  EXPECT_FALSE(Data.DB.Row(0).Field(0).IsNull);
  EXPECT_TRUE(Shell.Messages.isEmpty());
}

TEST_F(CommentEditorTest, SaveUpdatesTheStoredCommentInPlace) {
  Data.AddComment(Table.pk, "old");
  Answer(TResult::Save, "new");
  Edit();
  EXPECT_EQ(Shell.EditorRequests.at(0).Text, "old");
  EXPECT_EQ(Data.Comments(Table.pk), QStringList{"new"});
  Data.Run("SELECT lastdate FROM usr_comment");
  EXPECT_NE(Data.DB.Row(0).Field(0).Value, "2001-01-01 00:00:00");
}

TEST_F(CommentEditorTest, TwoStoredRowsOpenEmptyAndAreRewrittenTogether) {
  Data.AddComment(Table.pk, "one");
  Data.AddComment(Table.pk, "two");
  Answer(TResult::Save, "both");
  Edit();
  EXPECT_EQ(Shell.EditorRequests.at(0).Text, "");
  EXPECT_EQ(Data.Comments(Table.pk), QStringList({"both", "both"}));
}

TEST_F(CommentEditorTest, CancelWritesNothing) {
  Data.AddComment(Table.pk, "kept");
  Answer(TResult::Cancel, "changed but cancelled");
  Edit();
  EXPECT_EQ(Data.Comments(Table.pk), QStringList{"kept"});
}

TEST_F(CommentEditorTest, DeleteAsksAndDeletesOnYes) {
  Data.AddComment(Table.pk, "doomed");
  Answer(TResult::Delete, "doomed");
  Shell.ConfirmAnswers = {true};
  Edit();
  EXPECT_EQ(Shell.Confirmations,
            QStringList{"Delete comment for ORA-00942 (10.2)\n\rAre You sure?"});
  EXPECT_TRUE(Data.Comments(Table.pk).isEmpty());
  EXPECT_FALSE(InTransaction());
}

TEST_F(CommentEditorTest, DeleteAnsweredNoKeepsTheComment) {
  Data.AddComment(Table.pk, "kept");
  Answer(TResult::Delete, "kept");
  Shell.ConfirmAnswers = {false};
  Edit();
  EXPECT_EQ(Shell.Confirmations.size(), 1);
  EXPECT_EQ(Data.Comments(Table.pk), QStringList{"kept"});
  EXPECT_EQ(Shell.EditorRequests.size(), 1u);
}

TEST_F(CommentEditorTest, TranslatedButtonCaptions) {
  Edit({QStringLiteral("Löschen"), QStringLiteral("Abbrechen"), QStringLiteral("Speichern")});
  const TCommentDialogRequest& request = Shell.EditorRequests.at(0);
  EXPECT_EQ(request.SaveCaption, "Speichern");
  EXPECT_EQ(request.CancelCaption, "Abbrechen");
  EXPECT_EQ(request.DeleteCaption, "Löschen");
}

// The text reaches the file and comes back exactly as typed, also through the detail view.
class CommentTextTest : public CommentEditorTest, public ::testing::WithParamInterface<QString> {};

TEST_P(CommentTextTest, StoredAndShownBackAsTyped) {
  Answer(TResult::Save, GetParam());
  Edit();
  EXPECT_EQ(Data.Comments(Table.pk), QStringList{GetParam()});
  const TDetailLoad load = LoadDetails(Data.DB, Table, "My Comment");
  if (GetParam().isEmpty()) {
    EXPECT_EQ(load.Rows.size(), 6u);
  } else {
    ASSERT_EQ(load.Rows.size(), 8u);
    EXPECT_EQ(load.Rows[7].Text, GetParam());
  }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CommentTextTest,
    ::testing::Values(QString(), QStringLiteral("it's O'Neil's ''view''"),
                      QStringLiteral("C:\\oracle\\network\\admin\\ and \\' too"),
                      QStringLiteral("first line\nsecond line\r\nthird\n"),
                      QString::fromUtf8("Grüße, 表が存在しません, 𝄞 and 😀"),
                      QStringLiteral("50% of %s and %d")));

// Writes the engine refuses: a trigger stands in for a full disk, query_only for a read-only
// file, since the tests may run as root, where file permissions do not stop writes.
TEST_F(CommentEditorTest, RefusedInsertIsReportedAndTheEditorReopensWithTheText) {
  Data.Run(
      "CREATE TRIGGER full BEFORE INSERT ON usr_comment BEGIN SELECT RAISE(ABORT,'disk full'); "
      "END");
  Answer(TResult::Save, "typed with care");
  Edit();
  EXPECT_EQ(Shell.Messages, QStringList{"ERROR (Com): The comment was not saved: disk full"});
  ASSERT_EQ(Shell.EditorRequests.size(), 2u);
  EXPECT_EQ(Shell.EditorRequests[1].Text, "typed with care");
  EXPECT_EQ(Shell.EditorRequests[1].Caption, Shell.EditorRequests[0].Caption);
  EXPECT_TRUE(Data.Comments(Table.pk).isEmpty());
  EXPECT_FALSE(InTransaction());
}

TEST_F(CommentEditorTest, ReadOnlyFileKeepsReopeningUntilCancelled) {
  Data.AddComment(Table.pk, "old");
  Data.Run("PRAGMA query_only=ON");
  Answer(TResult::Save, "new");
  Answer(TResult::Save, "newer");
  Edit();
  const QString refused = QStringLiteral(
      "ERROR (Com): The comment was not saved: attempt to write a readonly database");
  EXPECT_EQ(Shell.Messages, QStringList({refused, refused}));
  ASSERT_EQ(Shell.EditorRequests.size(), 3u);
  EXPECT_EQ(Shell.EditorRequests[2].Text, "newer");
  Data.Run("PRAGMA query_only=OFF");
  EXPECT_EQ(Data.Comments(Table.pk), QStringList{"old"});
  EXPECT_FALSE(InTransaction());
}

TEST_F(CommentEditorTest, RefusedCommitRollsBackTheInsert) {
  // A deferred foreign key is checked only at COMMIT, which then fails with the insert done.
  Data.Run(
      "DROP TABLE usr_comment; CREATE TABLE parent (id INTEGER PRIMARY KEY);"
      "CREATE TABLE usr_comment (e_fk INTEGER REFERENCES parent (id) DEFERRABLE INITIALLY"
      " DEFERRED, commentary TEXT, lastdate TEXT); PRAGMA foreign_keys=ON");
  Answer(TResult::Save, "orphan");
  Edit();
  EXPECT_EQ(Shell.Messages,
            QStringList{"ERROR (Com): The comment was not saved: FOREIGN KEY constraint failed"});
  EXPECT_EQ(Shell.EditorRequests.size(), 2u);
  EXPECT_FALSE(InTransaction());
  EXPECT_TRUE(Data.Comments(Table.pk).isEmpty());
}

TEST_F(CommentEditorTest, RefusedDeleteIsReportedAndTheEditorReopens) {
  Data.AddComment(Table.pk, "stays");
  Data.Run(
      "CREATE TRIGGER keep BEFORE DELETE ON usr_comment BEGIN SELECT RAISE(ABORT,'locked');"
      " END");
  Answer(TResult::Delete, "stays, edited");
  Shell.ConfirmAnswers = {true};
  Edit();
  EXPECT_EQ(Shell.Messages, QStringList{"ERROR (Com): The comment was not deleted: locked"});
  ASSERT_EQ(Shell.EditorRequests.size(), 2u);
  EXPECT_EQ(Shell.EditorRequests[1].Text, "stays, edited");
  EXPECT_EQ(Data.Comments(Table.pk), QStringList{"stays"});
}

TEST_F(CommentEditorTest, ExceptionDuringWriteRollsBackSilently) {
  Data.AddComment(Table.pk, "old");
  Data.DB.OnBeforeQuery = [](TSQLDB&, std::string& sql) {
    if (sql == "COMMIT") {
      throw std::runtime_error("interrupted");
    }
  };
  Answer(TResult::Save, "new");
  Edit();
  Data.DB.OnBeforeQuery = nullptr;
  EXPECT_TRUE(Shell.Messages.isEmpty());
  EXPECT_EQ(Shell.EditorRequests.size(), 1u);
  EXPECT_EQ(Data.Comments(Table.pk), QStringList{"old"});
  EXPECT_FALSE(InTransaction());
}

TEST_F(CommentEditorTest, FailingReadIsReportedAndTheEditorStaysClosed) {
  Data.Run("DROP TABLE usr_comment");
  Edit();
  EXPECT_EQ(Shell.Messages, QStringList{"ERROR (Com): The comment could not be read: no such "
                                        "table: usr_comment"});
  EXPECT_TRUE(Shell.EditorRequests.empty());
}

TEST_F(CommentEditorTest, ClosedConnectionIsReportedWithTheLayersText) {
  Data.DB.Close();
  Edit();
  EXPECT_EQ(Shell.Messages, QStringList{"ERROR (Com): The comment could not be read: Failed to "
                                        "load dll library"});
  EXPECT_TRUE(Shell.EditorRequests.empty());
}

}  // namespace
