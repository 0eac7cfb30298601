#include "tools/mkdb/catalogue/DataFileBuilder.h"

#include <algorithm>
#include <vector>

#include "tools/mkdb/catalogue/DataFileWriter.h"

namespace {

bool WriteSettings(TDataFileWriter& writer, const TCatalogue& catalogue) {
  const bool hasMinimum = std::ranges::any_of(
      catalogue.Settings, [](const auto& s) { return s.first == kMinimumProgramKey; });
  if (!hasMinimum && !writer.AddSetting(kMinimumProgramKey, kMinimumProgramDefault)) {
    return false;
  }
  return std::ranges::all_of(catalogue.Settings, [&writer](const auto& setting) {
    return writer.AddSetting(setting.first, setting.second);
  });
}

bool WriteTranslations(TDataFileWriter& writer, const TCatalogue& catalogue) {
  for (const auto& [language, pairs] : catalogue.Translations) {
    for (const auto& [english, translated] : pairs) {
      if (!writer.AddTranslation(language, english, translated)) {
        return false;
      }
    }
  }
  return true;
}

// The prefixes of a version in name order: error rows stored in the search's ORDER BY order
// (version block by block, then prefix name, then code) let the search's ordered index scan
// read the table forward instead of jumping about in it.
std::vector<const TCataloguePrefix*> PrefixesByName(const TCatalogue& catalogue) {
  std::vector<const TCataloguePrefix*> prefixes;
  for (const TCataloguePrefix& prefix : catalogue.Prefixes) {
    prefixes.push_back(&prefix);
  }
  std::ranges::sort(prefixes, {}, &TCataloguePrefix::Name);
  return prefixes;
}

bool WriteVersionMessages(TDataFileWriter& writer, const TCatalogueVersion& version,
                          std::int64_t versionKey,
                          const std::vector<const TCataloguePrefix*>& prefixes) {
  for (const TCataloguePrefix* prefix : prefixes) {
    const auto messages = version.Messages.find(prefix->Name);
    if (messages == version.Messages.end()) {
      continue;
    }
    std::vector<const TCatalogueMessage*> byCode;
    for (const TCatalogueMessage& message : messages->second) {
      byCode.push_back(&message);
    }
    std::ranges::stable_sort(byCode, {}, &TCatalogueMessage::Code);
    for (const TCatalogueMessage* message : byCode) {
      if (!writer.AddMessage(versionKey, writer.PrefixKey(prefix->Name), *message)) {
        return false;
      }
    }
  }
  return true;
}

// Versions and prefixes go in catalogue order: the program lists them in the order the
// engine returns the rows, which is the order of insertion.
bool WriteMessages(TDataFileWriter& writer, const TCatalogue& catalogue, std::string& error) {
  for (const TCataloguePrefix& prefix : catalogue.Prefixes) {
    std::int64_t key = 0;
    if (!writer.AddPrefix(prefix, key)) {
      return false;
    }
  }
  const std::vector<const TCataloguePrefix*> prefixes = PrefixesByName(catalogue);
  for (const TCatalogueVersion& version : catalogue.Versions) {
    for (const auto& entry : version.Messages) {
      if (writer.PrefixKey(entry.first) == 0) {
        error = "version \"" + version.Name + "\" has messages of the unlisted prefix \"" +
                entry.first + "\"";
        return false;
      }
    }
    std::int64_t versionKey = 0;
    if (!writer.AddVersion(version.Name, versionKey) ||
        !WriteVersionMessages(writer, version, versionKey, prefixes)) {
      return false;
    }
  }
  return true;
}

}  // namespace

bool BuildDataFile(const std::string& path, const TCatalogue& catalogue, std::string& error) {
  return BuildDataFile(path, catalogue, nullptr, error);
}

bool BuildDataFile(const std::string& path, const TCatalogue& catalogue,
                   const TProgressEvent& progress, std::string& error) {
  TDataFileWriter writer(path);
  writer.OnProgress = progress;
  error.clear();
  const bool built = writer.Create() && WriteSettings(writer, catalogue) &&
                     WriteTranslations(writer, catalogue) &&
                     WriteMessages(writer, catalogue, error) && writer.Finish();
  if (!built && error.empty()) {
    error = writer.Error();
  }
  return built;
}
