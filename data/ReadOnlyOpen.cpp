#include "data/ReadOnlyOpen.h"

#include <cstdio>

#include "platform/Files.h"

namespace {

constexpr std::size_t kHeaderBytes = 20;
constexpr char kWriteAheadLogFormat = 2;  // the header's read and write versions

bool InWriteAheadLogMode(const std::string& path) {
  const std::string head = Platform::ReadFileHead(path, kHeaderBytes);
  return head.size() == kHeaderBytes && head.starts_with("SQLite format 3") &&
         head[18] == kWriteAheadLogFormat && head[19] == kWriteAheadLogFormat;
}

// Every byte but letters, digits and "-._~/:" as %XX, so that "?", "#", "%" and blanks in a
// folder name stay part of the name.
std::string Escaped(const std::string& path) {
  std::string escaped;
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
        (byte >= '0' && byte <= '9') || std::string_view("-._~/:").find(c) != std::string::npos) {
      escaped += c;
    } else {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", byte);
      escaped += code;
    }
  }
  return escaped;
}

}  // namespace

std::optional<std::string> ImmutableFileName(const std::string& path) {
  if (!InWriteAheadLogMode(path) || !Platform::ReadFileHead(path + "-wal", 1).empty()) {
    return std::nullopt;
  }
#ifdef _WIN32
  std::string forward = path;
  for (char& c : forward) {
    c = c == '\\' ? '/' : c;
  }
  // Only a path with a drive letter has a form the engine takes; others open by their name.
  if (forward.size() < 3 || forward[1] != ':' || forward[2] != '/') {
    return std::nullopt;
  }
  return "file:///" + Escaped(forward) + "?immutable=1";
#else
  return "file:" + std::string(path.starts_with('/') ? "//" : "") + Escaped(path) + "?immutable=1";
#endif
}
