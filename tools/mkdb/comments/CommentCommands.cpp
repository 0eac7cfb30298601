#include "tools/mkdb/comments/CommentCommands.h"

#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "platform/Files.h"
#include "tools/cli/OutputFile.h"
#include "tools/cli/Paths.h"
#include "tools/mkdb/catalogue/TextLines.h"
#include "tools/mkdb/comments/CommentTransfer.h"

namespace {

const TOption kOverwrite{"--overwrite", "",
                         "replace a different comment even when the data file's own is newer"};

std::vector<std::pair<int, std::string>> ImportExitCodes(const std::string& target) {
  return {{kExitOk, "every comment found its message"},
          {kExitFailed, "bad input, or a data file that cannot be used: nothing was changed"},
          {kExitUnplaced,
           "the comments were imported, but some found no message: they are "
           "listed, and in " +
               target + ".unplaced.csv"}};
}

std::string Placing(const std::string& target) {
  return "Each comment goes onto the message with the same version name, prefix name and\n"
         "code (compared exactly), whatever its key in the data file. When that message\n"
         "already has a different comment, the newer by its date stays unless --overwrite is\n"
         "given; the same text is left alone. A comment whose message the file lacks (or has\n"
         "twice) is listed on standard error and, once the rest is in place, written to\n" +
         target + ".unplaced.csv. " + target + " changes in one transaction, or not at all.";
}

bool ReadFrom(const std::string& path, const TArguments& arguments, TToolContext& context,
              std::vector<TCommentRecord>& records, TFailure& failure) {
  std::vector<std::string> warnings;
  const bool read = ReadComments(path, arguments.Wait, records, warnings, failure);
  for (const std::string& warning : warnings) {
    context.Warn(warning);
  }
  return read;
}

std::string Identity(const TCommentRecord& record) {
  std::string identity = record.Prefix + "-" + record.Code + " (" + record.Version + ")";
  if (record.Line > 0) {
    identity += ", line " + std::to_string(record.Line);
  }
  return identity;
}

int Import(const std::string& target, const std::vector<TCommentRecord>& records,
           const TArguments& arguments, TToolContext& context) {
  TCommentImportSummary summary;
  TFailure failure;
  if (!ImportComments(target, records, {arguments.Has("--overwrite"), arguments.Wait}, summary,
                      failure)) {
    return context.Fail({failure.Exit, failure.Text + "; nothing was changed"});
  }
  for (const TUnplacedComment& unplaced : summary.Unplaced) {
    context.Say("unplaced: " + Identity(unplaced.Record) + ": " + unplaced.Reason);
  }
  context.Say(target + ": " + std::to_string(summary.Inserted) + " comment(s) added, " +
              std::to_string(summary.Replaced) + " replaced, " + std::to_string(summary.Unchanged) +
              " already there, " + std::to_string(summary.KeptNewer) + " kept as the newer, " +
              std::to_string(summary.Unplaced.size()) + " without a message");
  if (summary.Unplaced.empty()) {
    return kExitOk;
  }
  if (summary.UnplacedFile.empty()) {
    return context.Fail(
        {kExitFailed, summary.UnplacedError + "; the comments without a message are listed above"});
  }
  context.Say("the comments without a message are in " + summary.UnplacedFile);
  return kExitUnplaced;
}

class TExportCommand : public TCommand {
 public:
  TExportCommand()
      : TCommand({"comments export",
                  {"DB [--out FILE]"},
                  "Writes every comment of DB as CSV, to FILE or to standard output.",
                  "Writes every comment of the data file DB, with the version, prefix and code of\n"
                  "its message, as CSV (UTF-8, a header row, RFC 4180 quoting, line breaks inside\n"
                  "a comment kept) to FILE or to standard output: for a backup, a spreadsheet or\n"
                  "a team's shared notes. FILE is replaced only once the whole export is written.",
                  {{"--out", "FILE", "write the CSV to FILE instead of standard output"}},
                  1,
                  1,
                  "comments export needs the data file DB",
                  true,
                  {{kExitOk, "exported"},
                   {kExitFailed, "DB cannot be read, or FILE cannot be written"}}}) {}

  int Run(const TArguments& arguments, TToolContext& context) override {
    const std::string& db = arguments.Operands[0];
    std::vector<TCommentRecord> records;
    TFailure failure;
    if (!ReadFrom(db, arguments, context, records, failure)) {
      return context.Fail(failure);
    }
    const std::string csv = CommentsCsv(records);
    if (const std::optional<std::string> out = arguments.Value("--out")) {
      std::string error;
      if (!WriteOutputFile(*out, csv, error)) {
        return context.Fail({kExitFailed, error});
      }
    } else {
      Platform::UseBinaryStandardOutput();
      if (!context.Out.write(csv.data(), static_cast<std::streamsize>(csv.size())).flush()) {
        return context.Fail({kExitFailed, "standard output cannot be written"});
      }
    }
    context.Say(db + ": " + std::to_string(records.size()) + " comment(s) exported");
    return kExitOk;
  }
};

class TImportCommand : public TCommand {
 public:
  TImportCommand()
      : TCommand(
            {"comments import",
             {"DB FILE [--overwrite]"},
             "Puts the comments of the CSV file FILE on the same messages of DB.",
             "Puts the comments of the CSV file FILE, as comments export writes it, into\n"
             "the data file DB.\n" +
                 Placing("DB") +
                 "\nA CSV with a wrong header, a broken quote, a wrong number of fields or text\n"
                 "that is not UTF-8 stops with FILE:LINE: what is wrong.",
             {kOverwrite},
             2,
             2,
             "comments import needs the data file DB and the CSV file FILE",
             true,
             ImportExitCodes("DB")}) {}

  int Run(const TArguments& arguments, TToolContext& context) override {
    const std::string& file = arguments.Operands[1];
    std::string content;
    std::string error;
    std::vector<TCommentRecord> records;
    if (!ReadWholeFile(PathFromUtf8(file), content, error) ||
        !ParseCommentsCsv(content, file, records, error)) {
      return context.Fail({kExitFailed, error});
    }
    return Import(arguments.Operands[0], records, arguments, context);
  }
};

class TCarryCommand : public TCommand {
 public:
  TCarryCommand()
      : TCommand({"comments carry",
                  {"OLD NEW [--overwrite]"},
                  "Puts the comments of the data file OLD on the same messages of NEW.",
                  "Puts the comments of the data file OLD (read-only) into the data file NEW, to\n"
                  "move to a newer data file without losing them.\n" +
                      Placing("NEW"),
                  {kOverwrite},
                  2,
                  2,
                  "comments carry needs the data files OLD and NEW",
                  true,
                  ImportExitCodes("NEW")}) {}

  int Run(const TArguments& arguments, TToolContext& context) override {
    std::vector<TCommentRecord> records;
    TFailure failure;
    if (!ReadFrom(arguments.Operands[0], arguments, context, records, failure)) {
      return context.Fail(failure);
    }
    return Import(arguments.Operands[1], records, arguments, context);
  }
};

}  // namespace

std::unique_ptr<TCommand> CommentsExportCommand() {
  return std::make_unique<TExportCommand>();
}

std::unique_ptr<TCommand> CommentsImportCommand() {
  return std::make_unique<TImportCommand>();
}

std::unique_ptr<TCommand> CommentsCarryCommand() {
  return std::make_unique<TCarryCommand>();
}
