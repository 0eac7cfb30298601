#pragma once
// The texts of --help, made from the commands' descriptions, so that every command is
// described in one layout and no option or exit code can be left out of it.

#include <string>
#include <utility>
#include <vector>

#include "tools/cli/Command.h"

// One command's help: its forms, description, options and exit codes.
std::string CommandHelp(const std::string& program, const TCommandDefinition& definition);

struct TProgramText {
  std::string Name;
  std::string Summary;                              // the first line after the usage
  std::vector<const TCommandDefinition*> Commands;  // the default command (empty name) first
  std::vector<std::pair<int, std::string>> ExitCodes;
};

// The program's help: every form of every command with its summary, the default command's
// description and options, the shared options and the exit codes.
std::string ProgramHelp(const TProgramText& text);
