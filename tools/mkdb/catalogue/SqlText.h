#pragma once
// Writing values into UTF-8 SQL text, and batching many rows into one INSERT statement: the
// builder writes through the database layer's statement text, and one statement per few
// hundred rows keeps a million-row import fast.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

// Appends `text` as an SQL string literal: apostrophes doubled, the whole between apostrophes.
void AppendSqlText(std::string& sql, std::string_view text);
// The same, or NULL when there is no value.
void AppendSqlTextOrNull(std::string& sql, const std::optional<std::string>& text);

class TInsertBatch {
 public:
  // `head`: "INSERT INTO table (columns) VALUES ".
  explicit TInsertBatch(std::string head) : Head(std::move(head)) { Clear(); }

  // The text of the next row, to be filled with the values separated by commas.
  std::string& BeginRow();
  // Closes the row begun last.
  void EndRow() { Sql += ')'; }

  bool Empty() const { return Rows == 0; }
  // Whether the statement is big enough to be run now.
  bool Full() const { return Rows >= kMaxRows || Sql.size() >= kMaxBytes; }
  const std::string& Statement() const { return Sql; }
  void Clear();

 private:
  static constexpr std::size_t kMaxRows = 400;
  static constexpr std::size_t kMaxBytes = 512 * 1024;

  std::string Head;
  std::string Sql;
  std::size_t Rows = 0;
};
