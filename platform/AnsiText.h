#pragma once
// Conversion between wide (UTF-16) text and 8-bit text in the system's ANSI code page.
// Windows: WideCharToMultiByte / MultiByteToWideChar with CP_ACP, so characters the code page
// lacks are replaced by its default character. POSIX: the "ANSI code page" is UTF-8; a lone
// surrogate becomes "?" and malformed UTF-8 becomes U+FFFD.

#include <string>
#include <string_view>

namespace Platform {

std::string WideToAnsi(std::u16string_view wide);
std::u16string AnsiToWide(std::string_view ansi);

}  // namespace Platform
