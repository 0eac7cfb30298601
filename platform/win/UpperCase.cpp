#include "platform/UpperCase.h"

#include <windows.h>

#include <algorithm>

#include "platform/win/WideText.h"

namespace Platform {

// CharUpperBuffW maps code unit by code unit in place, so the length is kept by construction;
// surrogate pairs pass through unchanged.
std::u16string UpperCaseWide(std::u16string_view text) {
  std::u16string upper(text);
  std::size_t done = 0;
  while (done < upper.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(upper.size() - done, MAXDWORD));
    CharUpperBuffW(Internal::AsWide(upper.data() + done), chunk);
    done += chunk;
  }
  return upper;
}

}  // namespace Platform
