#include "tools/mkdb/comments/CommentTransfer.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <map>
#include <optional>

#include "tools/cli/OutputFile.h"
#include "tools/cli/ToolDataFile.h"
#include "tools/mkdb/catalogue/SqlText.h"

namespace {

// Every comment of a file, and every message key of an import, may be wanted at once.
constexpr std::int32_t kNoFetchLimit = std::numeric_limits<std::int32_t>::max();

std::int64_t Key(const TResultCell& cell) {
  std::int64_t key = 0;
  std::from_chars(cell.Value.data(), cell.Value.data() + cell.Value.size(), key);
  return key;
}

// Opened as a tool opens a data file, with room for every comment of a file at once.
bool OpenFile(TToolDataFile& file, TFailure& failure) {
  file.Db().FetchMemoryLimit = kNoFetchLimit;
  if (!file.Open()) {
    failure = file.OpenFailure();
    return false;
  }
  return true;
}

// What a message of the target holds while the records are applied one by one.
struct TMessageComment {
  bool Stored = false;   // the target had rows for it before the import
  bool Present = false;  // it has a comment now (stored, or written by an earlier record)
  bool Uniform = true;   // all its rows hold one text
  std::string Text;
  std::string LastDate;                     // the latest of its rows; empty when none has one
  const TCommentRecord* Written = nullptr;  // the record that is to replace it
};

class TImport {
 public:
  TImport(TToolDataFile& file, const std::vector<TCommentRecord>& records,
          const TCommentImportOptions& options, TCommentImportSummary& summary)
      : File(file), DB(file.Db()), Records(records), Options(options), Summary(summary) {}

  bool Run(TFailure& failure) {
    const bool read = Run("BEGIN IMMEDIATE") && Place() && ReadExisting();
    if (read) {
      Apply();
    }
    const bool done = read && Write() &&
                      Run("DROP TABLE temp.comment_import; DROP TABLE temp.comment_update") &&
                      Run("COMMIT");
    if (!done) {
      failure = Failure;
      DB.Query("ROLLBACK");  // also drops the temporary tables created inside it
    }
    return done;
  }

 private:
  bool Run(const std::string& sql) {
    if (DB.Query(sql)) {
      return true;
    }
    const std::string engine = DB.GetErrorMessage();
    Failure = File.Failure(engine.empty() ? DB.CurrentResult().ErrorText : engine);
    return false;
  }

  // Finds the message of every record's identity through the target's name and code indexes.
  bool Place() {
    if (!Run("CREATE TEMP TABLE comment_import (row INTEGER PRIMARY KEY, vers TEXT, pref TEXT, "
             "code TEXT); CREATE TEMP TABLE comment_update (e_fk INTEGER PRIMARY KEY, "
             "commentary TEXT, lastdate TEXT)")) {
      return false;
    }
    TInsertBatch batch("INSERT INTO temp.comment_import (row, vers, pref, code) VALUES ");
    for (std::size_t i = 0; i < Records.size(); ++i) {
      std::string& row = batch.BeginRow();
      row += std::to_string(i);
      for (const std::string* field : {&Records[i].Version, &Records[i].Prefix, &Records[i].Code}) {
        row += ',';
        AppendSqlText(row, *field);
      }
      batch.EndRow();
      if ((batch.Full() || i + 1 == Records.size()) && !Flush(batch)) {
        return false;
      }
    }
    if (!Run("SELECT i.row, count(e.e_pk), min(e.e_pk) FROM temp.comment_import i "
             "LEFT JOIN version v ON v.vers_name = i.vers "
             "LEFT JOIN prefix p ON p.pref_name = i.pref "
             "LEFT JOIN error e ON e.e_code = i.code AND e.pref_fk = p.pref_pk "
             "AND e.vers_fk = v.vers_pk GROUP BY i.row ORDER BY i.row")) {
      return false;
    }
    Placed.assign(Records.size(), 0);
    for (std::int32_t r = 0; r < DB.RowCount(); ++r) {
      TResultRow& row = DB.Row(r);
      const auto index = static_cast<std::size_t>(Key(row.Field(0)));
      const std::int64_t matches = Key(row.Field(1));
      if (matches == 1) {
        Placed[index] = Key(row.Field(2));
      } else {
        Summary.Unplaced.push_back(
            {Records[index],
             matches == 0 ? "no such message" : std::to_string(matches) + " messages match"});
      }
    }
    return true;
  }

  bool Flush(TInsertBatch& batch) {
    const bool written = batch.Empty() || Run(batch.Statement());
    batch.Clear();
    return written;
  }

  bool ReadExisting() {
    if (!Run("SELECT e_fk, commentary, lastdate FROM usr_comment WHERE e_fk IN "
             "(SELECT e.e_pk FROM temp.comment_import i "
             "JOIN version v ON v.vers_name = i.vers JOIN prefix p ON p.pref_name = i.pref "
             "JOIN error e ON e.e_code = i.code AND e.pref_fk = p.pref_pk "
             "AND e.vers_fk = v.vers_pk) ORDER BY rowid")) {
      return false;
    }
    for (std::int32_t r = 0; r < DB.RowCount(); ++r) {
      TResultRow& row = DB.Row(r);
      TMessageComment& message = Messages[Key(row.Field(0))];
      std::string text = row.Field(1).Value;  // NULL reads as an empty comment
      const std::string lastDate = row.Field(2).Value;
      if (message.Stored && text != message.Text) {
        message.Uniform = false;
      }
      message.Stored = message.Present = true;
      message.Text = std::move(text);
      message.LastDate = std::max(message.LastDate, lastDate);
    }
    return true;
  }

  // Decides every placed record in file order, as if each were saved in turn.
  void Apply() {
    for (std::size_t i = 0; i < Records.size(); ++i) {
      if (Placed[i] == 0) {
        continue;
      }
      const TCommentRecord& record = Records[i];
      TMessageComment& message = Messages[Placed[i]];
      if (!message.Present) {
        ++Summary.Inserted;
      } else if (message.Uniform && message.Text == record.Text) {
        ++Summary.Unchanged;
        continue;
      } else if (Options.Overwrite || record.LastDate > message.LastDate) {
        ++Summary.Replaced;
      } else {
        ++Summary.KeptNewer;
        continue;
      }
      message.Present = true;
      message.Uniform = true;
      message.Text = record.Text;
      message.LastDate = record.LastDate;
      message.Written = &record;
    }
  }

  // One INSERT for a message without rows; an UPDATE of all its rows otherwise.
  bool Write() {
    TInsertBatch inserts("INSERT INTO usr_comment (e_fk, commentary, lastdate) VALUES ");
    TInsertBatch updates("INSERT INTO temp.comment_update (e_fk, commentary, lastdate) VALUES ");
    for (const auto& [key, message] : Messages) {
      if (message.Written == nullptr) {
        continue;
      }
      TInsertBatch& batch = message.Stored ? updates : inserts;
      std::string& row = batch.BeginRow();
      row += std::to_string(key) + ',';
      AppendSqlText(row, message.Written->Text);
      row += ',';
      AppendSqlTextOrNull(row, message.Written->LastDate.empty()
                                   ? std::nullopt
                                   : std::optional<std::string>(message.Written->LastDate));
      batch.EndRow();
      if (batch.Full() && !Flush(batch)) {
        return false;
      }
    }
    return Flush(inserts) && Flush(updates) &&
           Run("UPDATE usr_comment SET "
               "commentary = (SELECT u.commentary FROM temp.comment_update u "
               "WHERE u.e_fk = usr_comment.e_fk), "
               "lastdate = (SELECT u.lastdate FROM temp.comment_update u "
               "WHERE u.e_fk = usr_comment.e_fk) "
               "WHERE e_fk IN (SELECT e_fk FROM temp.comment_update)");
  }

  TToolDataFile& File;
  TLiteDB& DB;
  const std::vector<TCommentRecord>& Records;
  const TCommentImportOptions& Options;
  TCommentImportSummary& Summary;
  std::vector<std::int64_t> Placed;  // the message key of each record, 0 when unplaced
  std::map<std::int64_t, TMessageComment> Messages;
  TFailure Failure;
};

// Written once the comments are committed: a file that names comments as left out of an import
// that did not happen would mislead. The comments are still in the input when it fails.
void WriteUnplaced(const std::string& target, TCommentImportSummary& summary) {
  if (summary.Unplaced.empty()) {
    return;
  }
  std::string csv;
  AppendCommentsCsvHeader(csv);
  for (const TUnplacedComment& unplaced : summary.Unplaced) {
    AppendCommentsCsvRecord(csv, unplaced.Record);
  }
  const std::string path = UnplacedCommentsPath(target);
  if (WriteOutputFile(path, csv, summary.UnplacedError)) {
    summary.UnplacedFile = path;
  }
}

}  // namespace

bool ReadComments(const std::string& path, std::chrono::milliseconds wait,
                  std::vector<TCommentRecord>& records, std::vector<std::string>& warnings,
                  TFailure& failure) {
  records.clear();
  TToolDataFile file(path, {true, wait, kExitFailed});
  if (!OpenFile(file, failure)) {
    return false;
  }
  TLiteDB& db = file.Db();
  if (!db.Query("SELECT v.vers_name, p.pref_name, e.e_code, c.commentary, c.lastdate, "
                "c.e_fk, e.e_pk IS NOT NULL AND v.vers_pk IS NOT NULL AND p.pref_pk IS NOT NULL "
                "FROM usr_comment c LEFT JOIN error e ON e.e_pk = c.e_fk "
                "LEFT JOIN version v ON v.vers_pk = e.vers_fk "
                "LEFT JOIN prefix p ON p.pref_pk = e.pref_fk "
                "ORDER BY v.vers_name, p.pref_name, e.e_code, c.rowid")) {
    failure = file.Failure(db.GetErrorMessage());
    return false;
  }
  records.reserve(static_cast<std::size_t>(db.RowCount()));
  for (std::int32_t r = 0; r < db.RowCount(); ++r) {
    TResultRow& row = db.Row(r);
    TCommentRecord record{row.Field(0).Value, row.Field(1).Value, row.Field(2).Value,
                          row.Field(3).Value, row.Field(4).Value};
    if (row.Field(6).Value != "1") {
      record.Version.clear();
      record.Prefix.clear();
      record.Code.clear();
      warnings.push_back(path + ": the comment on message key " + row.Field(5).Value +
                         " has no complete message in the file; it goes without its identity");
    }
    records.push_back(std::move(record));
  }
  return true;
}

std::string UnplacedCommentsPath(const std::string& target) {
  return target + ".unplaced.csv";
}

bool ImportComments(const std::string& target, const std::vector<TCommentRecord>& records,
                    const TCommentImportOptions& options, TCommentImportSummary& summary,
                    TFailure& failure) {
  summary = {};
  TToolDataFile file(target, {false, options.Wait, kExitFailed});
  if (!OpenFile(file, failure)) {
    return false;
  }
  TImport import(file, records, options, summary);
  if (!import.Run(failure)) {
    summary = {};
    return false;
  }
  WriteUnplaced(target, summary);
  return true;
}
