// Arbitrary bytes through the error-token scanner, whole and cut into pieces at sizes taken
// from the input itself: both must find the same tokens.
#include <cstdint>
#include <cstdlib>

#include "tests/tools/ScanInPieces.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const std::set<std::string> prefixes = {"ORA", "TNS", "SQL*LOADER", "O2F", "X"};
  const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  if (ScanInPieces(prefixes, text, text.size() + 1) !=
      ScanInPieces(prefixes, text, 1 + data[0] % 16)) {
    std::abort();
  }
  return 0;
}
