#include "tools/mkdb/CommandLine.h"

#include <algorithm>
#include <charconv>
#include <map>

#include "tools/mkdb/CommentsCommandLine.h"

const char* const kUsageText =
    "Usage:\n"
    "  tolvane-mkdb create OUT --from DIR\n"
    "      Builds the data file OUT from the catalogue folder DIR.\n"
    "  tolvane-mkdb add OUT --version NAME --oracle-home DIR\n"
    "      Adds version NAME, read from the message files of the Oracle home DIR, to OUT\n"
    "      (OUT is created when it does not exist).\n"
    "  tolvane-mkdb synth OUT --messages N\n"
    "      Builds a large made-up data file of N messages for measurements.\n"
    "  tolvane-mkdb comments export DB [--out FILE]\n"
    "      Writes every comment of DB, with the version, prefix and code of its message, as\n"
    "      CSV to FILE or to standard output.\n"
    "  tolvane-mkdb comments import DB FILE [--overwrite]\n"
    "      Puts the comments of the CSV file FILE on the same messages of DB; of two different\n"
    "      comments the newer by lastdate stays, or FILE's with --overwrite.\n"
    "  tolvane-mkdb comments carry OLD NEW [--overwrite]\n"
    "      Both in one step: the comments of OLD onto the messages of NEW.\n"
    "  tolvane-mkdb check DB\n"
    "      Vets a data file that came from elsewhere, read-only: damage, objects the builder\n"
    "      does not make, settings, and content that the window would show wrongly or that\n"
    "      could lose a comment. Exit 0 sound, 1 problems found, 3 no data file at all.\n"
    "  tolvane-mkdb --help\n"
    "OUT is replaced only when the whole build succeeded.\n"
    "Exit codes: 0 done, 1 bad input or data error, 2 wrong command line,\n"
    "3 comments imported but some had no message: they are in DB.unplaced.csv.\n";

namespace {

using TOptions = std::map<std::string, std::string>;

// Reads "--name value" pairs; every name must be one of `allowed`, and every allowed name
// must be given.
bool ReadOptions(const std::vector<std::string>& arguments, std::size_t from,
                 const std::vector<std::string>& allowed, TOptions& options, std::string& error) {
  for (std::size_t i = from; i < arguments.size(); i += 2) {
    const std::string& name = arguments[i];
    if (std::find(allowed.begin(), allowed.end(), name) == allowed.end()) {
      error = "unexpected argument " + name;
      return false;
    }
    if (i + 1 >= arguments.size()) {
      error = name + " needs a value";
      return false;
    }
    if (!options.emplace(name, arguments[i + 1]).second) {
      error = name + " is given twice";
      return false;
    }
  }
  for (const std::string& name : allowed) {
    if (!options.contains(name)) {
      error = "missing " + name;
      return false;
    }
  }
  return true;
}

bool ReadCount(const std::string& text, std::int64_t& count, std::string& error) {
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (failure != std::errc() || end != text.data() + text.size() || count <= 0) {
    error = "--messages needs a positive whole number";
    return false;
  }
  return true;
}

}  // namespace

bool ParseCommandLine(const std::vector<std::string>& arguments, TCommandLine& parsed,
                      std::string& error) {
  if (!arguments.empty() && arguments[0] == "comments") {
    return ParseCommentsCommandLine(arguments, parsed, error);
  }
  if (!arguments.empty() && arguments[0] == "check") {
    if (arguments.size() != 2) {
      error = "check needs one data file";
      return false;
    }
    parsed.Command = TCommandLine::TCommand::Check;
    parsed.Out = arguments[1];
    return true;
  }
  if (arguments.size() == 1 && (arguments[0] == "--help" || arguments[0] == "-h")) {
    parsed.Command = TCommandLine::TCommand::Help;
    return true;
  }
  if (arguments.size() < 2 || arguments[1].starts_with("--")) {
    error = arguments.empty() ? "no command given" : "a command and OUT are needed";
    return false;
  }
  parsed.Out = arguments[1];
  TOptions options;
  const std::string& command = arguments[0];
  if (command == "create" && ReadOptions(arguments, 2, {"--from"}, options, error)) {
    parsed.Command = TCommandLine::TCommand::Create;
    parsed.From = options["--from"];
    return true;
  }
  if (command == "add" &&
      ReadOptions(arguments, 2, {"--version", "--oracle-home"}, options, error)) {
    parsed.Command = TCommandLine::TCommand::Add;
    parsed.Version = options["--version"];
    parsed.OracleHome = options["--oracle-home"];
    if (parsed.Version.empty()) {
      error = "--version needs a name";
      return false;
    }
    return true;
  }
  if (command == "synth" && ReadOptions(arguments, 2, {"--messages"}, options, error)) {
    parsed.Command = TCommandLine::TCommand::Synth;
    return ReadCount(options["--messages"], parsed.Messages, error);
  }
  if (error.empty()) {
    error = "unknown command " + command;
  }
  return false;
}
