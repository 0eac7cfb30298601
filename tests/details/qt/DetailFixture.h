#pragma once
// A data file built from a catalogue in a temporary program directory, the program's kind of
// connection to it, and helpers to look up and annotate messages behind the code under test.

#include <QString>
#include <QStringList>
#include <stdexcept>
#include <string>

#include "app/QtText.h"
#include "data/LiteDb.h"
#include "search/ResultModel.h"
#include "tests/support/ProgramDirectory.h"

class TDetailFixture {
 public:
  explicit TDetailFixture(const TCatalogue& catalogue = SmallCatalogue()) {
    Directory.WriteDataFile(catalogue);
    DB.UniCode = true;
    DB.Use(Directory.DataFile());
  }

  // The result-list record of a message, as the search would build it.
  TResData Record(const std::string& version, const std::string& prefix, const std::string& code) {
    Run("SELECT e_pk, vers_name, pref_name, e_code, e_message FROM error"
        " JOIN version ON vers_fk=vers_pk JOIN prefix ON pref_fk=pref_pk"
        " WHERE vers_name='" +
        version + "' AND pref_name='" + prefix + "' AND e_code='" + code + "'");
    TResData record;
    record.pk = DB.Row(0).Field(0).AsInteger();
    record.vers = DB.Row(0).Field(1).Value;
    record.pref = DB.Row(0).Field(2).Value;
    record.code = DB.Row(0).Field(3).Value;
    record.msg = ToQString(DB.Row(0).Field(4).AsWideString());
    return record;
  }

  // The stored comments of a message, in the order they were written.
  QStringList Comments(int pk) {
    // Through the wide statement call: the 8-bit one does not decode characters beyond the BMP.
    if (!DB.QueryW(u"SELECT commentary FROM usr_comment WHERE e_fk=" + ToWide(QString::number(pk)) +
                   u" ORDER BY rowid")) {
      throw std::runtime_error("comments not read: " + DB.GetErrorMessage());
    }
    QStringList comments;
    for (int row = 0; row < DB.RowCount(); ++row) {
      comments.append(ToQString(DB.Row(row).Field(0).AsWideString()));
    }
    return comments;
  }

  void AddComment(int pk, const std::string& text) {
    Run("INSERT INTO usr_comment (e_fk, commentary, lastdate) VALUES (" + std::to_string(pk) +
        ", '" + text + "', '2001-01-01 00:00:00')");
  }

  // Runs test set-up SQL; a failure there is a broken test, not a finding.
  void Run(const std::string& sql) {
    if (!DB.Query(sql)) {
      throw std::runtime_error(sql + ": " + DB.GetErrorMessage());
    }
  }

  TTempProgramDirectory Directory;
  TLiteDB DB;
};
