#include "tools/mkdb/catalogue/Manifest.h"

#include <algorithm>

#include "tools/mkdb/catalogue/TextLines.h"

namespace {

// The first word of `line` and, in `rest`, what follows the one blank after it.
std::string_view SplitWord(std::string_view line, std::string_view& rest) {
  const std::size_t blank = line.find(' ');
  rest = blank == std::string_view::npos ? std::string_view() : line.substr(blank + 1);
  return line.substr(0, blank);
}

bool IsPrefixName(std::string_view name) {
  return !name.empty() && std::ranges::all_of(name, [](char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
  });
}

// A version name is also the name of its folder.
bool IsVersionName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of("/\\") == std::string_view::npos;
}

std::string ParseEntry(std::string_view line, TCatalogue& catalogue) {
  std::string_view rest;
  const std::string_view keyword = SplitWord(line, rest);
  if (keyword == "setting") {
    std::string_view value;
    const std::string key(SplitWord(rest, value));
    if (key.empty()) {
      return "a setting without a key";
    }
    if (std::ranges::any_of(catalogue.Settings, [&](const auto& s) { return s.first == key; })) {
      return "setting " + key + " is given twice";
    }
    catalogue.Settings.emplace_back(key, value);
  } else if (keyword == "prefix") {
    std::string_view description;
    const std::string name(SplitWord(rest, description));
    if (!IsPrefixName(name)) {
      return "a prefix name is made of letters and digits";
    }
    if (std::ranges::any_of(catalogue.Prefixes, [&](const auto& p) {
          return LowerCaseAscii(p.Name) == LowerCaseAscii(name);
        })) {
      return "prefix " + name + " is listed twice";
    }
    catalogue.Prefixes.push_back({name, std::string(description)});
  } else if (keyword == "version") {
    if (!IsVersionName(rest)) {
      return "a version needs a name that can be a folder name";
    }
    if (std::ranges::any_of(catalogue.Versions, [&](const auto& v) { return v.Name == rest; })) {
      return "version " + std::string(rest) + " is listed twice";
    }
    catalogue.Versions.push_back({std::string(rest), {}});
  } else {
    return "unknown entry \"" + std::string(keyword) + "\" (setting, prefix or version expected)";
  }
  return {};
}

}  // namespace

std::string LowerCaseAscii(std::string_view text) {
  std::string lower(text);
  std::ranges::transform(lower, lower.begin(), [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  });
  return lower;
}

bool ParseManifest(std::string_view content, const std::string& fileName, TCatalogue& catalogue,
                   std::string& error) {
  return ReadEntryLines(
      content, fileName,
      [&catalogue](std::string_view line) { return ParseEntry(line, catalogue); }, error);
}
