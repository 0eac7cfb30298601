#include "tools/mkdb/CommentCommands.h"

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "tools/mkdb/CommentTransfer.h"
#include "tools/mkdb/TextLines.h"
#include "tools/mkdb/Utf8Path.h"

namespace {

TExitCode Failed(const std::string& error) {
  std::fprintf(stderr, "tolvane-mkdb: error: %s\n", error.c_str());
  return kExitBadData;
}

bool ReadFrom(const std::string& path, std::vector<TCommentRecord>& records) {
  std::vector<std::string> warnings;
  std::string error;
  const bool read = ReadComments(path, records, warnings, error);
  for (const std::string& warning : warnings) {
    std::fprintf(stderr, "tolvane-mkdb: warning: %s\n", warning.c_str());
  }
  if (!read) {
    Failed(error);
  }
  return read;
}

bool WriteOut(const std::string& path, const std::string& csv, std::string& error) {
  if (path.empty()) {
    Platform::UseBinaryStandardOutput();
    if (std::fwrite(csv.data(), 1, csv.size(), stdout) != csv.size() || std::fflush(stdout) != 0) {
      error = "standard output cannot be written";
      return false;
    }
    return true;
  }
  std::ofstream file(PathFromUtf8(path), std::ios::binary | std::ios::trunc);
  file << csv;
  file.close();
  if (!file) {
    error = path + ": cannot be written";
    return false;
  }
  return true;
}

TExitCode Export(const TCommandLine& command) {
  std::vector<TCommentRecord> records;
  if (!ReadFrom(command.Out, records)) {
    return kExitBadData;
  }
  std::string error;
  if (!WriteOut(command.CommentsFile, CommentsCsv(records), error)) {
    return Failed(error);
  }
  std::fprintf(stderr, "tolvane-mkdb: %s: %zu comment(s) exported\n", command.Out.c_str(),
               records.size());
  return kExitOk;
}

std::string Identity(const TCommentRecord& record) {
  std::string identity = record.Prefix + "-" + record.Code + " (" + record.Version + ")";
  if (record.Line > 0) {
    identity += ", line " + std::to_string(record.Line);
  }
  return identity;
}

TExitCode Import(const TCommandLine& command, const std::vector<TCommentRecord>& records) {
  TCommentImportOptions options;
  options.Overwrite = command.Overwrite;
  TCommentImportSummary summary;
  std::string error;
  if (!ImportComments(command.Out, records, options, summary, error)) {
    return Failed(error + "; nothing was changed");
  }
  for (const TUnplacedComment& unplaced : summary.Unplaced) {
    std::fprintf(stderr, "tolvane-mkdb: unplaced: %s: %s\n", Identity(unplaced.Record).c_str(),
                 unplaced.Reason.c_str());
  }
  std::fprintf(stderr,
               "tolvane-mkdb: %s: %lld comment(s) added, %lld replaced, %lld already there, "
               "%lld kept as the newer, %zu without a message\n",
               command.Out.c_str(), static_cast<long long>(summary.Inserted),
               static_cast<long long>(summary.Replaced), static_cast<long long>(summary.Unchanged),
               static_cast<long long>(summary.KeptNewer), summary.Unplaced.size());
  if (summary.Unplaced.empty()) {
    return kExitOk;
  }
  std::fprintf(stderr, "tolvane-mkdb: the comments without a message are in %s\n",
               summary.UnplacedFile.c_str());
  return kExitUnplaced;
}

TExitCode ImportFile(const TCommandLine& command) {
  std::string content;
  std::string error;
  std::vector<TCommentRecord> records;
  if (!ReadWholeFile(PathFromUtf8(command.CommentsFile), content, error) ||
      !ParseCommentsCsv(content, command.CommentsFile, records, error)) {
    return Failed(error);
  }
  return Import(command, records);
}

TExitCode Carry(const TCommandLine& command) {
  std::vector<TCommentRecord> records;
  if (!ReadFrom(command.OldDataFile, records)) {
    return kExitBadData;
  }
  return Import(command, records);
}

}  // namespace

TExitCode RunCommentsCommand(const TCommandLine& command) {
  switch (command.Command) {
    case TCommandLine::TCommand::CommentsExport:
      return Export(command);
    case TCommandLine::TCommand::CommentsImport:
      return ImportFile(command);
    case TCommandLine::TCommand::CommentsCarry:
      return Carry(command);
    default:
      return kExitUsage;
  }
}
