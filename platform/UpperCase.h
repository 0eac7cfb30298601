#pragma once
// Unicode upper-casing that never changes the length of the text (one code unit in, one out;
// a surrogate pair stays a pair). Windows: CharUpperBuffW. POSIX: towupper_l in C.UTF-8.

#include <string>
#include <string_view>

namespace Platform {

std::u16string UpperCaseWide(std::u16string_view text);

}  // namespace Platform
