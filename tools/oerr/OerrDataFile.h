#pragma once
// The data file as the terminal lookup opens it: read-only, with the window's own start-up
// checks and their texts, and with the program's upper-casing, so that words beyond ASCII
// match as they do in the window.

#include <string>
#include <vector>

class TLiteDB;

struct TOerrDataFile {
  std::vector<std::string> Versions;  // UTF-8, in the data file's order
  std::vector<std::string> Prefixes;
  std::string RowLimit;  // for --grep and --comment, as the window limits a search
  // What the window would have said; the file is not to be used when there is anything.
  std::vector<std::string> Problems;
};

// Opens `path` (UTF-8) on `db`, which must not have a file open yet.
TOerrDataFile OpenOerrDataFile(TLiteDB& db, const std::string& path);
