#include "platform/Library.h"

#include <dlfcn.h>

namespace Platform {

TLibraryHandle LoadLibraryByName(const std::string& name) {
  if (name.empty()) {
    return nullptr;  // dlopen would hand back the program itself
  }
  // Every entry point is resolved now, so a broken library fails here rather than at a call;
  // local binding keeps the engine's symbols out of the process's global namespace.
  return dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* FindEntryPoint(TLibraryHandle library, const char* name) {
  return library == nullptr ? nullptr : dlsym(library, name);
}

void UnloadLibrary(TLibraryHandle library) {
  if (library != nullptr) {
    dlclose(library);
  }
}

}  // namespace Platform
