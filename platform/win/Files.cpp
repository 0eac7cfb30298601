#include "platform/Files.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "platform/win/FileHandle.h"
#include "platform/win/WideText.h"

namespace Platform {

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
  const Internal::TFileHandle file(CreateFileW(Internal::Utf8ToWide(path).c_str(), GENERIC_READ,
                                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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

void UseBinaryStandardOutput() {
  _setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace Platform
