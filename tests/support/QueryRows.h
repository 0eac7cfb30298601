#pragma once
// The rows of a statement as text, each row's fields joined by "|": what a test compares a data
// file's content with. A statement that fails adds a test failure with the engine's message.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/LiteDb.h"

inline std::vector<std::string> QueryRows(TLiteDB& db, const std::string& sql) {
  EXPECT_TRUE(db.Query(sql)) << db.GetErrorMessage() << "\n" << sql;
  std::vector<std::string> rows(static_cast<std::size_t>(db.RowCount()));
  for (std::int32_t i = 0; i < db.RowCount(); ++i) {
    for (std::int32_t f = 0; f < db.Row(i).Count(); ++f) {
      rows[static_cast<std::size_t>(i)] += (f ? "|" : "") + db.Row(i).Field(f).Value;
    }
  }
  return rows;
}

// The same through a connection of its own to the file at `path`.
inline std::vector<std::string> QueryRows(const std::string& path, const std::string& sql) {
  TLiteDB db;
  db.UniCode = true;
  EXPECT_TRUE(db.Use(path)) << path;
  return QueryRows(db, sql);
}
