#include "platform/Files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <string>

namespace Platform {

namespace {

// Owns one open file descriptor.
class TFileDescriptor {
 public:
  explicit TFileDescriptor(int descriptor) : Descriptor(descriptor) {}
  ~TFileDescriptor() {
    if (Descriptor >= 0) {
      close(Descriptor);
    }
  }
  TFileDescriptor(const TFileDescriptor&) = delete;
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;

  int Get() const { return Descriptor; }

 private:
  int Descriptor;
};

// Gives the file `from` the name `to` only while that name is free. A hard link does so
// atomically, unlike rename, which would replace; a file system without hard links gets the
// rename after a check.
bool TakeFreeName(const std::string& from, const std::string& to) {
  if (link(from.c_str(), to.c_str()) == 0) {
    return true;
  }
  if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) {
    return false;
  }
  struct stat status {};
  return lstat(to.c_str(), &status) != 0 && errno == ENOENT && rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

bool FileExists(const std::string& path) {
  struct stat status {};
  return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string ReadFileHead(const std::string& path, std::size_t count) {
  const TFileDescriptor file(open(path.c_str(), O_RDONLY | O_CLOEXEC));
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

bool CopyFileUnlessPresent(const std::string& from, const std::string& to) {
  const TFileDescriptor source(open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (source.Get() < 0) {
    return false;
  }
  std::string temporary = to + ".XXXXXX";
  const TFileDescriptor target(mkstemp(temporary.data()));
  if (target.Get() < 0) {
    return false;
  }
  char buffer[64 * 1024];
  bool copied = true;
  for (;;) {
    const ssize_t got = read(source.Get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      copied = got == 0;
      break;
    }
    for (ssize_t written = 0; copied && written < got;) {
      const ssize_t put = write(target.Get(), buffer + written, static_cast<size_t>(got - written));
      if (put < 0 && errno == EINTR) {
        continue;
      }
      copied = put > 0;
      written += put > 0 ? put : 0;
    }
    if (!copied) {
      break;
    }
  }
  copied = copied && fsync(target.Get()) == 0 && TakeFreeName(temporary, to);
  unlink(temporary.c_str());
  return copied;
}

void UseBinaryStandardOutput() {}  // POSIX output never translates line ends

}  // namespace Platform
