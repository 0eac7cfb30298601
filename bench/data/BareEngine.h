#pragma once
// The baseline: the engine called directly, as a program without a database layer would.
// It is loaded by the same bare name as the layer loads it, so both use the same copy.

#include <cstddef>
#include <string>
#include <vector>

class TBareEngine {
 public:
  explicit TBareEngine(const std::string& path);
  ~TBareEngine();
  TBareEngine(const TBareEngine&) = delete;
  TBareEngine& operator=(const TBareEngine&) = delete;

  bool Ok() const { return Db != nullptr; }
  // Prepares the wide statement, steps it and reads every column as UTF-16 text; returns the
  // number of rows and adds the UTF-16 units read to `units`.
  // With `kept`, every value is also copied into it, as a caller must do to keep the rows.
  int FetchAll(const std::u16string& statement, std::size_t& units,
               std::vector<std::u16string>* kept = nullptr);

 private:
  void* Library = nullptr;
  void* Db = nullptr;
};
