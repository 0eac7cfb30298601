#include "search/SearchRunner.h"

#include "app/QtText.h"
#include "data/passql.h"
#include "platform/AnsiText.h"

namespace {

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Code units that hold the first `capacity` characters; a surrogate pair is one character.
std::size_t UnitsOfCharacters(const std::u16string& text, int capacity) {
  std::size_t units = 0;
  for (int characters = 0; characters < capacity && units < text.size(); ++characters) {
    const bool pair =
        IsHighSurrogate(text[units]) && units + 1 < text.size() && IsLowSurrogate(text[units + 1]);
    units += pair ? 2 : 1;
  }
  return units;
}

TResData RecordOfRow(TResultRow& row) {
  TResData record;
  record.pk = row.Field(0).AsInteger();
  record.vers = ToAnsiField(row.Field(1).AsWideString(), VersCapacity);
  record.pref = ToAnsiField(row.Field(2).AsWideString(), PrefCapacity);
  record.code = ToAnsiField(row.Field(3).AsWideString(), CodeCapacity);
  record.msg = ToQString(row.Field(4).AsWideString());
  return record;
}

}  // namespace

std::string ToAnsiField(const std::u16string& text, int capacity) {
  // Cutting the wide text before converting keeps every character whole in any code page,
  // also in UTF-8 where one character takes up to four bytes.
  const std::u16string_view wide(text);
  return Platform::WideToAnsi(wide.substr(0, UnitsOfCharacters(text, capacity)));
}

TSearchOutcome RunSearchStatement(TSQLDB& db, const std::u16string& statement) {
  TSearchOutcome outcome;
  outcome.Ok = db.QueryW(statement);
  if (!outcome.Ok) {
    outcome.ErrorText = ToQString(Platform::AnsiToWide(db.GetErrorMessage()));
  } else {
    const std::int32_t rows = db.RowCount();
    outcome.Records.reserve(static_cast<std::size_t>(rows));
    for (std::int32_t i = 0; i < rows; ++i) {
      outcome.Records.push_back(RecordOfRow(db.Row(i)));
    }
  }
  db.ClearResults();
  return outcome;
}

QString SearchStatusText(std::size_t recordCount) {
  if (recordCount == 0) {
    return QStringLiteral("Not found");
  }
  return QStringLiteral("Found %1 record(s)").arg(recordCount);
}
