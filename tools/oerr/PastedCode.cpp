#include "tools/oerr/PastedCode.h"

#include <sstream>

namespace {

const char* const kNeeded = "a facility and a code are needed, as in: ora 942";

std::vector<std::string> Tokens(const std::vector<std::string>& words) {
  std::vector<std::string> tokens;
  for (const std::string& word : words) {
    std::istringstream in(word);
    for (std::string token; in >> token;) {
      tokens.push_back(token);
    }
  }
  return tokens;
}

}  // namespace

std::variant<TPastedCode, std::string> ReadPastedCode(const std::vector<std::string>& words) {
  const std::vector<std::string> tokens = Tokens(words);
  if (tokens.empty()) {
    return std::string(kNeeded);
  }
  TPastedCode pasted;
  const std::string& first = tokens.front();
  const std::size_t dash = first.find('-');
  if (dash != std::string::npos && dash > 0) {  // "ORA-00942:" as one token
    pasted.Facility = first.substr(0, dash);
    pasted.Code = first.substr(dash + 1);
  } else if (tokens.size() >= 2) {
    pasted.Facility = first;
    pasted.Code = tokens[1];
  } else {
    return std::string(kNeeded);
  }
  // What Oracle prints after a code: "ORA-00942:", and a full stop where a sentence ends.
  while (!pasted.Code.empty() &&
         std::string_view(":.,;").find(pasted.Code.back()) != std::string_view::npos) {
    pasted.Code.pop_back();
  }
  if (pasted.Code.empty()) {
    return std::string(kNeeded);
  }
  if (pasted.Code.find_first_not_of("0123456789") != std::string::npos) {
    return "'" + pasted.Code + "' is no code: a code is digits, as in: ora 942";
  }
  return pasted;
}
