#pragma once
// A command line run in this process as the program's main() runs it: the exit code and what
// it wrote on each stream.

#include <sstream>

#include "tests/support/TextCases.h"
#include "tests/tools/support/ProgramRun.h"
#include "tools/cli/Program.h"

inline TProgramRun RunInProcess(const TProgram& program, const std::vector<std::string>& words) {
  std::istringstream in;
  std::ostringstream out, err;
  TToolContext context(program.Name(), in, out, err, false);
  const int exit = program.Main(words, context);
  return {exit, out.str(), err.str()};
}
