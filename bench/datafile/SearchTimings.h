#pragma once
// Median times of the search statement's shapes on one data file.

#include <string>

class TLiteDB;

// Runs each shape `repeats` times on `db` and prints one line per shape, prefixed by `label`.
// Returns the sum of the medians in milliseconds.
double PrintSearchTimings(TLiteDB& db, const std::string& label, int repeats);
