#pragma once
// Loading a shared library by file name and looking up its entry points.
// Windows: LoadLibraryA / GetProcAddress / FreeLibrary. POSIX: dlopen / dlsym / dlclose.
// The name is passed on unchanged, so the system's search order applies; executables that
// load the engine carry an rpath of their own directory, so on both platforms the copy
// beside the program wins.

#include <string>

namespace Platform {

using TLibraryHandle = void*;

// Returns nullptr when the library cannot be loaded or `name` is empty. `name` is 8-bit text.
TLibraryHandle LoadLibraryByName(const std::string& name);
// Returns nullptr when the library has no entry point of that name.
void* FindEntryPoint(TLibraryHandle library, const char* name);
void UnloadLibrary(TLibraryHandle library);

}  // namespace Platform
