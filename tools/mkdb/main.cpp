// tolvane-mkdb: builds and vets the message data file tolv2_msg.db, and moves the user's
// comments between data files. `tolvane-mkdb --help` describes it.

#include <cstdio>
#include <iostream>

#include "platform/Terminal.h"
#include "tools/mkdb/MkdbProgram.h"

int main(int argc, char** argv) {
  const Platform::TUtf8Console console;
  const TProgram program = MkdbProgram();
  TToolContext context(program.Name(), std::cin, std::cout, std::cerr,
                       Platform::IsTerminal(stdout));
  return program.Main(Platform::CommandLineArguments(argc, argv), context);
}
