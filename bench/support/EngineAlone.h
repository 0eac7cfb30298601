#pragma once
// The baseline of the benchmarks: the engine library, bound by the same bare name the program
// loads it by, running a statement and reading every field as UTF-16 text, with nothing of
// ours in between.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct sqlite3;

class TEngineAlone {
 public:
  // Opens `path` (UTF-8), read-only unless `writable`; Ok() says whether binding and opening
  // worked.
  explicit TEngineAlone(const std::string& path, bool writable = false);
  ~TEngineAlone();
  TEngineAlone(const TEngineAlone&) = delete;
  TEngineAlone& operator=(const TEngineAlone&) = delete;

  bool Ok() const { return Db != nullptr; }
  // Runs the statement to its end; returns the number of rows, or -1 on failure. `checksum`
  // takes something of every field, so that no read can be left out. With `kept`, every
  // value is also copied into it, as a caller must do to keep the rows.
  std::int64_t Run(const std::u16string& sql, std::uint64_t& checksum,
                   std::vector<std::u16string>* kept = nullptr);

 private:
  void* Library = nullptr;
  sqlite3* Db = nullptr;
  struct TEntryPoints;
  std::unique_ptr<TEntryPoints> Api;
};
