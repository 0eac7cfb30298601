#include "tests/tools/support/SmallFilesystem.h"

#ifndef _WIN32
#include <sys/mount.h>
#include <unistd.h>

#include <fstream>

TSmallFilesystem::TSmallFilesystem(std::string folder, int kilobytes) : Folder(std::move(folder)) {
  const std::string options = "size=" + std::to_string(kilobytes) + "k";
  IsMounted = geteuid() == 0 && mount("tmpfs", Folder.c_str(), "tmpfs", 0, options.c_str()) == 0;
}

TSmallFilesystem::~TSmallFilesystem() {
  if (IsMounted) {
    umount2(Folder.c_str(), MNT_DETACH);
  }
}

void TSmallFilesystem::Fill() const {
  std::ofstream filler(Folder + "/filler", std::ios::binary);
  const std::string block(512, 'f');
  while (filler.write(block.data(), static_cast<std::streamsize>(block.size())).flush()) {
  }
}

bool TSmallFilesystem::MakeReadOnly() const {
  return IsMounted && mount("tmpfs", Folder.c_str(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}

#else  // Windows has nothing of the kind: every test that needs it skips there.

TSmallFilesystem::TSmallFilesystem(std::string folder, int) : Folder(std::move(folder)) {}
TSmallFilesystem::~TSmallFilesystem() = default;
void TSmallFilesystem::Fill() const {}
bool TSmallFilesystem::MakeReadOnly() const {
  return false;
}

#endif
