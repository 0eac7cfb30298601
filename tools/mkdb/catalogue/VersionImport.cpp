#include "tools/mkdb/VersionImport.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "tools/mkdb/DataFileWriter.h"

namespace {

bool WriteVersion(TDataFileWriter& writer, const TOracleHomeVersion& imported) {
  for (const TCataloguePrefix& prefix : imported.Prefixes) {
    std::int64_t key = 0;
    if (writer.PrefixKey(prefix.Name) == 0 && !writer.AddPrefix(prefix, key)) {
      return false;
    }
  }
  std::int64_t versionKey = 0;
  if (!writer.AddVersion(imported.Version.Name, versionKey)) {
    return false;
  }
  // Stored in the search's order, as DataFileBuilder does.
  std::vector<TCataloguePrefix> byName = imported.Prefixes;
  std::ranges::sort(byName, {}, &TCataloguePrefix::Name);
  for (const TCataloguePrefix& prefix : byName) {
    const auto messages = imported.Version.Messages.find(prefix.Name);
    if (messages == imported.Version.Messages.end()) {
      continue;
    }
    for (const TCatalogueMessage& message : messages->second) {
      if (!writer.AddMessage(versionKey, writer.PrefixKey(prefix.Name), message)) {
        return false;
      }
    }
  }
  return true;
}

}  // namespace

bool AddVersionToDataFile(const std::string& path, const TOracleHomeVersion& imported,
                          const TProgressEvent& progress, TImportSummary& summary,
                          std::string& error) {
  TDataFileWriter writer(path);
  writer.OnProgress = progress;
  const bool existing = std::filesystem::exists(path);
  const bool started =
      existing ? writer.ExtendExisting()
               : writer.Create() && writer.AddSetting(kMinimumProgramKey, kMinimumProgramDefault);
  if (started && writer.HasVersion(imported.Version.Name)) {
    error = path + " already has version \"" + imported.Version.Name + "\"";
    return false;
  }
  if (!started || !WriteVersion(writer, imported) || !writer.Finish()) {
    error = writer.Error();
    return false;
  }
  summary.NewPrefixes = writer.PrefixesWritten();
  summary.Messages = writer.MessagesWritten();
  return true;
}
