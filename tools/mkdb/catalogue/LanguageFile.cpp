#include "tools/mkdb/catalogue/LanguageFile.h"

#include <algorithm>

#include "tools/mkdb/catalogue/TextLines.h"

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
  return ReadEntryLines(
      content, fileName, [&pairs](std::string_view line) { return ParseCaptionLine(line, pairs); },
      error);
}
