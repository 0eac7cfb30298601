#include "tools/cli/Paths.h"

#include <system_error>

namespace fs = std::filesystem;

std::string PathFromArgument(const std::string& argument) {
  std::error_code error;
  const fs::path full = fs::absolute(PathFromUtf8(argument), error);
  return error ? argument : Utf8Path(full);
}

std::optional<std::string> NotAFile(const std::string& name, const std::string& missing,
                                    bool regularOnly) {
  std::error_code error;
  const fs::file_status status = fs::status(PathFromUtf8(name), error);
  if (status.type() == fs::file_type::not_found) {
    return missing;
  }
  if (error) {
    return error.message();
  }
  if (fs::is_directory(status)) {
    return std::string("is a folder");
  }
  if (regularOnly && !fs::is_regular_file(status)) {
    return std::string("is no ordinary file");
  }
  return std::nullopt;
}
