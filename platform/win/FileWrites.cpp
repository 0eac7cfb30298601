// Whole-file writes that reach the disk, and the one-step replacement of a file.
#include <windows.h>

#include <algorithm>

#include "platform/Files.h"
#include "platform/win/FileHandle.h"
#include "platform/win/WideText.h"

namespace Platform {

namespace {

// The system's text for the last error, without its line break.
bool Failed(std::string& error) {
  const DWORD code = GetLastError();
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  error = length > 0 ? Internal::WideToUtf8(std::wstring_view(text, length))
                     : "system error " + std::to_string(code);
  LocalFree(text);
  while (!error.empty() && (error.back() == '\n' || error.back() == '\r' || error.back() == '.')) {
    error.pop_back();
  }
  return false;
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1 << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), wanted, &written, nullptr) || written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace

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

bool WriteNewFile(const std::string& path, std::string_view bytes, std::string& error) {
  Internal::TFileHandle file(CreateFileW(Internal::Utf8ToWide(path).c_str(), GENERIC_WRITE, 0,
                                         nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE || !WriteAll(file.Get(), bytes) ||
      !FlushFileBuffers(file.Get()) || !file.Close()) {
    return Failed(error);
  }
  return true;
}

bool SyncFile(const std::string& path, std::string& error) {
  Internal::TFileHandle file(CreateFileW(Internal::Utf8ToWide(path).c_str(), GENERIC_WRITE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
  if (file.Get() == INVALID_HANDLE_VALUE || !FlushFileBuffers(file.Get()) || !file.Close()) {
    return Failed(error);
  }
  return true;
}

// A plain rename refuses an existing target on Windows; MoveFileEx replaces it in one step.
bool RenameOver(const std::string& from, const std::string& to, std::string& error) {
  if (!MoveFileExW(Internal::Utf8ToWide(from).c_str(), Internal::Utf8ToWide(to).c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return Failed(error);
  }
  return true;
}

}  // namespace Platform
