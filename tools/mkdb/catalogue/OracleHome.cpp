#include "tools/mkdb/catalogue/OracleHome.h"

#include <algorithm>

#include "tools/mkdb/catalogue/Manifest.h"
#include "tools/mkdb/catalogue/MessageFile.h"
#include "tools/mkdb/catalogue/TextLines.h"

namespace fs = std::filesystem;

namespace {

struct TFacility {
  std::string Name;       // as facility.lis spells it
  std::string Component;  // the folder of its mesg directory
  std::string Description;
};

std::string ParseFacilityLine(std::string_view line, std::vector<TFacility>& facilities) {
  std::vector<std::string_view> fields;
  for (int i = 0; i < 3; ++i) {
    const std::size_t colon = line.find(':');
    if (colon == std::string_view::npos) {
      return "facility:component:rename:description expected";
    }
    fields.push_back(TrimBlanks(line.substr(0, colon)));
    line.remove_prefix(colon + 1);
  }
  TFacility facility{std::string(fields[0]), std::string(fields[1]), std::string(TrimBlanks(line))};
  if (facility.Name.empty() || facility.Component.empty() ||
      facility.Name.find_first_of("/\\.") != std::string::npos ||
      facility.Component.find_first_of("/\\") != std::string::npos || facility.Component == "..") {
    return "a facility and its component must be plain names";
  }
  if (std::ranges::any_of(facilities, [&](const TFacility& known) {
        return LowerCaseAscii(known.Name) == LowerCaseAscii(facility.Name);
      })) {
    return "facility " + facility.Name + " is listed twice";
  }
  facilities.push_back(std::move(facility));
  return {};
}

bool ReadFacilities(const fs::path& home, std::vector<TFacility>& facilities, std::string& error) {
  const fs::path list = home / "lib" / "facility.lis";
  std::string content;
  if (!ReadWholeFile(list, content, error)) {
    return false;
  }
  return ReadEntryLines(
      content, list.string(),
      [&facilities](std::string_view line) { return ParseFacilityLine(line, facilities); }, error);
}

}  // namespace

bool ReadOracleHome(const fs::path& home, const std::string& versionName, TOracleHomeVersion& read,
                    std::vector<std::string>& warnings, std::string& error) {
  std::vector<TFacility> facilities;
  if (!ReadFacilities(home, facilities, error)) {
    return false;
  }
  read.Version.Name = versionName;
  for (const TFacility& facility : facilities) {
    const std::string lower = LowerCaseAscii(facility.Name);
    const fs::path file = home / facility.Component / "mesg" / (lower + "us.msg");
    std::error_code ignored;
    if (!fs::is_regular_file(file, ignored)) {
      continue;
    }
    std::string content;
    TParsedMessages parsed;
    if (!ReadWholeFile(file, content, error) ||
        !ParseMessageFile(content, file.string(), parsed, error)) {
      return false;
    }
    std::string prefix = facility.Name;
    std::ranges::transform(prefix, prefix.begin(), [](char c) {
      return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    });
    read.Version.Messages[prefix] = std::move(parsed.Messages);
    read.Prefixes.push_back({prefix, facility.Description});
    warnings.insert(warnings.end(), parsed.Warnings.begin(), parsed.Warnings.end());
  }
  return true;
}
