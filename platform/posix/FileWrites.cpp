// Whole-file writes that reach the disk, and the one-step replacement of a file.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

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
  return lstat(to.c_str(), &status) != 0 && errno == ENOENT &&
         std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace

bool CopyFileUnlessPresent(const std::string& from, const std::string& to) {
  const Internal::TFileDescriptor source(open(from.c_str(), O_RDONLY | O_CLOEXEC));
  if (source.Get() < 0) {
    return false;
  }
  const std::string temporary = to + ".partial-" + std::to_string(getpid());
  Internal::TFileDescriptor target(open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC,
                                        S_IRUSR | S_IWUSR | S_IRGRP | S_IWGRP | S_IROTH | S_IWOTH));
  if (target.Get() < 0) {
    return false;
  }
  bool copied = true;
  for (char buffer[64 * 1024];;) {
    const ssize_t got = read(source.Get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      copied = got == 0;
      break;
    }
    if (!WriteAll(target.Get(), std::string_view(buffer, static_cast<std::size_t>(got)))) {
      copied = false;
      break;
    }
  }
  copied = copied && fsync(target.Get()) == 0 && target.Close() && TakeFreeName(temporary, to);
  unlink(temporary.c_str());
  return copied;
}

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
