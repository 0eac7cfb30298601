#include "tools/oerr/Explain.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <istream>
#include <map>
#include <nlohmann/json.hpp>
#include <ostream>
#include <set>

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

// Reads every input into the tally, reporting each that cannot be read.
void ScanInputs(const TExplainOptions& options, const std::set<std::string>& prefixes,
                std::istream& standardInput, TErrorTally& tally, std::ostream& errors) {
  const std::vector<std::string> inputs =
      options.Inputs.empty() ? std::vector<std::string>{"-"} : options.Inputs;
  for (const std::string& input : inputs) {
    if (input == "-") {
      Scan(standardInput, kStandardInputName, prefixes, tally);
      continue;
    }
    std::error_code error;
    if (std::filesystem::is_directory(std::filesystem::u8path(input), error)) {
      errors << input << ": Is a directory\n";
      continue;
    }
    std::ifstream file(std::filesystem::u8path(input), std::ios::binary);
    if (!file) {
      errors << input << ": " << std::strerror(errno) << '\n';
      continue;
    }
    Scan(file, input, prefixes, tally);
    if (file.bad()) {
      errors << input << ": " << std::strerror(errno) << '\n';
    }
  }
}

nlohmann::json OrNull(const std::optional<std::string>& text) {
  return text ? nlohmann::json(*text) : nlohmann::json(nullptr);
}

// One line for scripts; text that is not valid UTF-8 is replaced rather than refused.
std::string JsonLine(const TSeenError& seen, const TFoundMessage* message) {
  nlohmann::json line = {{"prefix", message ? message->Prefix : seen.Prefix},
                         {"code", message ? message->Code : seen.Digits},
                         {"version", message ? nlohmann::json(message->Version) : nullptr},
                         {"message", message ? nlohmann::json(message->Message) : nullptr},
                         {"cause", message ? OrNull(message->Cause) : nullptr},
                         {"action", message ? OrNull(message->Action) : nullptr},
                         {"comment", message ? OrNull(message->Comment) : nullptr},
                         {"count", seen.Count},
                         {"file", seen.FirstFile},
                         {"line", seen.FirstLine}};
  return line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
}

std::string SeenLine(const std::string& name, const TSeenError& seen) {
  return name + ": seen " + std::to_string(seen.Count) + (seen.Count == 1 ? " time" : " times") +
         ", first on line " + std::to_string(seen.FirstLine) + " of " + seen.FirstFile + "\n";
}

}  // namespace

int Explain(TSQLDB& db, const std::vector<std::string>& prefixes, const TExplainOptions& options,
            std::istream& standardInput, std::ostream& out, std::ostream& errors) {
  // The tokens carry the names in upper case; the statements want them as stored.
  std::set<std::string> upperNames;
  std::map<std::string, std::string> storedNames;
  for (const std::string& prefix : prefixes) {
    upperNames.insert(UpperAscii(prefix));
    storedNames[UpperAscii(prefix)] = prefix;
  }
  TErrorTally tally;
  ScanInputs(options, upperNames, standardInput, tally, errors);

  std::vector<const TSeenError*> unknown;
  bool explained = false;
  for (const TSeenError& seen : tally.InOrder()) {
    const TLookupOutcome found =
        LookUpMessages(db, storedNames[seen.Prefix], seen.Digits, options.Version);
    if (!found.Ok) {
      errors << "tolvane-oerr: " << found.Error << '\n';
      return 3;
    }
    if (found.Messages.empty()) {
      unknown.push_back(&seen);
      continue;
    }
    if (options.Json) {
      for (const TFoundMessage& message : found.Messages) {
        out << JsonLine(seen, &message);
      }
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
      out << (options.Json ? JsonLine(*seen, nullptr)
                           : "  " + SeenLine(seen->Prefix + "-" + seen->Digits, *seen));
    }
  }
  return explained ? 0 : 1;
}
