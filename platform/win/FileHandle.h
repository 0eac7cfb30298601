#pragma once
// Internal to platform/win: owns one open file handle.

#include <windows.h>

namespace Platform::Internal {

class TFileHandle {
 public:
  explicit TFileHandle(HANDLE handle) : Handle(handle) {}
  ~TFileHandle() { Close(); }
  TFileHandle(const TFileHandle&) = delete;
  TFileHandle& operator=(const TFileHandle&) = delete;

  HANDLE Get() const { return Handle; }
  // Closes now; false when closing failed.
  bool Close() {
    const HANDLE handle = Handle;
    Handle = INVALID_HANDLE_VALUE;
    return handle == INVALID_HANDLE_VALUE || CloseHandle(handle) != 0;
  }

 private:
  HANDLE Handle;
};

}  // namespace Platform::Internal
