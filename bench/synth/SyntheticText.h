#pragma once
// Deterministic made-up message texts for large test files: the same seed gives the same
// texts on every platform (no standard distributions, whose results differ between
// libraries).

#include <cstdint>
#include <string>

class TSyntheticText {
 public:
  explicit TSyntheticText(std::uint64_t seed) : State(seed) {}

  // A number in [0, bound).
  std::uint64_t Below(std::uint64_t bound) { return Next() % bound; }
  // A sentence of about `length` characters (it ends with the word that crosses it).
  std::string Sentence(std::size_t length);
  // A message text of about 50 characters, now and then with a %s or an apostrophe.
  std::string MessageText();
  // A cause (about 100 characters) or an action (about 80); one in a hundred runs to more
  // than a thousand characters in several paragraphs.
  std::string Description(std::size_t averageLength);

 private:
  std::uint64_t Next();
  std::uint64_t State;
};
