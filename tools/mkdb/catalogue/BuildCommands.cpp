#include "tools/mkdb/catalogue/BuildCommands.h"

#include "tools/cli/Paths.h"
#include "tools/mkdb/catalogue/BuildProgress.h"
#include "tools/mkdb/catalogue/CatalogueFolder.h"
#include "tools/mkdb/catalogue/OracleHome.h"
#include "tools/mkdb/catalogue/VersionImport.h"

namespace {

using TClock = std::chrono::steady_clock;

const std::vector<std::pair<int, std::string>> kBuildExitCodes = {
    {kExitOk, "the data file is written"},
    {kExitFailed, "bad input or a data error: OUT is as it was"}};

void PrintWarnings(const TToolContext& context, const std::vector<std::string>& warnings) {
  for (const std::string& warning : warnings) {
    context.Warn(warning);
  }
}

class TCreateCommand : public TCommand {
 public:
  TCreateCommand()
      : TCommand(
            {"create",
             {"OUT --from DIR"},
             "Builds the data file OUT from the catalogue folder DIR.",
             "Builds the data file OUT from the catalogue folder DIR: a manifest of settings,\n"
             "prefixes and versions, one translation file per interface language, and per\n"
             "version one message file per prefix in Oracle's plain-text message format\n"
             "(docs/catalogue-format.md). Bad input stops the build with an error naming the\n"
             "file and line; OUT is replaced only when the whole build succeeded.",
             {{"--from", "DIR", "the catalogue folder to read"}},
             1,
             1,
             "create needs the data file OUT to write",
             false,
             kBuildExitCodes}) {}

  std::optional<std::string> Check(const TArguments& arguments) const override {
    if (!arguments.Has("--from")) {
      return std::string("create needs --from DIR");
    }
    return std::nullopt;
  }

  int Run(const TArguments& arguments, TToolContext& context) override {
    const TClock::time_point started = TClock::now();
    const std::string& out = arguments.Operands[0];
    TCatalogue catalogue;
    std::vector<std::string> warnings;
    std::string error;
    const bool read =
        ReadCatalogueFolder(PathFromUtf8(*arguments.Value("--from")), catalogue, warnings, error);
    PrintWarnings(context, warnings);
    if (!read || !BuildDataFile(out, catalogue, ProgressPrinter(context), error)) {
      return context.Fail({kExitFailed, error});
    }
    std::int64_t messages = 0;
    for (const TCatalogueVersion& version : catalogue.Versions) {
      for (const auto& entry : version.Messages) {
        messages += static_cast<std::int64_t>(entry.second.size());
      }
    }
    PrintBuildSummary(context, out, static_cast<std::int64_t>(catalogue.Versions.size()),
                      static_cast<std::int64_t>(catalogue.Prefixes.size()), messages, started);
    return kExitOk;
  }
};

class TAddCommand : public TCommand {
 public:
  TAddCommand()
      : TCommand({"add",
                  {"OUT --release NAME --oracle-home DIR"},
                  "Adds Oracle version NAME, read from the Oracle home DIR, to OUT.",
                  "Adds Oracle version NAME, read from DIR/lib/facility.lis and each\n"
                  "DIR/<component>/mesg/<facility>us.msg that exists, to the data file OUT, or\n"
                  "creates OUT when it does not exist; run it once per Oracle home to collect\n"
                  "several versions in one file. A message whose code the window could not show\n"
                  "(longer than five characters, or not all digits) is skipped with a FILE:LINE\n"
                  "warning. OUT is replaced only when everything succeeded.",
                  {{"--release", "NAME", "the Oracle version to add, as the window lists it (19c)"},
                   {"--oracle-home", "DIR", "the Oracle home to read its messages from"}},
                  1,
                  1,
                  "add needs the data file OUT to write",
                  true,
                  kBuildExitCodes}) {}

  std::optional<std::string> Check(const TArguments& arguments) const override {
    for (const char* needed : {"--release", "--oracle-home"}) {
      if (!arguments.Has(needed) || arguments.Value(needed)->empty()) {
        return "add needs " + std::string(needed) + (needed[2] == 'r' ? " NAME" : " DIR");
      }
    }
    return std::nullopt;
  }

  int Run(const TArguments& arguments, TToolContext& context) override {
    const TClock::time_point started = TClock::now();
    const std::string& out = arguments.Operands[0];
    TOracleHomeVersion imported;
    std::vector<std::string> warnings;
    std::string error;
    const bool read = ReadOracleHome(PathFromUtf8(*arguments.Value("--oracle-home")),
                                     *arguments.Value("--release"), imported, warnings, error);
    PrintWarnings(context, warnings);
    if (!read) {
      return context.Fail({kExitFailed, error});
    }
    TImportSummary summary;
    TFailure failure;
    if (!AddVersionToDataFile(out, imported, arguments.Wait, ProgressPrinter(context), summary,
                              failure)) {
      return context.Fail(failure);
    }
    PrintBuildSummary(context, out, 1, summary.NewPrefixes, summary.Messages, started);
    return kExitOk;
  }
};

}  // namespace

std::unique_ptr<TCommand> CreateCommand() {
  return std::make_unique<TCreateCommand>();
}

std::unique_ptr<TCommand> AddCommand() {
  return std::make_unique<TAddCommand>();
}
