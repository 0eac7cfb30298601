#include "platform/win/Shell.h"

#include <windows.h>

// shellapi.h needs windows.h before it.
#include <shellapi.h>

#include <string>

#include "platform/win/WideText.h"

namespace Platform {

bool OpenWithShell(std::u16string_view address) {
  const std::u16string terminated(address);
  // A browser started for the address shows its window normally; hidden, a newly started one
  // would not appear at all. Results above 32 mean success.
  const HINSTANCE result = ShellExecuteW(nullptr, L"open", Internal::AsWide(terminated.c_str()),
                                         nullptr, nullptr, SW_SHOWNORMAL);
  return reinterpret_cast<INT_PTR>(result) > 32;
}

}  // namespace Platform
