#pragma once
// The layout of the message data file: the tables every statement of the program names, and
// the indexes that serve those statements. Indexes are created after the bulk insert, which
// is faster than keeping them up to date row by row.

#include <string_view>

// Creates the tables (UTF-8 SQL, several statements).
extern const std::string_view kCreateTablesSql;

// Creates the indexes and gathers the planner's statistics (several statements). Safe to run
// on a file that already has them.
extern const std::string_view kCreateIndexesSql;
