#pragma once
// Internal to platform/: the one place where an overridden program directory is kept, shared by
// the override class and each platform's ProgramDirectory().

#include <string>

namespace Platform::Internal {

// The directory that ProgramDirectory() answers instead of the real one; empty when none.
std::string& OverriddenProgramDirectory();

}  // namespace Platform::Internal
