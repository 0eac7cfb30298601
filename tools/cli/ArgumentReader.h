#pragma once
// Reading one command's words in the GNU manner: options anywhere among the operands, as
// "--name VALUE" or "--name=VALUE"; "-h" is --help; "--" ends the options; "-" is an operand.
// --help and --version answer whatever else the line holds.

#include <string>
#include <vector>

#include "tools/cli/Command.h"

struct TReading {
  enum class TKind { Arguments, Help, Version, Wrong };
  TKind Kind = TKind::Arguments;
  TArguments Arguments;
  std::string Wrong;  // what is wrong, in one line
};

// The options that come with every command: --wait only where it opens data files.
std::vector<TOption> SharedOptions(bool waits);

TReading ReadArguments(const TCommandDefinition& definition, const std::vector<std::string>& words);

// "--help" or "-h", before any "--".
bool AsksForHelp(const std::vector<std::string>& words);
