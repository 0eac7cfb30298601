// tolvane-mkdb: builds the message data file tolv2_msg.db. See CommandLine.h for its use.

#include <cstdio>
#include <string>
#include <vector>

#include "tools/mkdb/Commands.h"

int main(int argc, char** argv) {
  const std::vector<std::string> arguments(argv + 1, argv + argc);
  TCommandLine command;
  std::string error;
  if (!ParseCommandLine(arguments, command, error)) {
    std::fprintf(stderr, "tolvane-mkdb: %s\n%s", error.c_str(), kUsageText);
    return kExitUsage;
  }
  return RunCommand(command);
}
