#pragma once
// File names of the SQLite engine libraries, as the loader and the start-up check use them.

namespace Platform {

#ifdef _WIN32
inline constexpr const char* kSqlite3LibraryName = "sqlite3.dll";
inline constexpr const char* kSqlite2LibraryName = "sqlite.dll";
#else
inline constexpr const char* kSqlite3LibraryName = "libsqlite3.so.0";
inline constexpr const char* kSqlite2LibraryName = "libsqlite.so.0";
#endif

}  // namespace Platform
