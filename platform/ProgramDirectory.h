#pragma once
// The directory of the running executable, where the engine library and the data file live.

#include <string>

namespace Platform {

// UTF-8 path of the running program's directory, always ending in the platform's separator
// ("\" on Windows, "/" elsewhere).
std::string ProgramDirectory();

// The platform's directory separator as text: "\" or "/".
const char* DirectorySeparator();

// True when `path` names a directory part (holds a separator; on Windows also "/" or a drive).
bool HasDirectoryPart(const std::string& path);

// While an object of this class lives, ProgramDirectory() answers `directory` (a separator is
// appended when missing). For tests that stage a program directory in a temporary folder.
class TProgramDirectoryOverride {
 public:
  explicit TProgramDirectoryOverride(std::string directory);
  ~TProgramDirectoryOverride();
  TProgramDirectoryOverride(const TProgramDirectoryOverride&) = delete;
  TProgramDirectoryOverride& operator=(const TProgramDirectoryOverride&) = delete;

 private:
  std::string Previous;
};

}  // namespace Platform
