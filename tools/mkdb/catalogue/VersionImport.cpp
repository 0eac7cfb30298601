#include "tools/mkdb/catalogue/VersionImport.h"

#include <algorithm>
#include <vector>

#include "tools/cli/Paths.h"
#include "tools/cli/ToolDataFile.h"
#include "tools/mkdb/catalogue/DataFileWriter.h"

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
                          std::chrono::milliseconds wait, const TProgressEvent& progress,
                          TImportSummary& summary, TFailure& failure) {
  const std::optional<std::string> problem = NotAFile(path, "", true);
  if (problem && !problem->empty()) {
    failure = {kExitFailed, path + ": " + *problem};
    return false;
  }
  TDataFileWriter writer(path);
  writer.OnProgress = progress;
  bool started = false;
  if (problem) {  // a new file
    started = writer.Create() && writer.AddSetting(kMinimumProgramKey, kMinimumProgramDefault);
  } else {
    // Copied under a read lock, so that no other program's write lands halfway through it.
    TToolDataFile old(path, {true, wait, kExitFailed});
    if (!old.Open()) {
      failure = old.OpenFailure();
      return false;
    }
    if (!old.Db().Query("BEGIN; SELECT count(*) FROM sqlite_schema")) {
      failure = old.Failure(old.Db().GetErrorMessage());
      return false;
    }
    started = writer.ExtendExisting();
    old.Db().Query("ROLLBACK");
  }
  if (started && writer.HasVersion(imported.Version.Name)) {
    failure = {kExitFailed, path + " already has version \"" + imported.Version.Name + "\""};
    return false;
  }
  if (!started || !WriteVersion(writer, imported) || !writer.Finish()) {
    failure = {kExitFailed, writer.Error()};
    return false;
  }
  summary.NewPrefixes = writer.PrefixesWritten();
  summary.Messages = writer.MessagesWritten();
  return true;
}
