#include "tools/mkdb/catalogue/CatalogueFolder.h"

#include <algorithm>
#include <map>

#include "tools/mkdb/catalogue/LanguageFile.h"
#include "tools/mkdb/catalogue/Manifest.h"
#include "tools/mkdb/catalogue/MessageFile.h"
#include "tools/mkdb/catalogue/TextLines.h"

namespace fs = std::filesystem;

namespace {

// The entries of a folder in name order, so that reading (and its warnings) is repeatable.
bool SortedEntries(const fs::path& folder, std::vector<fs::path>& entries, std::string& error) {
  std::error_code failure;
  for (fs::directory_iterator entry(folder, failure), end; !failure && entry != end;
       entry.increment(failure)) {
    if (entry->is_regular_file()) {
      entries.push_back(entry->path());
    }
  }
  if (failure) {
    error = folder.string() + ": " + failure.message();
    return false;
  }
  std::ranges::sort(entries);
  return true;
}

bool ReadLanguages(const fs::path& folder, TCatalogue& catalogue, std::string& error) {
  const fs::path languages = folder / "lang";
  if (!fs::is_directory(languages)) {
    return true;
  }
  std::vector<fs::path> files;
  if (!SortedEntries(languages, files, error)) {
    return false;
  }
  for (const fs::path& file : files) {
    if (file.extension() != ".txt") {
      continue;
    }
    std::string content;
    if (!ReadWholeFile(file, content, error) ||
        !ParseLanguageFile(content, file.string(), catalogue.Translations[file.stem().string()],
                           error)) {
      return false;
    }
  }
  return true;
}

bool ReadVersion(const fs::path& folder, const std::map<std::string, std::string>& prefixByFile,
                 TCatalogueVersion& version, std::vector<std::string>& warnings,
                 std::string& error) {
  const fs::path versionFolder = folder / version.Name;
  if (!fs::is_directory(versionFolder)) {
    error = versionFolder.string() + ": the folder of version " + version.Name + " is missing";
    return false;
  }
  std::vector<fs::path> files;
  if (!SortedEntries(versionFolder, files, error)) {
    return false;
  }
  for (const fs::path& file : files) {
    if (file.extension() != ".msg") {
      continue;
    }
    const auto prefix = prefixByFile.find(file.filename().string());
    if (prefix == prefixByFile.end()) {
      error = file.string() + ": no prefix of the manifest has this message file";
      return false;
    }
    std::string content;
    TParsedMessages parsed;
    if (!ReadWholeFile(file, content, error) ||
        !ParseMessageFile(content, file.string(), parsed, error)) {
      return false;
    }
    version.Messages[prefix->second] = std::move(parsed.Messages);
    warnings.insert(warnings.end(), parsed.Warnings.begin(), parsed.Warnings.end());
  }
  return true;
}

}  // namespace

bool ReadCatalogueFolder(const fs::path& folder, TCatalogue& catalogue,
                         std::vector<std::string>& warnings, std::string& error) {
  const fs::path manifest = folder / "catalogue.txt";
  std::string content;
  if (!ReadWholeFile(manifest, content, error) ||
      !ParseManifest(content, manifest.string(), catalogue, error) ||
      !ReadLanguages(folder, catalogue, error)) {
    return false;
  }
  std::map<std::string, std::string> prefixByFile;
  for (const TCataloguePrefix& prefix : catalogue.Prefixes) {
    prefixByFile.emplace(LowerCaseAscii(prefix.Name) + "us.msg", prefix.Name);
  }
  return std::ranges::all_of(catalogue.Versions, [&](TCatalogueVersion& version) {
    return ReadVersion(folder, prefixByFile, version, warnings, error);
  });
}
