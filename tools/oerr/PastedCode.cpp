#include "tools/oerr/OerrCommandLine.h"

#include "data/Utf8Text.h"
#include "search/SearchStatement.h"

namespace {

using TMode = TOerrRequest::TMode;

// "ora-942" as one argument: the facility and the code on both sides of the first dash.
bool SplitFacilityCode(const std::string& argument, TOerrRequest& request) {
  const std::size_t dash = argument.find('-');
  if (dash == std::string::npos || dash == 0 || dash + 1 == argument.size()) {
    return false;
  }
  request.Facility = argument.substr(0, dash);
  request.Code = argument.substr(dash + 1);
  return true;
}

}  // namespace

std::variant<TOerrRequest, std::string> ParseOerrCommandLine(
    const std::vector<std::string>& arguments) {
  TOerrRequest request;
  std::vector<std::string> operands;
  bool explain = false;
  for (std::size_t at = 0; at < arguments.size(); ++at) {
    const std::string& argument = arguments[at];
    const auto value = [&]() -> std::optional<std::string> {
      if (at + 1 >= arguments.size()) {
        return std::nullopt;
      }
      return arguments[++at];
    };
    if (argument == "--help" || argument == "-h") {
      request.Mode = TMode::Help;
      return request;
    }
    if (argument == "--version" || argument == "--db" || argument == "--grep" ||
        argument == "--comment") {
      const std::optional<std::string> given = value();
      if (!given) {
        return argument + " needs a value";
      }
      if (argument == "--version") {
        request.Version = *given;
      } else if (argument == "--db") {
        request.DataFile = *given;
      } else {
        if (request.Mode != TMode::Lookup) {
          return "--grep and --comment cannot be combined";
        }
        request.Mode = argument == "--grep" ? TMode::Grep : TMode::Comment;
        request.Words = *given;
      }
    } else if (argument == "--json") {
      request.Json = true;
    } else if (argument.empty() || argument[0] != '-' || argument == "-" || explain) {
      // After explain every name is a file ("-" is standard input), whatever it starts with.
      if (operands.empty() && !explain && argument == "explain" && request.Mode == TMode::Lookup) {
        explain = true;
        continue;
      }
      operands.push_back(argument);
    } else {
      return "unknown option " + argument;
    }
  }

  if (explain) {
    if (request.Mode != TMode::Lookup) {
      return "explain takes no --grep or --comment";
    }
    request.Mode = TMode::Explain;
    request.Inputs = operands;
    return request;
  }
  if (request.Json) {
    return "--json goes with explain";
  }
  if (request.Mode == TMode::Grep || request.Mode == TMode::Comment) {
    if (operands.size() > 1) {
      return "--grep and --comment take one facility at most";
    }
    // As the window refuses a search without criteria: blanks alone would list everything.
    if (TrimBelow33(Utf8ToUtf16Exact(request.Words)).empty()) {
      return "--grep and --comment need words to search for";
    }
    if (!operands.empty()) {
      request.Facility = operands[0];
    }
    return request;
  }
  if (operands.size() == 2) {
    request.Facility = operands[0];
    request.Code = operands[1];
    return request;
  }
  if (operands.size() == 1 && SplitFacilityCode(operands[0], request)) {
    return request;
  }
  return operands.empty() ? std::string("a facility and a code are needed")
                          : std::string("a facility and a code are needed, as in: ora 942");
}

std::string OerrUsage() {
  return R"(NAME
    tolvane-oerr - Oracle error messages from the Tolvane data file, in a terminal

SYNOPSIS
    tolvane-oerr [--version NAME] [--db FILE] FACILITY CODE
    tolvane-oerr [--version NAME] [--db FILE] FACILITY-CODE
    tolvane-oerr [--version NAME] [--db FILE] --grep WORDS [FACILITY]
    tolvane-oerr [--version NAME] [--db FILE] --comment WORDS [FACILITY]
    tolvane-oerr [--version NAME] [--db FILE] [--json] explain [FILE...]

DESCRIPTION
    Prints the message, its cause and its action for FACILITY (a prefix such as ora or tns,
    in any letter case) and CODE (942 finds 00942), for every Oracle version of the data file
    that has it, followed by your own comment when there is one. The layout is that of the
    installations' own message files.

    --grep WORDS searches the message texts as the window's Error Message field does ("%"
    stands for any text); --comment WORDS searches your comments. Each match prints one line:
    PREFIX-CODE  VERSION  MESSAGE.

    explain reads each FILE (standard input when there is none, or for "-"), finds every
    error token in it (ORA-00942, tns-12541, ...), and explains each distinct error once, in
    the order of its first appearance. Codes of a known prefix that no version has are listed
    at the end. --json prints one JSON object a line instead.

OPTIONS
    --version NAME   only that Oracle version, as the data file names it (e.g. 19c)
    --db FILE        the data file to read; by default tolv2_msg.db beside the program
    --json           with explain: one JSON object per distinct error
    --help           this text

    The data file is opened read-only and never changed.

EXIT STATUS
    0  found    1  nothing found    2  wrong command line
    3  the data file is missing, broken or needs a newer program
)";
}
