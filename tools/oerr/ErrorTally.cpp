#include "tools/oerr/ErrorTally.h"

void TErrorTally::Add(const TErrorToken& token, const std::string& file) {
  const std::size_t significant = token.Digits.find_first_not_of('0');
  std::string key = token.Prefix + '-';
  key += significant == std::string::npos ? "0" : token.Digits.substr(significant);
  const auto [entry, added] = Index.try_emplace(std::move(key), Seen.size());
  if (added) {
    Seen.push_back({token.Prefix, token.Digits, 0, file, token.Line});
  }
  ++Seen[entry->second].Count;
}
