#include "platform/ProgramDirectory.h"

#include <unistd.h>

#include "platform/ProgramDirectoryOverrideState.h"

namespace Platform {

namespace {

// Full path of the running executable; empty when the kernel does not tell.
std::string ExecutablePath() {
  std::string path(256, '\0');
  for (;;) {
    const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
    if (length < 0) {
      return {};
    }
    // A result that fills the buffer may have been cut short: try again with more room.
    if (static_cast<std::size_t>(length) < path.size()) {
      path.resize(static_cast<std::size_t>(length));
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
  const std::string executable = ExecutablePath();
  const std::size_t separator = executable.rfind('/');
  if (separator == std::string::npos) {
    return "./";
  }
  return executable.substr(0, separator + 1);
}

const char* DirectorySeparator() {
  return "/";
}

bool HasDirectoryPart(const std::string& path) {
  return path.find('/') != std::string::npos;
}

}  // namespace Platform
