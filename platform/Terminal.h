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

// While it lives, a console window shows the UTF-8 text the tools write as the characters it
// stands for, rather than in the console's own code page; the console gets its code page back
// afterwards, so the commands that run in it next are not affected. Elsewhere, and when the
// output goes to a file or a pipe, it does nothing.
class TUtf8Console {
 public:
  TUtf8Console();
  ~TUtf8Console();
  TUtf8Console(const TUtf8Console&) = delete;
  TUtf8Console& operator=(const TUtf8Console&) = delete;

 private:
  [[maybe_unused]] unsigned PreviousCodePage = 0;  // Windows only
};

}  // namespace Platform
