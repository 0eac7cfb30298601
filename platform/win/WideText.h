#pragma once
// Internal to platform/win: UTF-8 <-> UTF-16 for the wide Win32 calls, and the view of a
// char16_t buffer that those calls take (wchar_t is 16 bits wide on Windows).

#include <string>
#include <string_view>

namespace Platform::Internal {

std::wstring Utf8ToWide(std::string_view utf8);
std::string WideToUtf8(std::wstring_view wide);

inline const wchar_t* AsWide(const char16_t* text) {
  static_assert(sizeof(wchar_t) == sizeof(char16_t));
  return reinterpret_cast<const wchar_t*>(text);
}

inline wchar_t* AsWide(char16_t* text) {
  return reinterpret_cast<wchar_t*>(text);
}

}  // namespace Platform::Internal
