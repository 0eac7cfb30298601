#pragma once
// Small changes to test data files: a setting replaced or left out, a table taken away. Used
// by the start-up and window tests to stage the faults start-up must survive.

#include <string>

#include "data/passqlite.h"
#include "tools/mkdb/catalogue/Catalogue.h"

// The catalogue with `key` set to `value`, or without the key when `value` is null.
inline TCatalogue WithSetting(TCatalogue catalogue, const std::string& key, const char* value) {
  std::erase_if(catalogue.Settings, [&key](const auto& row) { return row.first == key; });
  if (value != nullptr) {
    catalogue.Settings.emplace_back(key, value);
  }
  return catalogue;
}

// Runs one UTF-8 statement on the data file through a connection of its own.
inline bool ChangeDataFile(const std::string& path, const std::string& sql) {
  TLiteDB db;
  return db.Use(path) && db.Query(sql);
}
