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

TResultCell TResultRow::Field(std::string_view columnName) const {
  return FieldAt(Owner->Fields().IndexOf(columnName));
}

TResultCell TResultRow::FieldAt(std::int64_t position) const {
  if (position < 0 || position >= Count()) {
    return {};
  }
  const int at = static_cast<int>(position);
  return {std::string(ValueAt(at)), IsNullAt(at)};
}

std::string_view TResultRow::ValueAt(int position) const {
  const TStoredValue& stored = Slots[position];
  return std::string_view(stored.Data, stored.Length);
}

bool TResultRow::IsNullAt(int position) const {
  return Slots[position].IsNull;
}

void TResultRow::Append(std::string_view value, bool isNull) {
  if (Columns == Capacity) {
    return;
  }
  char* stored = Owner->Text.Allocate(value.size());
  value.copy(stored, value.size());
  Slots[Columns++] = {stored, static_cast<std::uint32_t>(value.size()), isNull};
}

void TResultRow::AppendWide(std::u16string_view value) {
  if (Columns == Capacity) {
    return;
  }
  const std::size_t room = value.size() * 3;
  char* stored = Owner->Text.Allocate(room);
  const std::size_t length = UTF8EncodeTo(value, stored);
  Owner->Text.ShrinkLast(room, length);
  Slots[Columns++] = {stored, static_cast<std::uint32_t>(length), false};
}

TResultSet::TResultSet(std::string name, TSQLDB* owner)
    : ResultName(std::move(name)), OwnerDB(owner) {}

TResultRow& TResultSet::Row(std::int32_t i) {
  if (i >= 0 && i < RowCount && static_cast<std::size_t>(i) < Rows.size()) {
    return Rows[static_cast<std::size_t>(i)];
  }
  return EmptyRow;
}

void TResultSet::Clear() {
  Rows.clear();
  Text.Clear();
  Columns.Clear();
  RowCount = 0;
  RowsAffected = 0;
  LastInsertID = 0;
  FetchedBytes = 0;
  ErrorCode = 0;
  ErrorText.clear();
  ErrorTextIsOwn = false;
}

void TResultSet::FailWithOwnText(std::int32_t code, std::string text) {
  ErrorCode = code;
  ErrorText = std::move(text);
  ErrorTextIsOwn = true;
}

TResultRow& TResultSet::AppendRow(int columns) {
  ++RowCount;
  const std::size_t count = columns > 0 ? static_cast<std::size_t>(columns) : 0;
  void* slots = Text.Allocate(count * sizeof(TStoredValue), alignof(TStoredValue));
  return Rows.emplace_back(*this, static_cast<TStoredValue*>(slots), static_cast<int>(count));
}
