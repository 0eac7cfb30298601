#include "bench/synth/SyntheticText.h"

#include <array>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 64> kWords{
    "table",     "view",        "index",     "session", "user",      "privilege", "column",
    "value",     "statement",   "cursor",    "buffer",  "segment",   "file",      "block",
    "process",   "listener",    "service",   "name",    "object",    "schema",    "trigger",
    "package",   "procedure",   "argument",  "limit",   "memory",    "timeout",   "lock",
    "resource",  "transaction", "rollback",  "commit",  "network",   "address",   "protocol",
    "server",    "client",      "request",   "record",  "field",     "format",    "number",
    "date",      "string",      "character", "set",     "parameter", "option",    "feature",
    "operation", "not",         "is",        "was",     "could",     "cannot",    "invalid",
    "missing",   "exceeded",    "failed",    "found",   "the",       "a",         "during",
    "can't"};

}  // namespace

std::uint64_t TSyntheticText::Next() {
  // splitmix64: small, fast and the same everywhere.
  std::uint64_t z = (State += 0x9E3779B97F4A7C15ULL);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::string TSyntheticText::Sentence(std::size_t length) {
  std::string sentence;
  while (sentence.size() < length) {
    if (!sentence.empty()) {
      sentence += ' ';
    }
    sentence += kWords[Below(kWords.size())];
  }
  return sentence;
}

std::string TSyntheticText::MessageText() {
  std::string text = Sentence(20 + Below(60));
  if (Below(5) == 0) {
    text += " \"%s\"";
  }
  return text;
}

std::string TSyntheticText::Description(std::size_t averageLength) {
  if (Below(100) != 0) {
    return Sentence(averageLength / 2 + Below(averageLength)) + ".";
  }
  std::string text;
  const std::uint64_t paragraphs = 3 + Below(4);
  for (std::uint64_t i = 0; i < paragraphs; ++i) {
    if (i > 0) {
      text += '\n';
    }
    text += Sentence(250 + Below(250)) + ".";
  }
  return text;
}
