#include "tools/mkdb/catalogue/MessageLine.h"

#include <algorithm>

#include "tools/mkdb/catalogue/TextLines.h"

namespace {

// Reads the quoted text that `rest` starts with; empty on success.
std::string ReadQuotedText(std::string_view rest, std::string& text) {
  if (!rest.starts_with('"')) {
    return "the message text does not start with a quote";
  }
  for (std::size_t at = 1; at < rest.size(); ++at) {
    const char character = rest[at];
    if (character == '"') {
      if (!TrimBlanks(rest.substr(at + 1)).empty()) {
        return "text follows the closing quote";
      }
      return {};
    }
    if (character == '\\' && at + 1 < rest.size()) {
      const char escaped = rest[at + 1];
      if (escaped == '"' || escaped == '\\') {
        text += escaped;
        ++at;
        continue;
      }
      if (escaped == 'n') {
        text += '\n';
        ++at;
        continue;
      }
    }
    text += character;
  }
  return "the closing quote is missing";
}

}  // namespace

std::string ParseMessageLine(std::string_view line, TMessageLine& parsed) {
  const std::size_t firstComma = line.find(',');
  if (firstComma == std::string_view::npos) {
    return "not a message line (CODE, NUMBER, \"text\")";
  }
  parsed.Code = TrimBlanks(line.substr(0, firstComma));
  if (parsed.Code.empty()) {
    return "the message code is missing";
  }
  // Letters and digits only: anything else means the line is not a message line at all, while
  // an odd but plausible code (too long, or with letters) is left for the caller to skip.
  const bool plausible = std::ranges::all_of(parsed.Code, [](char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  });
  if (!plausible) {
    return "the message code \"" + parsed.Code +
           "\" holds characters other than letters and digits";
  }
  std::string_view rest = line.substr(firstComma + 1);
  const std::size_t secondComma = rest.find(',');
  const std::string_view number = TrimBlanks(rest.substr(0, secondComma));
  if (number.empty() || number.find_first_not_of("0123456789") != std::string_view::npos ||
      secondComma == std::string_view::npos) {
    return "the second field is not a number followed by a comma";
  }
  parsed.Text.clear();
  return ReadQuotedText(TrimBlanks(rest.substr(secondComma + 1)), parsed.Text);
}
