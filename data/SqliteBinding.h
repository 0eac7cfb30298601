#pragma once
// Binding the SQLite engine library at run time. The library is looked up by its bare file
// name (so the copy in the program's directory wins); every required entry point must be
// present, otherwise the library is unloaded again and the binding fails, to be tried anew by
// the next call. A successful SQLite 3 binding lasts for the rest of the process.
// Only the translation units of the data layer see the engine's function table.

#include <string>

// `path`: the library's file name; empty means the platform's default name, and on a
// successful load it receives the name that was loaded.
bool LoadSQLite3(std::string& path);
bool LoadSQLite2(std::string& path);
