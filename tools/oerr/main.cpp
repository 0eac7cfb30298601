// tolvane-oerr: the data file's messages, causes, actions and the user's comments in a
// terminal. `tolvane-oerr --help` describes it.

#include <cstdio>
#include <iostream>

#include "platform/Terminal.h"
#include "tools/oerr/OerrProgram.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const Platform::TUtf8Console console;
  const TProgram program = OerrProgram();
  TToolContext context(program.Name(), std::cin, std::cout, std::cerr,
                       Platform::IsTerminal(stdout));
  return program.Main(Platform::CommandLineArguments(argc, argv), context);
}
