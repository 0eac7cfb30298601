#pragma once
// Finds the error tokens in text of any size, read in pieces: a prefix name of the data file
// in any letter case, a "-", and one or more digits ("ORA-00942", "ora-942", "TNS-12541:"),
// standing alone: neither the byte before the prefix nor the one after the digits belongs to
// a word (ASCII letters and digits, "_", and every byte beyond ASCII, so that a UTF-8 or
// Latin-1 letter joins a word too). "XORA-1" and "ORA-123abc" are no tokens.
//
// Memory stays bounded whatever the input: at most a few dozen bytes are carried from one
// piece to the next, and a digit run longer than any code (more than 40 digits) is no token.

#include <array>
#include <cstdint>
#include <functional>
#include <set>
#include <string>
#include <string_view>

struct TErrorToken {
  std::string Prefix;  // as the data file names it (upper case)
  std::string Digits;  // as written, leading zeros kept
  std::uint64_t Line;  // counted from 1; a line ends at LF
};

// ASCII letters upper-cased, every other byte kept: the letter case the scanner compares
// prefix names in.
std::string UpperAscii(std::string_view text);

class TErrorTokenScanner {
 public:
  using THandler = std::function<void(const TErrorToken&)>;

  // `prefixes`: the prefix names, in upper case. `handler` gets each token in text order.
  TErrorTokenScanner(std::set<std::string> prefixes, THandler handler);

  // The next bytes of the text.
  void Feed(std::string_view bytes);
  // The end of the text: a token that ends there is reported now.
  void Finish();

 private:
  // Examines the dashes of Data from Examined on; at the end of the text when `final`.
  void Scan(bool final);
  // Why a dash at `dash` is or is not a token; false when the bytes after it are not there yet.
  bool Examine(std::size_t dash, bool final);
  void CountLinesTo(std::size_t position);

  std::set<std::string> Prefixes;
  std::set<std::size_t, std::greater<>> PrefixLengths;  // the longest first
  std::array<bool, 256> LastPrefixByte{};  // bytes that end a prefix name, in either case
  std::size_t LongestPrefix = 0;
  THandler Handler;
  std::string Data;          // carried bytes, then the current piece
  std::size_t Examined = 0;  // dashes before this offset of Data are decided
  std::size_t Counted = 0;   // line feeds before this offset of Data are in Line
  std::uint64_t Line = 1;
  bool AtStart = true;  // Data[0] is the first byte of the text
};
