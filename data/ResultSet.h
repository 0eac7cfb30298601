#pragma once
// The rows that one statement leaves behind. Every value is held as UTF-8 text (a number in
// the engine's text form, a BLOB as its raw bytes, NULL as empty text with a NULL flag) and is
// converted only when read. Rows and cells belong to their result: they become invalid when the
// next statement runs on the connection or when the results are cleared, so callers copy what
// they need at once. Not thread-safe: a result belongs to the thread that runs its statements.

#include <concepts>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

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

// The accessor of one field; every Field() call on a row refills the same cell.
class TResultCell {
 public:
  std::string Value;   // the field's UTF-8 text
  bool IsNull = true;  // also true for a field that does not exist

  // Empty for NULL, else UTF8Decode(Value).
  std::u16string AsWideString() const;
  // Value read as a signed decimal 32-bit integer; 0 when it is not one (empty and NULL too).
  std::int32_t AsInteger() const;
};

class TResultRow {
 public:
  explicit TResultRow(const TFieldList& columns) : Columns(&columns) {}

  int Count() const { return static_cast<int>(Values.size()); }

  // The cell, refilled for the field at `position`; a missing field reads as NULL.
  template <std::integral I>
  TResultCell& Field(I position) {
    return FieldAt(static_cast<std::int64_t>(position));
  }
  // The cell, refilled for the column of that name; an unknown name reads as a missing field.
  TResultCell& Field(std::string_view columnName);

  // Used by the connection while it fills the row.
  void Clear();
  void Reserve(int columns);
  void Append(std::string value, bool isNull);
  const std::string& ValueAt(int position) const {
    return Values[static_cast<std::size_t>(position)];
  }
  bool IsNullAt(int position) const { return Nulls[static_cast<std::size_t>(position)]; }

 private:
  TResultCell& FieldAt(std::int64_t position);

  std::vector<std::string> Values;
  std::vector<bool> Nulls;
  const TFieldList* Columns;  // the owning result's column list, not owned
  TResultCell Cell;
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
  // The next row to fill (RowCount is incremented); reuses a row object when one is there.
  TResultRow& AppendRow();
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
  bool HasResult = false;

 private:
  std::string ResultName;
  TSQLDB* OwnerDB;
  TFieldList Columns;
  std::vector<std::unique_ptr<TResultRow>> Rows;
  TResultRow EmptyRow{Columns};
};
