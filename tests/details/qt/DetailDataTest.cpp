// The detail view's rows and the comment editor against a data file built from a catalogue.

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <tuple>

#include "app/QtText.h"
#include "data/LiteDb.h"
#include "details/CommentEditor.h"
#include "details/DetailLoader.h"
#include "tests/support/ProgramDirectory.h"
#include "tests/support/ScriptedShell.h"

namespace {

using TResult = TCommentDialogAnswer::TResult;

struct TData {
  explicit TData(const std::string& code = "00942") {
    TCatalogue catalogue = SmallCatalogue();
    auto& messages = catalogue.Versions[0].Messages["ORA"];
    messages.push_back({"00600", "internal error code", std::nullopt, std::nullopt});
    messages.push_back({"0060A", "a code with a letter", "stored cause", "stored action"});
    Directory.WriteDataFile(catalogue);
    DB.UniCode = true;
    DB.Use(Directory.DataFile());
    // The first version's message, as the search lists it.
    Run("SELECT e_pk, e_message FROM error WHERE e_code='" + code + "' ORDER BY e_pk");
    Record = {DB.Row(0).Field(0).AsInteger(), "10.2", "ORA", code,
              ToQString(DB.Row(0).Field(1).AsWideString())};
  }
  // Set-up SQL, "%pk" standing for the record's key; a failure there is a broken test.
  void Run(std::string sql) {
    for (std::size_t at; (at = sql.find("%pk")) != std::string::npos;) {
      sql.replace(at, 3, std::to_string(Record.pk));
    }
    if (!DB.Query(sql)) {
      throw std::runtime_error(sql + ": " + DB.GetErrorMessage());
    }
  }
  // The stored comments in the order they were written.
  QStringList Comments() {
    // Through the wide statement call: the 8-bit one does not decode characters beyond the BMP.
    EXPECT_TRUE(DB.FormatQuery(u"SELECT commentary FROM usr_comment WHERE e_fk=%d ORDER BY rowid",
                               {TSqlArg::Integer(Record.pk)}));
    QStringList comments;
    for (int row = 0; row < DB.RowCount(); ++row) {
      comments.append(ToQString(DB.Row(row).Field(0).AsWideString()));
    }
    return comments;
  }
  // Whether every stored comment carries the time of a write within the last minute.
  bool WrittenJustNow() {
    Run("SELECT COUNT(*) FROM usr_comment WHERE e_fk=%pk AND NOT COALESCE(lastdate BETWEEN "
        "datetime('now','-1 minute') AND datetime('now'), 0)");
    return DB.Row(0).Field(0).AsInteger() == 0;
  }
  bool InTransaction() { return !DB.Query("BEGIN") || !DB.Query("ROLLBACK"); }
  void Edit(const QString& answer, TResult result = TResult::Save,
            const TCommDialogCaptions& captions = {}) {
    Shell.EditorAnswers.push_back({result, answer});
    RunCommentEditor(DB, Shell, Record, captions, QStringLiteral("Mein Kommentar"));
  }

  TTempProgramDirectory Directory;
  TLiteDB DB;
  TResData Record;
  TScriptedShell Shell;
};

TEST(DetailLoaderTest, RowsForEachStateOfTheFile) {
  const QStringList six = {
      "ORA-00942", "table or view does not exist",
      "Cause",     "The statement named a table or view that is missing or not visible to you.",
      "Action",    "Check the spelling, the owner and your privileges on the object."};
  // 50,000,000 characters: twice the fetch memory bound of 32 MiB as UTF-16.
  const QString huge = QString("word ").repeated(10'000'000);
  // Code, set-up SQL, the rows' texts, the error.
  const std::tuple<const char*, const char*, QStringList, const char*> cases[] = {
      {"00942", "SELECT 1", six, ""},
      {"00942", "INSERT INTO usr_comment VALUES (%pk, 'first', ''), (%pk, 'second', '')",
       six + QStringList{"Mein Kommentar", "first"}, ""},
      {"00942",
       "INSERT INTO usr_comment VALUES (%pk, replace(hex(zeroblob(10000000)), '00', 'word '), '')",
       six + QStringList{"Mein Kommentar", huge}, ""},
      {"00600", "SELECT 1", {"ORA-00600", "internal error code", "Cause", "", "Action", ""}, ""},
      // A code with a letter has nothing to unscramble with: its stored texts are not shown.
      {"0060A", "SELECT 1", {"ORA-0060A", "a code with a letter", "Cause", "", "Action", ""}, ""},
      {"00942", "DELETE FROM error", {}, ""},
      {"00942", "DROP TABLE error", {}, "ERROR (Det): no such table: error"},
  };
  for (const auto& [code, sql, rows, error] : cases) {
    TData data(code);
    data.Run(sql);
    const TDetailLoad load = LoadDetails(data.DB, data.Record, "Mein Kommentar");
    QStringList texts;
    for (std::size_t row = 0; row < load.Rows.size(); ++row) {
      texts.append(load.Rows[row].Text);
      EXPECT_EQ(load.Rows[row].Heading, row % 2 == 0) << row;
    }
    EXPECT_EQ(texts, rows) << sql;
    EXPECT_EQ(load.Error, error) << sql;
  }
}

TEST(CommentEditorTest, SaveCancelDeleteAndAFailingRead) {
  TData data;
  // Saving inserts, updates in place and rewrites two stored rows together.
  data.Edit("first words", TResult::Save,
            {QStringLiteral("Löschen"), QStringLiteral("Abbrechen"), QStringLiteral("Speichern")});
  EXPECT_EQ(data.Comments(), QStringList{"first words"});
  EXPECT_TRUE(data.WrittenJustNow());
  data.Run("UPDATE usr_comment SET lastdate='2001-02-03 04:05:06'");
  data.Edit("new");
  EXPECT_EQ(data.Comments(), QStringList{"new"});
  EXPECT_TRUE(data.WrittenJustNow());
  data.Run("INSERT INTO usr_comment VALUES (%pk, 'two', '')");
  data.Edit("both");
  EXPECT_EQ(data.Comments(), QStringList({"both", "both"}));
  const std::vector<TCommentDialogRequest>& requests = data.Shell.EditorRequests;
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[0].Caption, "My comment on: ORA-00942 (10.2)");
  EXPECT_EQ(requests[0].SaveCaption + requests[0].CancelCaption + requests[0].DeleteCaption +
                requests[0].TextName,
            "SpeichernAbbrechenLöschenMein Kommentar");
  // The stored text to start from; two rows are no one comment: empty.
  EXPECT_EQ(QStringList({requests[0].Text, requests[1].Text, requests[2].Text}),
            QStringList({"", "first words", ""}));
  data.Run("DELETE FROM usr_comment WHERE rowid = (SELECT max(rowid) FROM usr_comment)");
  // Texts are stored and shown back as typed.
  for (const QString& text :
       {QString(), QStringLiteral("it's O'Neil's ''view''"),
        QStringLiteral("C:\\oracle\\ and \\' too"), QStringLiteral("one\nsecond\r\nthird\n"),
        QString::fromUtf8("Grüße, 表が存在しません, 𝄞 😀, 50% of %s and %d")}) {
    data.Edit(text);
    EXPECT_EQ(data.Comments(), QStringList{text});
    const TDetailLoad load = LoadDetails(data.DB, data.Record, "My Comment");
    ASSERT_EQ(load.Rows.size(), text.isEmpty() ? 6u : 8u);
    EXPECT_EQ(load.Rows.back().Text, text.isEmpty() ? load.Rows[5].Text : text);
  }
  data.Edit("kept");
  data.Edit("changed but cancelled", TResult::Cancel);
  data.Edit("kept", TResult::Delete);  // the confirmation answered No
  EXPECT_EQ(data.Comments(), QStringList{"kept"});
  data.Shell.ConfirmAnswers = {true};
  data.Edit("kept", TResult::Delete);
  EXPECT_TRUE(data.Comments().isEmpty());
  EXPECT_EQ(data.Shell.Confirmations,
            QStringList(2, "Delete comment for ORA-00942 (10.2)\n\rAre You sure?"));
  EXPECT_FALSE(data.InTransaction());
  // A comment of 50,000,000 characters (twice the fetch memory bound of 32 MiB as UTF-16)
  // opens whole.
  data.Run(
      "INSERT INTO usr_comment VALUES (%pk, replace(hex(zeroblob(10000000)), '00', 'word '),"
      " '')");
  data.Edit("", TResult::Cancel);
  EXPECT_EQ(data.Shell.EditorRequests.back().Text, QString("word ").repeated(10'000'000));
  EXPECT_TRUE(data.Shell.Messages.isEmpty());
  // A failing read is reported and the editor stays closed.
  data.Run("DROP TABLE usr_comment");
  data.Edit("never asked");
  EXPECT_EQ(data.Shell.Messages, QStringList{"ERROR (Com): The comment could not be read: no "
                                             "such table: usr_comment"});
  EXPECT_EQ(data.Shell.EditorRequests.size(), 13u);
}

// Writes that fail: triggers stand in for a full disk or a locked file, query_only for a
// read-only file (the tests may run as root), a deferred foreign key fails only at COMMIT with
// the insert done, and a handler of the connection throws in the middle of a write.
TEST(CommentEditorTest, FailedWriteIsReportedRolledBackAndTheEditorReopensWithTheText) {
  const std::tuple<std::string, bool, const char*> cases[] = {
      {"CREATE TRIGGER t BEFORE INSERT ON usr_comment BEGIN SELECT RAISE(ABORT,'disk full'); END",
       false, "not saved: disk full"},
      {"INSERT INTO usr_comment VALUES (%pk, 'old', ''); PRAGMA query_only=ON", false,
       "not saved: attempt to write a readonly database"},
      {"DROP TABLE usr_comment; CREATE TABLE parent (id INTEGER PRIMARY KEY); CREATE TABLE "
       "usr_comment (e_fk INTEGER REFERENCES parent (id) DEFERRABLE INITIALLY DEFERRED, "
       "commentary TEXT, lastdate TEXT); PRAGMA foreign_keys=ON",
       false, "not saved: FOREIGN KEY constraint failed"},
      {"INSERT INTO usr_comment VALUES (%pk, 'stays', ''); CREATE TRIGGER t BEFORE DELETE ON "
       "usr_comment BEGIN SELECT RAISE(ABORT,'locked'); END",
       false, "not deleted: locked"},
      {"INSERT INTO usr_comment VALUES (%pk + 1, 'another', '')", true, "not saved: out of memory"},
      {"INSERT INTO usr_comment VALUES (%pk, 'stays', '')", true, "not deleted: disk gone"},
  };
  for (const auto& [sql, throwing, message] : cases) {
    TData data;
    data.Run(sql);
    const QStringList before = data.Comments();
    if (throwing) {
      data.DB.OnBeforeQuery = [](TSQLDB&, std::string& statement) {
        if (statement.starts_with("INSERT")) {
          throw std::bad_alloc();
        }
        if (statement.starts_with("DELETE")) {
          throw std::runtime_error("disk gone");
        }
      };
    }
    data.Shell.ConfirmAnswers = {true};
    data.Edit("typed with care",
              QString(message).startsWith("not deleted") ? TResult::Delete : TResult::Save);
    EXPECT_EQ(data.Shell.Messages,
              QStringList{QStringLiteral("ERROR (Com): The comment was ") + message});
    ASSERT_EQ(data.Shell.EditorRequests.size(), 2u) << sql;
    EXPECT_EQ(data.Shell.EditorRequests[1].Text, "typed with care");
    EXPECT_EQ(data.Comments(), before);
    EXPECT_FALSE(data.InTransaction());
  }
}

}  // namespace
