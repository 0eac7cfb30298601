#pragma once
// One interface translation, lang/<code>.txt: lines "English caption<TAB>translated caption"
// (a TAB separates them, so leading and trailing blanks of a caption are kept); blank lines
// and lines starting with "#" are ignored.

#include <string>
#include <string_view>
#include <utility>
#include <vector>

using TCaptionPairs = std::vector<std::pair<std::string, std::string>>;

// Returns false with `error` ("FILE:LINE: reason") for a line without a TAB, an empty English
// caption, or an English caption translated twice (the program would then keep it English).
bool ParseLanguageFile(std::string_view content, const std::string& fileName, TCaptionPairs& pairs,
                       std::string& error);
