#pragma once
// A terminal program made of commands (tools/cli/Command.h). It finds the command among the
// words of the command line (options may come before it), and answers --help, --version, an
// unknown command or option and a missing operand the same way for every command: help and
// version on standard output with exit code 0, a mistake as one line on standard error and
// "Try 'PROGRAM COMMAND --help'." with exit code 2.

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "tools/cli/Command.h"

class TProgram {
 public:
  // `name`: as the user types it. `summary`: what the program is for, in one sentence.
  // `exitCodes`: every exit code with what it means, for the program's help.
  TProgram(std::string name, std::string summary,
           std::vector<std::pair<int, std::string>> exitCodes);

  // A command with an empty name is the program's own: it runs when no command word is given.
  void Add(std::unique_ptr<TCommand> command);

  // `arguments`: the words after the program's name. Returns the exit code.
  int Main(const std::vector<std::string>& arguments, TToolContext& context) const;

  const std::string& Name() const { return ProgramName; }
  // The first line of --version: "NAME (Tolvane) VERSION".
  std::string Version() const;
  // The help of the whole program, or of the commands whose names start with `group`.
  std::string Help(const std::string& group = {}) const;
  // What its commands are, and its exit codes, for the tests that hold them against the README.
  std::vector<const TCommandDefinition*> Definitions() const;
  const std::vector<std::pair<int, std::string>>& ExitCodes() const { return Codes; }

 private:
  struct TFound {
    TCommand* Command = nullptr;
    std::vector<std::string> Rest;  // the words without the command's name
    std::string Group;              // the first word given, when no command has it as its name
  };
  TFound Find(const std::vector<std::string>& words) const;
  // The rest of the names of the commands whose first word is `group`.
  std::vector<std::string> GroupCommands(const std::string& group) const;
  bool TakesValue(const std::string& option) const;
  int Wrong(const std::string& what, const std::string& command, TToolContext& context) const;

  std::string ProgramName;
  std::string Summary;
  std::vector<std::pair<int, std::string>> Codes;
  std::vector<std::unique_ptr<TCommand>> Commands;
};
