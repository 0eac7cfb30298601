#pragma once
// Unicode upper-casing that never changes the length of the text (one code unit in, one out;
// a surrogate pair stays a pair). Windows: CharUpperBuffW, unit by unit, so letters outside the
// Basic Multilingual Plane stay as they are. POSIX: towupper_l in C.UTF-8, pairs as one code
// point; a letter whose capital would change the length stays as it is (ß).

#include <string>
#include <string_view>

namespace Platform {

std::u16string UpperCaseWide(std::u16string_view text);

}  // namespace Platform
