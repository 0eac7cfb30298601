#pragma once
// The distinct errors of one or more texts, in the order of their first appearance, with how
// often each was seen. "ora-942" and "ORA-00942" are one error: codes compare by their
// digits without leading zeros. Memory grows with the number of distinct errors only.

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "tools/oerr/ErrorTokens.h"

struct TSeenError {
  std::string Prefix;
  std::string Digits;  // as first written
  std::uint64_t Count = 0;
  std::string FirstFile;
  std::uint64_t FirstLine = 0;
};

class TErrorTally {
 public:
  void Add(const TErrorToken& token, const std::string& file);
  const std::vector<TSeenError>& InOrder() const { return Seen; }

 private:
  std::vector<TSeenError> Seen;
  std::unordered_map<std::string, std::size_t> Index;  // by prefix and significant digits
};
