// Arbitrary words (the input split at NUL bytes, as a command line reaches a program) through
// the tools' option reader and the reader of pasted codes: never a crash, and what either
// accepts is made of the words it was given.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "tools/cli/ArgumentReader.h"
#include "tools/oerr/PastedCode.h"

namespace {

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

bool IsPartOfAWord(const std::vector<std::string>& words, const std::string& text) {
  return std::any_of(words.begin(), words.end(), [&text](const std::string& word) {
    return word.find(text) != std::string::npos;
  });
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> words(1);
  for (std::size_t at = 0; at < size; ++at) {
    if (data[at] == 0) {
      words.emplace_back();
    } else {
      words.back() += static_cast<char>(data[at]);
    }
  }
  TCommandDefinition definition;
  definition.Options = {{"--db", "FILE", ""}, {"--json", "", ""}};
  definition.LeastOperands = 1;
  definition.MostOperands = 3;
  definition.Needs = "an operand";
  const TReading reading = ReadArguments(definition, words);
  if (reading.Kind == TReading::TKind::Arguments) {
    const TArguments& read = reading.Arguments;
    Require(read.Operands.size() >= 1 && read.Operands.size() <= 3);
    for (const std::string& operand : read.Operands) {
      Require(std::find(words.begin(), words.end(), operand) != words.end());
    }
    for (const auto& [name, value] : read.Options) {
      Require(name == "--db" || name == "--json" || name == "--wait");
      Require(value.empty() || IsPartOfAWord(words, value));
    }
    Require(read.Wait.count() >= 0);
  }
  const auto pasted = ReadPastedCode(words);
  if (const TPastedCode* code = std::get_if<TPastedCode>(&pasted)) {
    Require(!code->Code.empty() && code->Code.find_first_not_of("0123456789") == std::string::npos);
    Require(!code->Facility.empty() && IsPartOfAWord(words, code->Facility));
  }
  return 0;
}
