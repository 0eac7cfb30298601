#include "tools/mkdb/catalogue/SqlText.h"

void AppendSqlText(std::string& sql, std::string_view text) {
  sql += '\'';
  for (const char character : text) {
    if (character == '\'') {
      sql += '\'';
    }
    sql += character;
  }
  sql += '\'';
}

void AppendSqlTextOrNull(std::string& sql, const std::optional<std::string>& text) {
  if (text) {
    AppendSqlText(sql, *text);
  } else {
    sql += "NULL";
  }
}

std::string& TInsertBatch::BeginRow() {
  if (Rows > 0) {
    Sql += ',';
  }
  Sql += '(';
  ++Rows;
  return Sql;
}

void TInsertBatch::Clear() {
  Sql = Head;
  Rows = 0;
}
