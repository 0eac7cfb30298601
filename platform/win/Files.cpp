#include "platform/Files.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "platform/win/WideText.h"

namespace Platform {

namespace {

// Owns one open file handle.
class TFileHandle {
 public:
  explicit TFileHandle(HANDLE handle) : Handle(handle) {}
  ~TFileHandle() {
    if (Handle != INVALID_HANDLE_VALUE) {
      CloseHandle(Handle);
    }
  }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;

  HANDLE Get() const { return Handle; }

 private:
  HANDLE Handle;
};

}  // namespace

bool FileExists(const std::string& path) {
  if (path.empty()) {
    return false;
  }
  const DWORD attributes = GetFileAttributesW(Internal::Utf8ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

std::string ReadFileHead(const std::string& path, std::size_t count) {
  std::string head;
  if (path.empty()) {
    return head;
  }
  // Shared with other readers and writers: the engine of another process may hold the file.
  const TFileHandle file(CreateFileW(Internal::Utf8ToWide(path).c_str(), GENERIC_READ,
                                     FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                     FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE) {
    return head;
  }
  head.resize(count);
  std::size_t filled = 0;
  while (filled < count) {
    const DWORD wanted = static_cast<DWORD>(std::min<std::size_t>(count - filled, MAXDWORD));
    DWORD got = 0;
    if (!ReadFile(file.Get(), head.data() + filled, wanted, &got, nullptr) || got == 0) {
      break;
    }
    filled += got;
  }
  head.resize(filled);
  return head;
}

bool CopyFileUnlessPresent(const std::string& from, const std::string& to) {
  const std::wstring target = Internal::Utf8ToWide(to);
  const std::wstring temporary = target + L".partial";
  // The copy's own name is ours to replace: a copy stopped half-way leaves it behind.
  if (!CopyFileW(Internal::Utf8ToWide(from).c_str(), temporary.c_str(), FALSE)) {
    return false;
  }
  // Without MOVEFILE_REPLACE_EXISTING the move fails when the name is taken.
  const bool moved = MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
  if (!moved) {
    DeleteFileW(temporary.c_str());
  }
  return moved;
}

void UseBinaryStandardOutput() {
  _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace Platform
