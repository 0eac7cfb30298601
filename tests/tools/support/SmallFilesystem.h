#pragma once
// A folder on a file system of its own, where a test can make the disk full or the folder
// read-only as a user meets it. It needs the right to mount (root); Mounted() says whether it
// got it, and a test without it tries another way or skips.

#include <string>

class TSmallFilesystem {
 public:
  // Mounts a file system of `kilobytes` on the existing, empty folder `folder`.
  TSmallFilesystem(std::string folder, int kilobytes);
  ~TSmallFilesystem();
  TSmallFilesystem(const TSmallFilesystem&) = delete;
  TSmallFilesystem& operator=(const TSmallFilesystem&) = delete;

  bool Mounted() const { return IsMounted; }
  // Writes files until the file system is full, so that the next write fails.
  void Fill() const;
  bool MakeReadOnly() const;

 private:
  std::string Folder;
  bool IsMounted = false;
};
