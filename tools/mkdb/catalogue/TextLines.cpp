#include "tools/mkdb/catalogue/TextLines.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>

#include "tools/cli/Paths.h"

namespace {

// Length of the UTF-8 sequence starting at `text[at]`, or 0 when it is not a well-formed one
// (overlong forms, surrogates and values above U+10FFFF included).
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 0;
  unsigned char low = 0x80;
  unsigned char high = 0xBF;
  if (lead < 0x80) {
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (at + length > text.size()) {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[at + i]);
    if (next < (i == 1 ? low : 0x80) || next > (i == 1 ? high : 0xBF)) {
      return 0;
    }
  }
  return length;
}

}  // namespace

bool ReadWholeFile(const std::filesystem::path& path, std::string& content, std::string& error) {
  const std::string name = Utf8Path(path);
  if (const std::optional<std::string> problem = NotAFile(name, "no such file", false)) {
    error = name + ": " + *problem;
    return false;
  }
  std::ifstream file(path, std::ios::binary);
  if (file) {
    content.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  }
  if (!file.is_open() || file.bad()) {
    error = name + ": cannot be read: " + std::strerror(errno);
    return false;
  }
  return true;
}

std::optional<TTextProblem> CheckUtf8Text(std::string_view content) {
  std::size_t line = 1;
  for (std::size_t at = 0; at < content.size();) {
    if (content[at] == '\0') {
      return TTextProblem{line, "NUL character"};
    }
    if (content[at] == '\n') {
      ++line;
    }
    const std::size_t length = Utf8SequenceLength(content, at);
    if (length == 0) {
      return TTextProblem{line, "not UTF-8 text"};
    }
    at += length;
  }
  return std::nullopt;
}

std::vector<std::string_view> SplitLines(std::string_view content) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (content.starts_with(kByteOrderMark)) {
    content.remove_prefix(kByteOrderMark.size());
  }
  std::vector<std::string_view> lines;
  while (!content.empty()) {
    const std::size_t end = content.find('\n');
    std::string_view line = content.substr(0, end);
    if (line.ends_with('\r')) {
      line.remove_suffix(1);
    }
    lines.push_back(line);
    content.remove_prefix(end == std::string_view::npos ? content.size() : end + 1);
  }
  return lines;
}

std::string_view TrimBlanks(std::string_view text) {
  constexpr std::string_view kBlanks = " \t\r";
  const std::size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) {
    return {};
  }
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

bool ReadEntryLines(std::string_view content, const std::string& fileName,
                    const std::function<std::string(std::string_view line)>& parseEntry,
                    std::string& error) {
  if (const std::optional<TTextProblem> problem = CheckUtf8Text(content)) {
    error = fileName + ":" + std::to_string(problem->Line) + ": " + problem->Reason;
    return false;
  }
  std::size_t lineNumber = 0;
  for (const std::string_view line : SplitLines(content)) {
    ++lineNumber;
    if (TrimBlanks(line).empty() || line.starts_with('#')) {
      continue;
    }
    if (std::string problem = parseEntry(line); !problem.empty()) {
      error = fileName + ":" + std::to_string(lineNumber) + ": " + problem;
      return false;
    }
  }
  return true;
}
