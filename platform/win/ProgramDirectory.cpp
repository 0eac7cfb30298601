#include "platform/ProgramDirectory.h"

#include <windows.h>

#include "platform/ProgramDirectoryOverrideState.h"
#include "platform/win/WideText.h"

namespace Platform {

namespace {

// Full path of the running executable; empty when the system does not tell.
std::wstring ExecutablePath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) {
      return {};
    }
    // A result that fills the buffer has been cut short: try again with more room.
    if (length < path.size()) {
      path.resize(length);
      return path;
    }
    path.resize(path.size() * 2);
  }
}

}  // namespace

std::string ProgramDirectory() {
  if (const std::string& overridden = Internal::OverriddenProgramDirectory(); !overridden.empty()) {
    return overridden;
  }
  const std::wstring executable = ExecutablePath();
  const std::size_t separator = executable.find_last_of(L"\\/");
  if (separator == std::wstring::npos) {
    return ".\\";
  }
  std::string directory = Internal::WideToUtf8(executable.substr(0, separator));
  return directory + "\\";
}

const char* DirectorySeparator() {
  return "\\";
}

bool HasDirectoryPart(const std::string& path) {
  return path.find_first_of("\\/:") != std::string::npos;
}

}  // namespace Platform
