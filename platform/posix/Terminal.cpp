#include "platform/Terminal.h"

#include <unistd.h>

namespace Platform {

bool IsTerminal(std::FILE* stream) {
  return isatty(fileno(stream)) == 1;
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
}

// Terminals here take UTF-8 as they are.
TUtf8Console::TUtf8Console() = default;
TUtf8Console::~TUtf8Console() = default;

}  // namespace Platform
