#include "platform/Library.h"

#include <windows.h>

namespace Platform {

namespace {

// While it lives, a library that is missing or broken makes the load fail quietly instead of
// showing the system's error box.
class TQuietLoadErrors {
 public:
  TQuietLoadErrors() { SetThreadErrorMode(SEM_FAILCRITICALERRORS, &Previous); }
  ~TQuietLoadErrors() { SetThreadErrorMode(Previous, nullptr); }
  TQuietLoadErrors(const TQuietLoadErrors&) = delete;
  TQuietLoadErrors& operator=(const TQuietLoadErrors&) = delete;

 private:
  DWORD Previous = 0;
};

}  // namespace

TLibraryHandle LoadLibraryByName(const std::string& name) {
  if (name.empty()) {
    return nullptr;
  }
  const TQuietLoadErrors quiet;
  return LoadLibraryA(name.c_str());
}

void* FindEntryPoint(TLibraryHandle library, const char* name) {
  if (library == nullptr) {
    return nullptr;
  }
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void UnloadLibrary(TLibraryHandle library) {
  if (library != nullptr) {
    FreeLibrary(static_cast<HMODULE>(library));
  }
}

}  // namespace Platform
