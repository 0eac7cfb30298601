#include "data/ResultSet.h"

#include <charconv>
#include <utility>

#include "data/Utf8Text.h"

int TFieldList::IndexOf(std::string_view name) const {
  for (std::size_t i = 0; i < Items.size(); ++i) {
    if (Items[i].Name == name) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void TFieldList::Add(std::string name) {
  Items.push_back(TFieldDesc{std::move(name)});
}

std::u16string TResultCell::AsWideString() const {
  return IsNull ? std::u16string() : UTF8Decode(Value);
}

std::int32_t TResultCell::AsInteger() const {
  std::string_view text = Value;
  if (IsNull || text.empty()) {
    return 0;
  }
  if (text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') {
      return 0;
    }
  }
  std::int32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  const bool whole = error == std::errc() && end == text.data() + text.size();
  return whole ? number : 0;
}

TResultCell& TResultRow::Field(std::string_view columnName) {
  return FieldAt(Columns->IndexOf(columnName));
}

TResultCell& TResultRow::FieldAt(std::int64_t position) {
  if (position >= 0 && position < Count()) {
    const auto at = static_cast<std::size_t>(position);
    Cell.Value = Values[at];
    Cell.IsNull = Nulls[at];
  } else {
    Cell.Value.clear();
    Cell.IsNull = true;
  }
  return Cell;
}

void TResultRow::Clear() {
  Values.clear();
  Nulls.clear();
}

void TResultRow::Reserve(int columns) {
  Values.reserve(static_cast<std::size_t>(columns));
  Nulls.reserve(static_cast<std::size_t>(columns));
}

void TResultRow::Append(std::string value, bool isNull) {
  Values.push_back(std::move(value));
  Nulls.push_back(isNull);
}

TResultSet::TResultSet(std::string name, TSQLDB* owner)
    : ResultName(std::move(name)), OwnerDB(owner) {}

TResultRow& TResultSet::Row(std::int32_t i) {
  if (i >= 0 && i < RowCount && static_cast<std::size_t>(i) < Rows.size()) {
    return *Rows[static_cast<std::size_t>(i)];
  }
  return EmptyRow;
}

void TResultSet::Clear() {
  Rows.clear();
  Columns.Clear();
  RowCount = 0;
  RowsAffected = 0;
  LastInsertID = 0;
  FetchedBytes = 0;
  ErrorCode = 0;
  ErrorText.clear();
}

TResultRow& TResultSet::AppendRow() {
  ++RowCount;
  const auto position = static_cast<std::size_t>(RowCount - 1);
  if (position < Rows.size()) {
    Rows[position]->Clear();
  } else {
    Rows.push_back(std::make_unique<TResultRow>(Columns));
  }
  return *Rows[position];
}
