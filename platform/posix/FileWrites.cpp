// Whole-file writes that reach the disk, and the one-step replacement of a file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "platform/Files.h"
#include "platform/posix/FileDescriptor.h"

namespace Platform {

namespace {

bool Failed(std::string& error) {
  error = std::strerror(errno);
  return false;
}

bool WriteAll(int descriptor, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = write(descriptor, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

}  // namespace

bool WriteNewFile(const std::string& path, std::string_view bytes, std::string& error) {
  Internal::TFileDescriptor file(open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                      S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH));
  if (file.Get() < 0 || !WriteAll(file.Get(), bytes) || fsync(file.Get()) != 0 || !file.Close()) {
    return Failed(error);
  }
  return true;
}

bool SyncFile(const std::string& path, std::string& error) {
  Internal::TFileDescriptor file(open(path.c_str(), O_RDWR | O_CLOEXEC));
  if (file.Get() < 0 || fsync(file.Get()) != 0 || !file.Close()) {
    return Failed(error);
  }
  return true;
}

bool RenameOver(const std::string& from, const std::string& to, std::string& error) {
  struct stat old {};
  if (stat(to.c_str(), &old) == 0) {
    chmod(from.c_str(), old.st_mode & 07777);  // at worst the new file keeps the usual ones
  }
  if (std::rename(from.c_str(), to.c_str()) != 0) {
    return Failed(error);
  }
  return true;
}

}  // namespace Platform
