#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>

#include "platform/posix/FileDescriptor.h"

namespace Platform {

bool FileExists(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string ReadFileHead(const std::string& path, std::size_t count) {
  const Internal::TFileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
  std::string head;
  if (file.Get() < 0) {
    return head;
  }
  head.resize(count);
  std::size_t filled = 0;
  while (filled < count) {
    const ssize_t got = read(file.Get(), head.data() + filled, count - filled);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      break;
    }
    filled += static_cast<std::size_t>(got);
  }
  head.resize(filled);
  return head;
}

void UseBinaryStandardOutput() {}  // POSIX output never translates line ends

}  // namespace Platform
