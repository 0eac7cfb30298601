#include "tools/cli/OutputFile.h"

#include <random>
#include <system_error>

#include "platform/Files.h"
#include "tools/cli/Paths.h"

namespace {

void Remove(const std::string& path) {
  std::error_code ignored;
  std::filesystem::remove(PathFromUtf8(path), ignored);
}

bool CannotBeWritten(const std::string& path, const std::string& reason, std::string& error) {
  error = path + ": cannot be written: " + reason;
  return false;
}

}  // namespace

std::string TemporaryBeside(const std::string& target) {
  std::random_device random;
  std::string candidate;
  std::error_code ignored;
  do {
    candidate = target + ".tmp-" + std::to_string(random());
  } while (std::filesystem::exists(PathFromUtf8(candidate), ignored));
  return candidate;
}

bool WriteOutputFile(const std::string& path, std::string_view content, std::string& error) {
  const std::string temporary = TemporaryBeside(path);
  std::string reason;
  if (!Platform::WriteNewFile(temporary, content, reason) ||
      !Platform::RenameOver(temporary, path, reason)) {
    Remove(temporary);
    return CannotBeWritten(path, reason, error);
  }
  return true;
}

bool PutInPlace(const std::string& temporary, const std::string& target, std::string& error) {
  std::string reason;
  if (!Platform::SyncFile(temporary, reason) || !Platform::RenameOver(temporary, target, reason)) {
    Remove(temporary);
    return CannotBeWritten(target, reason, error);
  }
  return true;
}
