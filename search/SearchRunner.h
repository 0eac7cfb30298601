#pragma once
// Running the search statement on the connection and copying its rows into result-list
// records at once, so that the connection's result can be released before anything else runs.

#include <QString>
#include <cstddef>
#include <string>
#include <vector>

#include "search/ResultModel.h"

class TSQLDB;

struct TSearchOutcome {
  bool Ok = false;
  QString ErrorText;              // the engine's message when the statement failed
  std::vector<TResData> Records;  // one per row, in the statement's order
};

// Capacities of the short record fields, in characters.
inline constexpr int VersCapacity = 255;
inline constexpr int PrefCapacity = 10;
inline constexpr int CodeCapacity = 5;

// Runs `statement` with QueryW, copies every row (or the error text) and releases the
// connection's result with ClearResults, on failure too.
TSearchOutcome RunSearchStatement(TSQLDB& db, const std::u16string& statement);

// The 8-bit form of `text` holding at most `capacity` characters; a character is never split,
// whatever the number of bytes it takes.
std::string ToAnsiField(const std::u16string& text, int capacity);

// "Found N record(s)" for rows, "Not found" for none.
QString SearchStatusText(std::size_t recordCount);
