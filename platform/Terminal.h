#pragma once
// What a terminal tool needs to know about where it runs.

#include <cstdio>
#include <string>
#include <vector>

namespace Platform {

// True when `stream` goes to a terminal (a console window on Windows), where output is
// wrapped to the window's width; false for a file, a pipe or the null device.
bool IsTerminal(std::FILE* stream);

// The program's arguments after its own name, as UTF-8 text. Windows hands `argv` over in the
// ANSI code page, which would lose the characters of a file name that the code page lacks, so
// there they are read from the wide command line instead.
std::vector<std::string> CommandLineArguments(int argc, char** argv);

}  // namespace Platform
