#include "tools/mkdb/check/CheckCommand.h"

#include <ostream>

#include "tools/mkdb/check/DataFileCheck.h"

namespace {

class TCheckCommand : public TCommand {
 public:
  TCheckCommand()
      : TCommand({"check",
                  {"DB"},
                  "Vets a data file that came from elsewhere, read-only.",
                  "Vets the data file DB that came from elsewhere (a colleague's, a download, a\n"
                  "restored backup) before the window uses it. It reads DB without changing a\n"
                  "byte (also while the window has it open) and prints one finding a line, most\n"
                  "serious first: the engine's integrity check, tables, views, triggers or\n"
                  "indexes that the builder does not make, the settings with the values the\n"
                  "window would use, messages of missing versions or prefixes, codes the window\n"
                  "cannot show, duplicate messages, texts that do not unscramble, and comments\n"
                  "whose message is gone; then the counts and a verdict.",
                  {},
                  1,
                  1,
                  "check needs the data file DB",
                  true,
                  {{kExitOk, "DB is sound"},
                   {kExitFailed, "problems found"},
                   {kExitUnusable, "no data file at all: missing, not a database, unreadable"}}}) {}

  int Run(const TArguments& arguments, TToolContext& context) override {
    const std::string& db = arguments.Operands[0];
    const TCheckReport report = CheckDataFile(db, arguments.Wait);
    if (!report.IsDataFile) {
      if (report.Failure.Exit != kExitLocked) {
        context.Out << FormatCheckReport(db, report);
      }
      return context.Fail(report.Failure);
    }
    context.Out << FormatCheckReport(db, report);
    return report.Findings.empty() ? kExitOk : kExitFailed;
  }
};

}  // namespace

std::unique_ptr<TCommand> CheckCommand() {
  return std::make_unique<TCheckCommand>();
}
