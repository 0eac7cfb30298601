#include "platform/Terminal.h"

#include <windows.h>

// shellapi.h needs windows.h before it.
#include <io.h>
#include <shellapi.h>

#include "platform/win/WideText.h"

namespace Platform {

// _isatty is true for every character device, the null device included; only a console
// answers GetConsoleMode.
bool IsTerminal(std::FILE* stream) {
  const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) != 0;
}

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) {
    return argc > 1 ? std::vector<std::string>(argv + 1, argv + argc) : std::vector<std::string>();
  }
  std::vector<std::string> arguments;
  for (int at = 1; at < count; ++at) {
    arguments.push_back(Internal::WideToUtf8(wide[at]));
  }
  LocalFree(wide);
  return arguments;
}

TUtf8Console::TUtf8Console() {
  if (IsTerminal(stdout) || IsTerminal(stderr)) {
    PreviousCodePage = GetConsoleOutputCP();
    if (PreviousCodePage == CP_UTF8 || !SetConsoleOutputCP(CP_UTF8)) {
      PreviousCodePage = 0;
    }
  }
}

TUtf8Console::~TUtf8Console() {
  if (PreviousCodePage != 0) {
    std::fflush(stdout);
    std::fflush(stderr);
    SetConsoleOutputCP(PreviousCodePage);
  }
}

}  // namespace Platform
