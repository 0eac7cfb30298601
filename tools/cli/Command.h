#pragma once
// One command of a terminal tool: its name, forms, options and help, and what it does. The
// program (tools/cli/Program.h) reads the command line, answers --help, --version and every
// mistake in it the same way for every command, and runs the command only with a command line
// its description allows.

#include <chrono>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "tools/cli/ExitCode.h"

struct TOption {
  std::string Name;   // "--release"
  std::string Value;  // what its value stands for ("NAME"); empty for an option without one
  std::string Help;   // one line
};

inline constexpr std::size_t kAnyNumber = static_cast<std::size_t>(-1);

struct TCommandDefinition {
  // The words after the program's name ("comments export"); empty for the program's own.
  std::string Name;
  // Its forms as the usage shows them after the program and command names ("DB [--out FILE]").
  std::vector<std::string> Forms;
  std::string Summary;           // one line in the program's help
  std::string Description;       // its help: paragraphs separated by a blank line
  std::vector<TOption> Options;  // its own; --help, --version and --wait come with the program
  std::size_t LeastOperands = 0;
  std::size_t MostOperands = 0;  // kAnyNumber: no limit
  std::string Needs;             // what is missing without operands: "a data file DB"
  // It opens data files that another program may hold locked: --wait applies, and exit 4.
  bool WaitsForDataFiles = true;
  // Its own exit codes besides 2 and 4, with what each means for it.
  std::vector<std::pair<int, std::string>> ExitCodes;
};

// A command line as read for one command.
struct TArguments {
  std::vector<std::string> Operands;
  std::map<std::string, std::string> Options;  // by name; an option without a value maps to ""
  std::chrono::milliseconds Wait{5000};        // --wait

  bool Has(const std::string& option) const { return Options.contains(option); }
  std::optional<std::string> Value(const std::string& option) const;
};

// Where a command reads and writes, and its way of saying what went wrong: every line on
// standard error starts with the program's name.
class TToolContext {
 public:
  TToolContext(std::string program, std::istream& in, std::ostream& out, std::ostream& err,
               bool outIsTerminal)
      : In(in), Out(out), Err(err), OutIsTerminal(outIsTerminal), Name(std::move(program)) {}

  const std::string& Program() const { return Name; }
  void Say(const std::string& text) const;   // "PROGRAM: text"
  void Warn(const std::string& text) const;  // "PROGRAM: warning: text"
  int Fail(const TFailure& failure) const;   // says its text; returns its exit code

  std::istream& In;
  std::ostream& Out;
  std::ostream& Err;
  const bool OutIsTerminal;

 private:
  std::string Name;
};

class TCommand {
 public:
  explicit TCommand(TCommandDefinition definition) : Data(std::move(definition)) {}
  virtual ~TCommand() = default;
  TCommand(const TCommand&) = delete;
  TCommand& operator=(const TCommand&) = delete;

  const TCommandDefinition& Definition() const { return Data; }
  // What is wrong with a command line that has the right options and number of operands, or
  // nothing: the program reports it as a wrong command line.
  virtual std::optional<std::string> Check(const TArguments& /*arguments*/) const {
    return std::nullopt;
  }
  // Does the work; returns the exit code.
  virtual int Run(const TArguments& arguments, TToolContext& context) = 0;

 private:
  TCommandDefinition Data;
};
