// tolvane-oerr: the data file's messages, causes, actions and the user's comments in a
// terminal. Exit codes: 0 found, 1 nothing found, 2 wrong command line, 3 data file unusable.
#include <unistd.h>

#include <filesystem>
#include <iostream>

#include "app/ProgramFiles.h"
#include "data/LiteDb.h"
#include "tools/mkdb/Utf8Path.h"
#include "tools/oerr/Explain.h"
#include "tools/oerr/MessageLookup.h"
#include "tools/oerr/OerrCommandLine.h"
#include "tools/oerr/OerrDataFile.h"
#include "tools/oerr/OerrLayout.h"

namespace {

using TMode = TOerrRequest::TMode;

constexpr int kFound = 0;
constexpr int kNothingFound = 1;
constexpr int kWrongCommandLine = 2;
constexpr int kDataFileUnusable = 3;

int NothingFound(const std::string& what) {
  std::cerr << "tolvane-oerr: " << what << '\n';
  return kNothingFound;
}

int LookUp(TLiteDB& db, const TOerrDataFile& file, const TOerrRequest& request, std::size_t width) {
  const std::optional<std::string> prefix = FindPrefix(file.Prefixes, request.Facility);
  if (!prefix) {
    return NothingFound("unknown facility " + request.Facility);
  }
  const TLookupOutcome found = LookUpMessages(db, *prefix, request.Code, request.Version);
  if (!found.Ok) {
    std::cerr << "tolvane-oerr: " << found.Error << '\n';
    return kDataFileUnusable;
  }
  if (found.Messages.empty()) {
    return NothingFound("no message " + *prefix + "-" + request.Code +
                        (request.Version ? " in version " + *request.Version : std::string()));
  }
  std::cout << FormatMessages(found.Messages, width);
  return kFound;
}

int Search(TLiteDB& db, const TOerrDataFile& file, const TOerrRequest& request, std::size_t width) {
  std::string prefix;
  if (!request.Facility.empty()) {
    const std::optional<std::string> stored = FindPrefix(file.Prefixes, request.Facility);
    if (!stored) {
      return NothingFound("unknown facility " + request.Facility);
    }
    prefix = *stored;
  }
  const bool comment = request.Mode == TMode::Comment;
  const TLookupOutcome found =
      SearchMessages(db, request.Words, comment, prefix, request.Version, file.RowLimit);
  if (!found.Ok) {
    std::cerr << "tolvane-oerr: " << found.Error << '\n';
    return kDataFileUnusable;
  }
  if (found.Messages.empty()) {
    return NothingFound(std::string(comment ? "no comment" : "no message") + " matches " +
                        request.Words);
  }
  for (const TFoundMessage& message : found.Messages) {
    std::cout << FormatMatch(message, width);
  }
  if (std::to_string(found.Messages.size()) == file.RowLimit) {
    std::cerr << "tolvane-oerr: the data file limits a search to " << file.RowLimit
              << " matches; narrow the words for the rest\n";
  }
  return kFound;
}

}  // namespace

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const auto parsed = ParseOerrCommandLine(std::vector<std::string>(argv + 1, argv + argc));
  if (const auto* wrong = std::get_if<std::string>(&parsed)) {
    std::cerr << "tolvane-oerr: " << *wrong << "\nTry 'tolvane-oerr --help'.\n";
    return kWrongCommandLine;
  }
  const TOerrRequest& request = std::get<TOerrRequest>(parsed);
  if (request.Mode == TMode::Help) {
    std::cout << OerrUsage();
    return kFound;
  }

  // A name the user gives is theirs to resolve from where they are; the data layer would look
  // for a bare name beside the program.
  const std::string path =
      request.DataFile ? Utf8Path(std::filesystem::absolute(PathFromUtf8(*request.DataFile)))
                       : DataFilePath();
  TLiteDB db;
  const TOerrDataFile file = OpenOerrDataFile(db, path);
  if (!file.Problems.empty()) {
    for (const std::string& problem : file.Problems) {
      std::cerr << "tolvane-oerr: " << path << ": " << problem << '\n';
    }
    return kDataFileUnusable;
  }
  const std::size_t width = isatty(STDOUT_FILENO) ? kTerminalWidth : 0;
  switch (request.Mode) {
    case TMode::Lookup:
      return LookUp(db, file, request, width);
    case TMode::Grep:
    case TMode::Comment:
      return Search(db, file, request, width);
    case TMode::Explain:
      return Explain(db, file.Prefixes, {request.Inputs, request.Version, request.Json, width},
                     std::cin, std::cout, std::cerr);
    case TMode::Help:
      break;
  }
  return kFound;
}
