#include "app/StartUpRules.h"

#include <cstdint>
#include <limits>
#include <string_view>

#include "platform/AnsiText.h"

namespace {

bool IsAsciiBlank(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

std::u16string Decimal(int value) {
  const std::string digits = std::to_string(value);
  return {digits.begin(), digits.end()};
}

}  // namespace

std::optional<int> StoredInteger(const std::u16string& stored) {
  // Read from the 8-bit text, as the file's writers store it: a digit of another script is no
  // digit here.
  const std::string ansi = Platform::WideToAnsi(stored);
  std::string_view text = ansi;
  while (!text.empty() && IsAsciiBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsAsciiBlank(text.back())) {
    text.remove_suffix(1);
  }
  const bool negative = !text.empty() && text.front() == '-';
  if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
    text.remove_prefix(1);
  }
  if (text.empty()) {
    return std::nullopt;
  }
  // Accumulated as a negative number, whose range holds the smallest int.
  constexpr std::int64_t kLowest = std::numeric_limits<int>::min();
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') {
      return std::nullopt;
    }
    value = value * 10 - (c - '0');
    if (value < kLowest) {
      return std::nullopt;
    }
  }
  if (!negative && -value > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(negative ? value : -value);
}

std::optional<std::u16string> CompatibilityProblem(const std::u16string& minReqExeVers) {
  const std::optional<int> required = StoredInteger(minReqExeVers);
  if (!required) {
    return u"E: Datafile is broken";
  }
  if (*required > kExeVersion) {
    return u"E: Can't load error messages form file. Program's version too old.";
  }
  return std::nullopt;
}

std::u16string RowLimitFromSetting(const std::u16string& maxFetchRows) {
  const std::optional<int> limit = StoredInteger(maxFetchRows);
  if (!limit) {
    return u"500";
  }
  return Decimal(*limit > 1000 ? 1000 : *limit);
}
