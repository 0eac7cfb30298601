#include "platform/AnsiText.h"

#include <windows.h>

#include <climits>

#include "platform/win/WideText.h"

namespace Platform {

// Characters the code page lacks become its default character ("?" in the Western pages),
// never a look-alike: Windows would otherwise write a fullwidth digit as a digit and a
// fullwidth apostrophe as the apostrophe that quotes SQL text. A system whose ANSI code page
// is UTF-8 lacks nothing, and refuses the flag.
std::string WideToAnsi(std::u16string_view wide) {
  if (wide.empty() || wide.size() > INT_MAX) {
    return {};
  }
  const wchar_t* source = Internal::AsWide(wide.data());
  const int length = static_cast<int>(wide.size());
  const DWORD flags = GetACP() == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int needed =
      WideCharToMultiByte(CP_ACP, flags, source, length, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<std::size_t>(needed), '\0');
  WideCharToMultiByte(CP_ACP, flags, source, length, ansi.data(), needed, nullptr, nullptr);
  return ansi;
}

std::u16string AnsiToWide(std::string_view ansi) {
  if (ansi.empty() || ansi.size() > INT_MAX) {
    return {};
  }
  const int length = static_cast<int>(ansi.size());
  const int needed = MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, nullptr, 0);
  std::u16string wide(static_cast<std::size_t>(needed), u'\0');
  MultiByteToWideChar(CP_ACP, 0, ansi.data(), length, Internal::AsWide(wide.data()), needed);
  return wide;
}

}  // namespace Platform
