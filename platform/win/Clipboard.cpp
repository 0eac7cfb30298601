#include "platform/win/Clipboard.h"

#include <windows.h>

#include <cstring>
#include <string>

#include "platform/AnsiText.h"
#include "platform/Sleep.h"

namespace Platform {
namespace {

// Another program may hold the clipboard for a moment; a person never notices this wait.
constexpr int kOpenAttempts = 5;
constexpr unsigned kOpenRetryMs = 20;

bool OpenTheClipboard() {
  for (int attempt = 0; attempt < kOpenAttempts; ++attempt) {
    if (OpenClipboard(nullptr)) {
      return true;
    }
    SleepMilliseconds(kOpenRetryMs);
  }
  return false;
}

// Places `count` units of `text` and a terminating zero under `format`. Once placed, the
// memory belongs to the clipboard.
template <typename TChar>
bool Place(UINT format, const TChar* text, std::size_t count) {
  const std::size_t bytes = (count + 1) * sizeof(TChar);
  HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  if (memory == nullptr) {
    return false;
  }
  auto* target = static_cast<TChar*>(GlobalLock(memory));
  if (target == nullptr) {
    GlobalFree(memory);
    return false;
  }
  std::memcpy(target, text, count * sizeof(TChar));
  target[count] = TChar{};
  GlobalUnlock(memory);
  if (SetClipboardData(format, memory) == nullptr) {
    GlobalFree(memory);
    return false;
  }
  return true;
}

}  // namespace

bool WriteClipboardText(std::u16string_view text) {
  const std::string ansi = WideToAnsi(text);
  if (!OpenTheClipboard()) {
    return false;
  }
  const bool written = EmptyClipboard() && Place(CF_TEXT, ansi.data(), ansi.size()) &&
                       Place(CF_UNICODETEXT, text.data(), text.size());
  CloseClipboard();
  return written;
}

}  // namespace Platform
