// tolvane-synth OUT --messages N: a large made-up data file for measurements, on the terminal
// tools' command-line layer.

#include <charconv>
#include <cstdio>
#include <iostream>

#include "bench/synth/SyntheticDataFile.h"
#include "platform/Terminal.h"
#include "tools/cli/Program.h"
#include "tools/mkdb/catalogue/BuildProgress.h"

namespace {

std::optional<std::int64_t> Count(const std::string& text) {
  std::int64_t count = 0;
  const auto [end, failure] = std::from_chars(text.data(), text.data() + text.size(), count);
  if (failure != std::errc() || end != text.data() + text.size() || count <= 0) {
    return std::nullopt;
  }
  return count;
}

class TSynthCommand : public TCommand {
 public:
  TSynthCommand()
      : TCommand({"",
                  {"OUT --messages N"},
                  "Builds a large made-up data file of N messages for measurements.",
                  "Several versions, a few dozen prefixes, the same codes recurring from version\n"
                  "to version as in Oracle's own releases; the same N always gives the same file.",
                  {{"--messages", "N", "how many messages to write"}},
                  1,
                  1,
                  "the data file OUT to write is needed",
                  false,
                  {{kExitOk, "written"}, {kExitFailed, "the file could not be written"}}}) {}

  std::optional<std::string> Check(const TArguments& arguments) const override {
    if (!arguments.Has("--messages") || !Count(*arguments.Value("--messages"))) {
      return std::string("--messages needs a positive whole number");
    }
    return std::nullopt;
  }

  int Run(const TArguments& arguments, TToolContext& context) override {
    const auto started = std::chrono::steady_clock::now();
    const std::string& out = arguments.Operands[0];
    TSyntheticSummary summary;
    std::string error;
    if (!WriteSyntheticDataFile(out, *Count(*arguments.Value("--messages")),
                                ProgressPrinter(context), summary, error)) {
      return context.Fail({kExitFailed, error});
    }
    PrintBuildSummary(context, out, summary.Versions, summary.Prefixes, summary.Messages, started);
    return kExitOk;
  }
};

}  // namespace

int main(int argc, char** argv) {
  TProgram program("tolvane-synth", "Writes a made-up data file for the benchmarks.",
                   {{kExitOk, "written"},
                    {kExitFailed, "the file could not be written"},
                    {kExitUsage, "wrong command line"}});
  program.Add(std::make_unique<TSynthCommand>());
  TToolContext context(program.Name(), std::cin, std::cout, std::cerr,
                       Platform::IsTerminal(stdout));
  return program.Main(Platform::CommandLineArguments(argc, argv), context);
}
