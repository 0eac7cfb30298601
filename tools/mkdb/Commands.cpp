#include "tools/mkdb/Commands.h"

#include <chrono>
#include <cstdio>
#include <vector>

#include "tools/mkdb/CatalogueFolder.h"
#include "tools/mkdb/CommentCommands.h"
#include "tools/mkdb/DataFileBuilder.h"
#include "tools/mkdb/DataFileCheck.h"
#include "tools/mkdb/OracleHome.h"
#include "tools/mkdb/SyntheticDataFile.h"
#include "tools/mkdb/VersionImport.h"

namespace {

using TClock = std::chrono::steady_clock;

// Prints a line for every further hundred thousand messages, so a large import shows life.
class TProgressPrinter {
 public:
  void operator()(std::int64_t written) {
    if (written >= NextReport) {
      std::fprintf(stderr, "tolvane-mkdb: %lld messages written\n",
                   static_cast<long long>(written));
      NextReport = (written / kEvery + 1) * kEvery;
    }
  }

 private:
  static constexpr std::int64_t kEvery = 100000;
  std::int64_t NextReport = kEvery;
};

void PrintWarnings(const std::vector<std::string>& warnings) {
  for (const std::string& warning : warnings) {
    std::fprintf(stderr, "tolvane-mkdb: warning: %s\n", warning.c_str());
  }
}

TExitCode Failed(const std::string& error) {
  std::fprintf(stderr, "tolvane-mkdb: error: %s\n", error.c_str());
  return kExitBadData;
}

void PrintSummary(const std::string& out, std::int64_t versions, std::int64_t prefixes,
                  std::int64_t messages, TClock::time_point started) {
  const std::chrono::duration<double> seconds = TClock::now() - started;
  std::fprintf(stderr,
               "tolvane-mkdb: %s: %lld version(s), %lld prefix(es), %lld message(s) written "
               "in %.1f s\n",
               out.c_str(), static_cast<long long>(versions), static_cast<long long>(prefixes),
               static_cast<long long>(messages), seconds.count());
}

TExitCode Create(const TCommandLine& command, TClock::time_point started) {
  TCatalogue catalogue;
  std::vector<std::string> warnings;
  std::string error;
  const bool read = ReadCatalogueFolder(command.From, catalogue, warnings, error);
  PrintWarnings(warnings);
  if (!read || !BuildDataFile(command.Out, catalogue, TProgressPrinter(), error)) {
    return Failed(error);
  }
  std::int64_t messages = 0;
  for (const TCatalogueVersion& version : catalogue.Versions) {
    for (const auto& entry : version.Messages) {
      messages += static_cast<std::int64_t>(entry.second.size());
    }
  }
  PrintSummary(command.Out, static_cast<std::int64_t>(catalogue.Versions.size()),
               static_cast<std::int64_t>(catalogue.Prefixes.size()), messages, started);
  return kExitOk;
}

TExitCode Add(const TCommandLine& command, TClock::time_point started) {
  TOracleHomeVersion imported;
  std::vector<std::string> warnings;
  std::string error;
  const bool read = ReadOracleHome(command.OracleHome, command.Version, imported, warnings, error);
  PrintWarnings(warnings);
  TImportSummary summary;
  if (!read || !AddVersionToDataFile(command.Out, imported, TProgressPrinter(), summary, error)) {
    return Failed(error);
  }
  PrintSummary(command.Out, 1, summary.NewPrefixes, summary.Messages, started);
  return kExitOk;
}

TExitCode Synth(const TCommandLine& command, TClock::time_point started) {
  TSyntheticSummary summary;
  std::string error;
  if (!WriteSyntheticDataFile(command.Out, command.Messages, TProgressPrinter(), summary, error)) {
    return Failed(error);
  }
  PrintSummary(command.Out, summary.Versions, summary.Prefixes, summary.Messages, started);
  return kExitOk;
}

TExitCode Check(const TCommandLine& command) {
  const TCheckReport report = CheckDataFile(command.Out);
  std::fputs(FormatCheckReport(command.Out, report).c_str(), stdout);
  if (!report.IsDataFile) {
    return kExitNoDataFile;
  }
  return report.Findings.empty() ? kExitOk : kExitBadData;
}

}  // namespace

TExitCode RunCommand(const TCommandLine& command) {
  const TClock::time_point started = TClock::now();
  switch (command.Command) {
    case TCommandLine::TCommand::Create:
      return Create(command, started);
    case TCommandLine::TCommand::Add:
      return Add(command, started);
    case TCommandLine::TCommand::Synth:
      return Synth(command, started);
    case TCommandLine::TCommand::CommentsExport:
    case TCommandLine::TCommand::CommentsImport:
    case TCommandLine::TCommand::CommentsCarry:
      return RunCommentsCommand(command);
    case TCommandLine::TCommand::Check:
      return Check(command);
    case TCommandLine::TCommand::Help:
      break;
  }
  std::fputs(kUsageText, stdout);
  return kExitOk;
}
