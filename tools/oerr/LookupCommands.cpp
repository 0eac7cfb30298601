#include "tools/oerr/LookupCommands.h"

#include <ostream>

#include "data/Utf8Text.h"
#include "search/SearchStatement.h"
#include "tools/oerr/Explain.h"
#include "tools/oerr/MessageLookup.h"
#include "tools/oerr/OerrDataFile.h"
#include "tools/oerr/OerrLayout.h"
#include "tools/oerr/PastedCode.h"

namespace {

const std::vector<std::pair<int, std::string>> kLookupExitCodes = {
    {kExitOk, "found"},
    {kExitFailed, "nothing found"},
    {kExitUnusable, "the data file is missing, broken or needs a newer program"}};

std::size_t Width(const TToolContext& context) {
  return context.OutIsTerminal ? kTerminalWidth : 0;
}

int NothingFound(const TToolContext& context, const std::string& what) {
  return context.Fail({kExitFailed, what});
}

class TLookupCommand : public TCommand {
 public:
  TLookupCommand()
      : TCommand({"",
                  {"[--release NAME] [--db FILE] FACILITY CODE",
                   "[--release NAME] [--db FILE] FACILITY-CODE",
                   "[--release NAME] [--db FILE] --grep WORDS [FACILITY]",
                   "[--release NAME] [--db FILE] --comment WORDS [FACILITY]"},
                  "Prints the message, cause, action and your comment of a code; or the "
                  "messages whose text or whose comment has the WORDS.",
                  "Prints the message, its cause and its action for FACILITY (a prefix such as\n"
                  "ora or tns, in any letter case) and CODE (942 finds 00942), for every Oracle\n"
                  "version of the data file that has it, followed by your own comment when there\n"
                  "is one. Versions with the same texts are printed once, named on one heading\n"
                  "line. The layout is that of the installations' own message files. A code may\n"
                  "be pasted as Oracle prints it, the rest of the line included:\n"
                  "  tolvane-oerr ORA-00942: table or view does not exist\n"
                  "\n"
                  "--grep WORDS searches the message texts as the window's Error Message field\n"
                  "does (\"%\" stands for any text); --comment WORDS searches your comments. Each\n"
                  "match prints one line: PREFIX-CODE  VERSION  MESSAGE.\n"
                  "\n"
                  "The data file is opened read-only and never changed.",
                  {kReleaseOption,
                   kDataFileOption,
                   {"--grep", "WORDS", "list the messages whose text has the words"},
                   {"--comment", "WORDS", "list the messages whose comment has the words"}},
                  0,
                  kAnyNumber,
                  "",
                  true,
                  kLookupExitCodes}) {}

  std::optional<std::string> Check(const TArguments& arguments) const override {
    const std::optional<std::string> words = SearchWords(arguments);
    if (arguments.Has("--grep") && arguments.Has("--comment")) {
      return std::string("--grep and --comment cannot be combined");
    }
    if (!words) {
      const auto code = ReadPastedCode(arguments.Operands);
      return std::holds_alternative<std::string>(code)
                 ? std::optional<std::string>(std::get<std::string>(code))
                 : std::nullopt;
    }
    if (arguments.Operands.size() > 1) {
      return std::string("--grep and --comment take one facility at most");
    }
    // As the window refuses a search without criteria: blanks alone would list everything.
    if (TrimBelow33(Utf8ToUtf16Exact(*words)).empty()) {
      return std::string("--grep and --comment need words to search for");
    }
    return std::nullopt;
  }

  int Run(const TArguments& arguments, TToolContext& context) override {
    TOerrDataFile data(arguments);
    if (!data.Open(context)) {
      return data.Exit();
    }
    if (const std::optional<std::string> words = SearchWords(arguments)) {
      return Search(data, *words, arguments, context);
    }
    return LookUp(data, std::get<TPastedCode>(ReadPastedCode(arguments.Operands)), context);
  }

 private:
  static std::optional<std::string> SearchWords(const TArguments& arguments) {
    const std::optional<std::string> grep = arguments.Value("--grep");
    return grep ? grep : arguments.Value("--comment");
  }

  static int LookUp(TOerrDataFile& data, const TPastedCode& pasted, TToolContext& context) {
    const std::optional<std::string> prefix = FindPrefix(data.Prefixes(), pasted.Facility);
    if (!prefix) {
      return NothingFound(context, "unknown facility " + pasted.Facility);
    }
    const TLookupOutcome found =
        LookUpMessages(data.File().Db(), *prefix, pasted.Code, data.Release());
    if (!found.Ok) {
      return context.Fail(data.File().Failure(found.Error, kExitUnusable));
    }
    if (found.Messages.empty()) {
      return NothingFound(context,
                          "no message " + *prefix + "-" + pasted.Code +
                              (data.Release() ? " in version " + *data.Release() : std::string()));
    }
    context.Out << FormatMessages(found.Messages, Width(context));
    return kExitOk;
  }

  static int Search(TOerrDataFile& data, const std::string& words, const TArguments& arguments,
                    TToolContext& context) {
    std::string prefix;
    if (!arguments.Operands.empty()) {
      const std::optional<std::string> stored =
          FindPrefix(data.Prefixes(), arguments.Operands.front());
      if (!stored) {
        return NothingFound(context, "unknown facility " + arguments.Operands.front());
      }
      prefix = *stored;
    }
    const bool comment = arguments.Has("--comment");
    const TLookupOutcome found =
        SearchMessages(data.File().Db(), words, comment, prefix, data.Release(), data.RowLimit());
    if (!found.Ok) {
      return context.Fail(data.File().Failure(found.Error, kExitUnusable));
    }
    if (found.Messages.empty()) {
      return NothingFound(context,
                          std::string(comment ? "no comment" : "no message") + " matches " + words);
    }
    for (const TFoundMessage& message : found.Messages) {
      context.Out << FormatMatch(message, Width(context));
    }
    if (std::to_string(found.Messages.size()) == data.RowLimit()) {
      context.Say("the data file limits a search to " + data.RowLimit() +
                  " matches; narrow the words for the rest");
    }
    return kExitOk;
  }
};

class TExplainCommand : public TCommand {
 public:
  TExplainCommand()
      : TCommand(
            {"explain",
             {"[--release NAME] [--db FILE] [--json] [FILE]..."},
             "Explains every distinct error of a log or a pasted stack, once.",
             "Reads each FILE (standard input when there is none, or for \"-\"), finds every\n"
             "error token in it (ORA-00942, tns-12541, ...), and explains each distinct error\n"
             "once, in the order of its first appearance, with how often it was seen and\n"
             "where first. Codes of a known prefix that no version has are listed at the\n"
             "end. A FILE that cannot be read is named and the others are read.",
             {kReleaseOption,
              kDataFileOption,
              {"--json", "",
               "one JSON object a line per distinct error, its versions inside, each with "
               "its texts and comment"}},
             0,
             kAnyNumber,
             "",
             true,
             {{kExitOk, "at least one error explained"},
              {kExitFailed, "no error found"},
              {kExitUnusable,
               "the data file is missing, broken or needs a newer program, or no FILE "
               "could be read"}}}) {}

  int Run(const TArguments& arguments, TToolContext& context) override {
    TOerrDataFile data(arguments);
    if (!data.Open(context)) {
      return data.Exit();
    }
    return Explain(data.File(), data.Prefixes(),
                   {arguments.Operands, data.Release(), arguments.Has("--json"), Width(context)},
                   context);
  }
};

}  // namespace

std::unique_ptr<TCommand> LookupCommand() {
  return std::make_unique<TLookupCommand>();
}

std::unique_ptr<TCommand> ExplainCommand() {
  return std::make_unique<TExplainCommand>();
}
