#include "tools/oerr/ErrorTokens.h"

#include <algorithm>
#include <cstring>

namespace {

// No code is this long; a longer run of digits is a number, not an error.
constexpr std::size_t kLongestCode = 40;

bool IsDigit(unsigned char byte) {
  return byte >= '0' && byte <= '9';
}

bool IsWordByte(unsigned char byte) {
  return IsDigit(byte) || (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
         byte == '_' || byte >= 0x80;
}

}  // namespace

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& ch : upper) {
    if (ch >= 'a' && ch <= 'z') {
      ch = static_cast<char>(ch - 'a' + 'A');
    }
  }
  return upper;
}

TErrorTokenScanner::TErrorTokenScanner(std::set<std::string> prefixes, THandler handler)
    : Prefixes(std::move(prefixes)), Handler(std::move(handler)) {
  for (const std::string& prefix : Prefixes) {
    if (prefix.empty()) {
      continue;
    }
    LongestPrefix = std::max(LongestPrefix, prefix.size());
    PrefixLengths.insert(prefix.size());
    const auto last = static_cast<unsigned char>(prefix.back());
    LastPrefixByte[last] = true;
    if (last >= 'A' && last <= 'Z') {
      LastPrefixByte[last - 'A' + 'a'] = true;
    }
  }
}

void TErrorTokenScanner::Feed(std::string_view bytes) {
  Data.append(bytes);
  Scan(false);
  // Keep what a token still undecided, or one whose dash is yet to come, may start with: the
  // longest prefix and the byte before it, ahead of the first dash not yet decided.
  const std::size_t keepFrom =
      Examined > LongestPrefix + 1 ? Examined - LongestPrefix - 1 : std::size_t{0};
  if (keepFrom == 0) {
    return;
  }
  CountLinesTo(keepFrom);
  Data.erase(0, keepFrom);
  Examined -= keepFrom;
  Counted -= keepFrom;
  AtStart = false;
}

void TErrorTokenScanner::Finish() {
  Scan(true);
  Data.clear();
  Examined = Counted = 0;
}

void TErrorTokenScanner::Scan(bool final) {
  while (Examined < Data.size()) {
    const void* found = std::memchr(Data.data() + Examined, '-', Data.size() - Examined);
    if (found == nullptr) {
      Examined = Data.size();
      return;
    }
    const auto dash = static_cast<std::size_t>(static_cast<const char*>(found) - Data.data());
    if (!Examine(dash, final)) {
      Examined = dash;  // wait for the bytes after it
      return;
    }
  }
}

bool TErrorTokenScanner::Examine(std::size_t dash, bool final) {
  const auto byte = [this](std::size_t at) { return static_cast<unsigned char>(Data[at]); };
  std::size_t end = dash + 1;
  while (end < Data.size() && IsDigit(byte(end)) && end - dash - 1 <= kLongestCode) {
    ++end;
  }
  if (end == Data.size() && !final && end - dash - 1 <= kLongestCode) {
    return false;
  }
  Examined = end > dash + 1 ? end : dash + 1;
  const std::size_t digits = end - dash - 1;
  if (digits == 0 || digits > kLongestCode || (end < Data.size() && IsWordByte(byte(end)))) {
    return true;
  }
  // The prefix names may hold characters of their own ("SQL*Loader"), so each length that
  // a name has is tried against the bytes before the dash.
  if (dash == 0 || !LastPrefixByte[byte(dash - 1)]) {
    return true;
  }
  std::size_t start = dash;
  std::string prefix;
  for (const std::size_t length : PrefixLengths) {
    if (length > dash) {
      continue;
    }
    const std::size_t from = dash - length;
    const bool boundary = from > 0 ? !IsWordByte(byte(from - 1)) : AtStart;
    if (boundary) {
      std::string candidate = UpperAscii(std::string_view(Data).substr(from, length));
      if (Prefixes.count(candidate) != 0) {
        start = from;
        prefix = std::move(candidate);
        break;
      }
    }
  }
  if (start == dash) {
    return true;
  }
  CountLinesTo(start);
  Handler({std::move(prefix), Data.substr(dash + 1, digits), Line});
  return true;
}

void TErrorTokenScanner::CountLinesTo(std::size_t position) {
  if (position > Counted) {
    Line += static_cast<std::uint64_t>(
        std::count(Data.begin() + static_cast<std::ptrdiff_t>(Counted),
                   Data.begin() + static_cast<std::ptrdiff_t>(position), '\n'));
    Counted = position;
  }
}
