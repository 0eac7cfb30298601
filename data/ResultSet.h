#pragma once
// The rows that one statement leaves behind. Every value is held as UTF-8 text (a number in
// the engine's text form, a BLOB as its raw bytes, NULL as empty text with a NULL flag) and is
// converted only when read. Rows belong to their result: they become invalid when the next
// statement runs on the connection or when the results are cleared. A field is handed out as a
// value of its own, which outlives both. Not thread-safe: a result belongs to the thread that
// runs its statements.

#include <concepts>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "data/TextArena.h"

struct TFieldDesc {
  std::string Name;  // UTF-8
};

// The column list of a result, looked up by position or by name.
class TFieldList {
 public:
  int Count() const { return static_cast<int>(Items.size()); }
  bool Empty() const { return Items.empty(); }
  const TFieldDesc& At(int position) const { return Items[static_cast<std::size_t>(position)]; }
  // Position of the first column of that name, or -1.
  int IndexOf(std::string_view name) const;
  void Add(std::string name);
  void Clear() { Items.clear(); }

 private:
  std::vector<TFieldDesc> Items;
};

// One field, copied out of its row.
class TResultCell {
 public:
  std::string Value;   // the field's UTF-8 text
  bool IsNull = true;  // also true for a field that does not exist

  // Empty for NULL, else UTF8Decode(Value).
  std::u16string AsWideString() const;
  // Value read as a signed decimal 32-bit integer; 0 when it is not one (empty and NULL too).
  std::int32_t AsInteger() const;
};

class TResultSet;

// Where a stored value's UTF-8 bytes lie in its result's storage.
struct TStoredValue {
  const char* Data;
  std::uint32_t Length;  // the engine's values stay below 2 GiB
  bool IsNull;
};

// A row of a result: a view of its values, which the result stores in blocks of its own.
class TResultRow {
 public:
  TResultRow(TResultSet& owner, TStoredValue* slots, int capacity)
      : Owner(&owner), Slots(slots), Capacity(capacity) {}

  int Count() const { return Columns; }

  // The field at `position`; a missing field reads as NULL.
  template <std::integral I>
  TResultCell Field(I position) const {
    return FieldAt(static_cast<std::int64_t>(position));
  }
  // The field of the column of that name; an unknown name reads as a missing field.
  TResultCell Field(std::string_view columnName) const;

  // Used while the row is filled, up to the column count given to AppendRow.
  void Append(std::string_view value, bool isNull);
  void AppendWide(std::u16string_view value);  // stored as UTF8Encode(value)
  std::string_view ValueAt(int position) const;
  bool IsNullAt(int position) const;

 private:
  TResultCell FieldAt(std::int64_t position) const;

  TResultSet* Owner;
  TStoredValue* Slots;  // in the result's storage
  int Capacity;
  int Columns = 0;
};

class TSQLDB;

class TResultSet {
 public:
  TResultSet(std::string name, TSQLDB* owner);
  TResultSet(const TResultSet&) = delete;
  TResultSet& operator=(const TResultSet&) = delete;

  // Row i when 0 <= i < RowCount, else the empty row (every field reads as missing).
  TResultRow& Row(std::int32_t i);
  const TFieldList& Fields() const { return Columns; }
  const std::string& Name() const { return ResultName; }
  TSQLDB* Owner() const { return OwnerDB; }

  // Frees the rows and column list; zeroes the counters, ErrorCode and ErrorText.
  void Clear();
  // Fails the statement with the layer's own reason, which GetErrorMessage then gives rather
  // than the engine's message (which knows nothing of it).
  void FailWithOwnText(std::int32_t code, std::string text);
  // A new, empty row with room for `columns` values (RowCount is incremented).
  TResultRow& AppendRow(int columns);
  // Column names, taken once from the first row of a statement.
  TFieldList& MutableFields() { return Columns; }

  std::string ResultAsText() const;
  std::string ResultAsCommaSeperated() const;
  std::string ResultAsHTML() const;

  std::int32_t RowCount = 0;
  std::int32_t ColCount = 0;
  std::int64_t RowsAffected = 0;
  std::int64_t LastInsertID = 0;
  std::string SQL;
  std::int64_t FetchedBytes = 0;  // 64 bits: a raised limit must not overflow it
  std::int32_t ErrorCode = 0;
  std::string ErrorText;
  bool ErrorTextIsOwn = false;  // set by FailWithOwnText
  bool HasResult = false;

 private:
  friend class TResultRow;

  // Every value of every row, and where each lies, in blocks: a large fetch allocates
  // neither per row nor per value.
  std::string ResultName;
  TSQLDB* OwnerDB;
  TFieldList Columns;
  TTextArena Text;
  std::deque<TResultRow> Rows;  // a deque: rows handed out stay put while more are appended
  TResultRow EmptyRow{*this, nullptr, 0};
};
