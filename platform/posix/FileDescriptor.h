#pragma once
// Internal to platform/posix: owns one open file descriptor.

#include <unistd.h>

namespace Platform::Internal {

class TFileDescriptor {
 public:
  explicit TFileDescriptor(int descriptor) : Descriptor(descriptor) {}
  ~TFileDescriptor() { Close(); }
  TFileDescriptor(const TFileDescriptor&) = delete;
  TFileDescriptor& operator=(const TFileDescriptor&) = delete;

  int Get() const { return Descriptor; }
  // Closes now; false when closing reported an error (a write that failed late).
  bool Close() {
    const int descriptor = Descriptor;
    Descriptor = -1;
    return descriptor < 0 || close(descriptor) == 0;
  }

 private:
  int Descriptor;
};

}  // namespace Platform::Internal
