#include "tools/oerr/Explain.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <istream>
#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <set>

#include "tools/cli/Paths.h"
#include "tools/cli/ToolDataFile.h"
#include "tools/oerr/ErrorTally.h"
#include "tools/oerr/ErrorTokens.h"
#include "tools/oerr/MessageLookup.h"
#include "tools/oerr/OerrLayout.h"

namespace {

constexpr std::size_t kPieceBytes = 1 << 20;
constexpr const char* kStandardInputName = "(standard input)";

void Scan(std::istream& in, const std::string& name, const std::set<std::string>& prefixes,
          TErrorTally& tally) {
  TErrorTokenScanner scanner(prefixes,
                             [&tally, &name](const TErrorToken& token) { tally.Add(token, name); });
  std::string piece(kPieceBytes, '\0');
  while (in) {
    in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
    scanner.Feed(std::string_view(piece.data(), static_cast<std::size_t>(in.gcount())));
  }
  scanner.Finish();
}

// Reads every input into the tally; returns what kept each unreadable one from being read,
// as "NAME: reason", and whether any was read.
std::vector<std::string> ScanInputs(const TExplainOptions& options,
                                    const std::set<std::string>& prefixes, std::istream& in,
                                    TErrorTally& tally, bool& anyRead) {
  const std::vector<std::string> inputs =
      options.Inputs.empty() ? std::vector<std::string>{"-"} : options.Inputs;
  std::vector<std::string> unread;
  anyRead = false;
  for (const std::string& input : inputs) {
    if (input == "-") {
      Scan(in, kStandardInputName, prefixes, tally);
      anyRead = true;
      continue;
    }
    // A pipe is an input too ("explain <(zcat alert.log.gz)").
    if (const std::optional<std::string> problem = NotAFile(input, "no such file", false)) {
      unread.push_back(input + ": " + *problem);
      continue;
    }
    std::ifstream file(PathFromUtf8(input), std::ios::binary);
    if (!file) {
      unread.push_back(input + ": " + std::strerror(errno));
      continue;
    }
    Scan(file, input, prefixes, tally);
    if (file.bad()) {
      unread.push_back(input + ": " + std::strerror(errno));
      continue;
    }
    anyRead = true;
  }
  return unread;
}

nlohmann::json OrNull(const std::optional<std::string>& text) {
  return text ? nlohmann::json(*text) : nlohmann::json(nullptr);
}

// One line for scripts: the error with every version that has it; text that is not valid
// UTF-8 is replaced rather than refused.
std::string JsonLine(const TSeenError& seen, const std::vector<TFoundMessage>& messages) {
  nlohmann::json versions = nlohmann::json::array();
  for (const TFoundMessage& message : messages) {
    versions.push_back({{"version", message.Version},
                        {"code", message.Code},
                        {"message", message.Message},
                        {"cause", OrNull(message.Cause)},
                        {"action", OrNull(message.Action)},
                        {"comment", OrNull(message.Comment)}});
  }
  const nlohmann::json line = {{"prefix", messages.empty() ? seen.Prefix : messages.front().Prefix},
                               {"code", messages.empty() ? seen.Digits : messages.front().Code},
                               {"count", seen.Count},
                               {"file", seen.FirstFile},
                               {"line", seen.FirstLine},
                               {"versions", std::move(versions)}};
  return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::string SeenLine(const std::string& name, const TSeenError& seen) {
  return name + ": seen " + std::to_string(seen.Count) + (seen.Count == 1 ? " time" : " times") +
         ", first on line " + std::to_string(seen.FirstLine) + " of " + seen.FirstFile + "\n";
}

}  // namespace

int Explain(TToolDataFile& file, const std::vector<std::string>& prefixes,
            const TExplainOptions& options, TToolContext& context) {
  // The tokens carry the names in upper case; the statements want them as stored.
  std::set<std::string> upperNames;
  std::map<std::string, std::string> storedNames;
  for (const std::string& prefix : prefixes) {
    upperNames.insert(UpperAscii(prefix));
    storedNames[UpperAscii(prefix)] = prefix;
  }
  TErrorTally tally;
  bool anyRead = false;
  const std::vector<std::string> unread =
      ScanInputs(options, upperNames, context.In, tally, anyRead);
  for (const std::string& problem : unread) {
    if (anyRead) {
      context.Warn(problem);
    } else {
      context.Say(problem);
    }
  }
  if (!anyRead) {
    return kExitUnusable;
  }

  std::vector<const TSeenError*> unknown;
  bool explained = false;
  std::ostream& out = context.Out;
  for (const TSeenError& seen : tally.InOrder()) {
    const TLookupOutcome found =
        LookUpMessages(file.Db(), storedNames[seen.Prefix], seen.Digits, options.Version);
    if (!found.Ok) {
      return context.Fail(file.Failure(found.Error, kExitUnusable));
    }
    if (found.Messages.empty()) {
      unknown.push_back(&seen);
      continue;
    }
    if (options.Json) {
      out << JsonLine(seen, found.Messages);
    } else {
      out << (explained ? "\n" : "")
          << SeenLine(found.Messages.front().Prefix + "-" + found.Messages.front().Code, seen)
          << FormatMessages(found.Messages, options.Width);
    }
    explained = true;
  }
  if (!unknown.empty()) {
    if (!options.Json) {
      out << (explained ? "\n" : "") << "Not in the data file"
          << (options.Version ? " for version " + *options.Version : std::string()) << ":\n";
    }
    for (const TSeenError* seen : unknown) {
      out << (options.Json ? JsonLine(*seen, {})
                           : "  " + SeenLine(seen->Prefix + "-" + seen->Digits, *seen));
    }
  }
  return explained ? kExitOk : kExitFailed;
}
