#include "platform/ProgramDirectory.h"
#include "platform/ProgramDirectoryOverrideState.h"

namespace Platform {

namespace Internal {

std::string& OverriddenProgramDirectory() {
  static std::string directory;
  return directory;
}

}  // namespace Internal

TProgramDirectoryOverride::TProgramDirectoryOverride(std::string directory)
    : Previous(Internal::OverriddenProgramDirectory()) {
  const std::string separator = DirectorySeparator();
  if (!directory.ends_with(separator)) {
    directory += separator;
  }
  Internal::OverriddenProgramDirectory() = std::move(directory);
}

TProgramDirectoryOverride::~TProgramDirectoryOverride() {
  Internal::OverriddenProgramDirectory() = std::move(Previous);
}

}  // namespace Platform
