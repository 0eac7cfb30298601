// The command-line layer of both programs, in process: every command answers --help,
// --version, an unknown option and a missing operand the same way; options are read in the
// GNU manner; and the help and the README name every option.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/tools/InProcess.h"
#include "tools/cli/ArgumentReader.h"
#include "tools/mkdb/MkdbProgram.h"
#include "tools/oerr/OerrProgram.h"

namespace {

using TStrings = std::vector<std::string>;

// Each program's and group's --help and --version, unknown options and missing operands: the
// exit code and the first line, on standard output for 0 and on standard error otherwise. Every
// command's own --help is read below, where its options are looked for.
TEST(CommandLineTest, EveryCommandAnswersTheSameWay) {
  const TProgram mkdb = MkdbProgram();
  const TProgram oerr = OerrProgram();
  const char* const rows[] = {
      "mkdb --help | 0 | Usage:",
      "mkdb --version | 0 | tolvane-mkdb (Tolvane) 2.0",
      "mkdb | 2 | tolvane-mkdb: a command is needed",
      "mkdb --bogus | 2 | tolvane-mkdb: unknown option '--bogus'",
      "mkdb synth x.db | 2 | tolvane-mkdb: unknown command 'synth'",
      "mkdb comments | 2 | tolvane-mkdb: comments needs one of: export, import, carry",
      "mkdb comments --help | 0 | Usage:",
      "mkdb create --from dir | 2 | tolvane-mkdb: create needs the data file OUT to write",
      "mkdb create x.db | 2 | tolvane-mkdb: create needs --from DIR",
      "mkdb add x.db --version | 0 | tolvane-mkdb (Tolvane) 2.0",
      "mkdb add x.db --version 19c --oracle-home h | 2 | tolvane-mkdb: --version takes no value: "
      "the Oracle version is --release 19c",
      "mkdb add x.db --oracle-home h | 2 | tolvane-mkdb: add needs --release NAME",
      "mkdb comments export a.db --overwrite | 2 | tolvane-mkdb: unknown option '--overwrite'",
      "mkdb comments export | 2 | tolvane-mkdb: comments export needs the data file DB",
      "mkdb comments import a.db c.csv --out x | 2 | tolvane-mkdb: unknown option '--out'",
      "mkdb comments import a.db | 2 | tolvane-mkdb: comments import needs the data file DB and "
      "the CSV file FILE",
      "mkdb comments carry o.db | 2 | tolvane-mkdb: comments carry needs the data files OLD and "
      "NEW",
      "mkdb check | 2 | tolvane-mkdb: check needs the data file DB",
      "oerr --help | 0 | Usage:",
      "oerr --version | 0 | tolvane-oerr (Tolvane) 2.0",
      "oerr --version 10.2 ora 942 | 2 | tolvane-oerr: --version takes no value: the Oracle "
      "version is --release 10.2",
      "oerr ora 942 --bogus | 2 | tolvane-oerr: unknown option '--bogus'",
      "oerr | 2 | tolvane-oerr: a facility and a code are needed, as in: ora 942",
      "oerr --grep a --comment b | 2 | tolvane-oerr: --grep and --comment cannot be combined",
      "oerr --grep a ora tns | 2 | tolvane-oerr: --grep and --comment take one facility at most",
      "oerr --comment \t\n ora | 2 | tolvane-oerr: --grep and --comment need words to search for",
      "oerr --json ora 1 | 2 | tolvane-oerr: unknown option '--json'",
      "oerr --json explain --version | 0 | tolvane-oerr (Tolvane) 2.0",
  };
  for (const char* row : rows) {
    const TStrings fields = Fields(row);
    TStrings words = Words(fields[0]);
    const TProgram& program = words[0] == "mkdb" ? mkdb : oerr;
    words.erase(words.begin());
    const TProgramRun answer = RunInProcess(program, words);
    const int exit = std::stoi(fields[1]);
    EXPECT_EQ(answer.Exit, exit) << row << "\n" << answer.Err;
    const std::string& said = exit == 0 ? answer.Out : answer.Err;
    EXPECT_EQ(said.substr(0, said.find('\n')), fields[2]) << row;
    if (exit == 0) {
      EXPECT_EQ(answer.Err, "") << row;
    } else {  // one line, then where to read more, and nothing else
      EXPECT_EQ(std::count(answer.Err.begin(), answer.Err.end(), '\n'), 2) << row << answer.Err;
      EXPECT_TRUE(Contains(answer.Err, "\nTry '" + program.Name()));
      EXPECT_EQ(answer.Out, "") << row;
    }
  }
  // A mistake in a command sends to that command's help.
  const std::string told = RunInProcess(mkdb, {"comments", "export"}).Err;
  EXPECT_EQ(told.substr(told.find('\n') + 1), "Try 'tolvane-mkdb comments export --help'.\n");
}

// "OPERANDS|NAME=VALUE...|WAIT" as a command reads its words, or "wrong: what is said".
TEST(CommandLineTest, OptionsAreReadInTheGnuManner) {
  TCommandDefinition definition;
  definition.Options = {{"--out", "FILE", ""}, {"--json", "", ""}};
  definition.MostOperands = kAnyNumber;
  const auto read = [&definition](const TStrings& words) {
    const TReading reading = ReadArguments(definition, words);
    if (reading.Kind == TReading::TKind::Wrong) {
      return "wrong: " + reading.Wrong;
    }
    if (reading.Kind != TReading::TKind::Arguments) {
      return std::string(reading.Kind == TReading::TKind::Help ? "help" : "version");
    }
    std::string text;
    for (const std::string& operand : reading.Arguments.Operands) {
      text += operand + " ";
    }
    text += "|";
    for (const auto& [name, value] : reading.Arguments.Options) {
      text += name + "=" + value + " ";
    }
    return text + "|" + std::to_string(reading.Arguments.Wait.count());
  };
  const std::pair<TStrings, std::string> cases[] = {
      {{"a", "--out", "x", "b"}, "a b |--out=x |5000"},
      {{"--out=x=y", "--json"}, "|--json= --out=x=y |5000"},
      {{"-", "--", "--json", "-h"}, "- --json -h ||5000"},
      {{"--wait", "1.5"}, "|--wait=1.5 |1500"},
      {{"--wait=0"}, "|--wait=0 |0"},
      {{"a", "-h"}, "help"},
      {{"--out", "--help"}, "help"},
      {{"--version", "--bogus"}, "version"},
      {{"--json=yes"}, "wrong: option '--json' takes no value"},
      {{"--out"}, "wrong: option '--out' needs a value: --out FILE"},
      {{"--out", "a", "--out", "b"}, "wrong: option '--out' is given twice"},
      {{"-x"}, "wrong: unknown option '-x'"},
      {{"--wait", "-1"}, "wrong: --wait needs a number of seconds, as in: --wait 10"},
      {{"--wait", "1e99"}, "wrong: --wait needs a number of seconds, as in: --wait 10"},
      {{"--wait", "5s"}, "wrong: --wait needs a number of seconds, as in: --wait 10"},
  };
  for (const auto& [words, expected] : cases) {
    EXPECT_EQ(read(words), expected) << testing::PrintToString(words);
  }
  definition.MostOperands = 1;
  EXPECT_EQ(read({"a", "b"}), "wrong: unexpected operand 'b'");
}

// Every option of every command is in its help and in the README, and so is every exit code;
// where a command opens a data file its help has the wait and the exit code 4.
TEST(CommandLineTest, HelpAndReadmeNameEveryOptionAndExitCode) {
#ifdef _WIN32
  // The Windows build runs under wine, which shows the checkout's file system as drive Z:.
  std::ifstream file("Z:" TOLVANE_SOURCE_DIR "/README.md");
#else
  std::ifstream file(TOLVANE_SOURCE_DIR "/README.md");
#endif
  const std::string readme{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  ASSERT_FALSE(readme.empty());
  const TProgram programs[] = {MkdbProgram(), OerrProgram()};
  for (const TProgram& program : programs) {
    for (const TCommandDefinition* definition : program.Definitions()) {
      TStrings words = Words(definition->Name);
      words.push_back("--help");
      const TProgramRun run = RunInProcess(program, words);
      EXPECT_EQ(run.Exit, 0) << definition->Name;
      const std::string& help = run.Out;
      std::vector<TOption> options = definition->Options;
      for (TOption& shared : SharedOptions(definition->WaitsForDataFiles)) {
        options.push_back(std::move(shared));
      }
      for (const TOption& option : options) {
        const std::string shown = option.Name + (option.Value.empty() ? "" : " " + option.Value);
        EXPECT_NE(help.find("  " + shown + " "), std::string::npos)
            << definition->Name << " " << shown;
        EXPECT_NE(readme.find(shown), std::string::npos) << definition->Name << " " << shown;
      }
      for (const auto& [code, meaning] : definition->ExitCodes) {
        EXPECT_NE(help.find("  " + std::to_string(code) + "  "), std::string::npos) << help;
      }
      EXPECT_EQ(help.find("  4  another program held") != std::string::npos,
                definition->WaitsForDataFiles)
          << help;
    }
    for (const auto& [code, meaning] : program.ExitCodes()) {
      EXPECT_NE(readme.find(std::to_string(code) + " " + meaning.substr(0, meaning.find(';'))),
                std::string::npos)
          << program.Name() << ": " << code << " " << meaning;
    }
  }
}

}  // namespace
