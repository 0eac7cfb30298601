#include "tools/mkdb/LanguageFile.h"

#include <algorithm>

#include "tools/mkdb/TextLines.h"

namespace {

std::string ParseCaptionLine(std::string_view line, TCaptionPairs& pairs) {
  const std::size_t tab = line.find('\t');
  if (tab == std::string_view::npos) {
    return "a TAB must separate the English caption from its translation";
  }
  std::string english(line.substr(0, tab));
  if (english.empty()) {
    return "the English caption is empty";
  }
  if (std::ranges::any_of(pairs, [&](const auto& pair) { return pair.first == english; })) {
    return "\"" + english + "\" is translated twice";
  }
  pairs.emplace_back(std::move(english), line.substr(tab + 1));
  return {};
}

}  // namespace

bool ParseLanguageFile(std::string_view content, const std::string& fileName, TCaptionPairs& pairs,
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
    if (std::string problem = ParseCaptionLine(line, pairs); !problem.empty()) {
      error = fileName + ":" + std::to_string(lineNumber) + ": " + problem;
      return false;
    }
  }
  return true;
}
