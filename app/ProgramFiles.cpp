#include "app/ProgramFiles.h"

#include <string_view>

#include "platform/EngineLibrary.h"
#include "platform/ProgramDirectory.h"

namespace {

// Both names are plain ASCII.
std::u16string NotFound(std::string_view fileName) {
  return u"ERROR: " + std::u16string(fileName.begin(), fileName.end()) + u" not found";
}

}  // namespace

std::string EngineLibraryPath() {
  return Platform::ProgramDirectory() + Platform::kSqlite3LibraryName;
}

std::string DataFilePath() {
  return Platform::ProgramDirectory() + kDataFileName;
}

std::u16string EngineMissingMessage() {
  return NotFound(Platform::kSqlite3LibraryName);
}

std::u16string DataFileMissingMessage() {
  return NotFound(kDataFileName);
}
