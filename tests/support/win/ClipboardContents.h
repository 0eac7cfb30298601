#pragma once
// Windows only: what the clipboard holds, read as another program reads it.

#include <windows.h>

#include <string>
#include <vector>

struct TClipboardContents {
  bool Opened = false;
  std::vector<UINT> Formats;   // in the order they were placed; synthesized ones follow
  std::string Text;            // CF_TEXT, before its terminating zero
  std::u16string UnicodeText;  // CF_UNICODETEXT, before its terminating zero
};

// Another program may hold the clipboard for a moment, and a freshly started wine brings it
// up a moment after the first program starts: up to five seconds of tries.
inline TClipboardContents ReadClipboard() {
  TClipboardContents contents;
  for (int attempt = 0; !OpenClipboard(nullptr); ++attempt) {
    if (attempt == 100) {
      return contents;
    }
    Sleep(50);
  }
  contents.Opened = true;
  for (UINT format = EnumClipboardFormats(0); format != 0; format = EnumClipboardFormats(format)) {
    contents.Formats.push_back(format);
  }
  if (HANDLE text = GetClipboardData(CF_TEXT)) {
    if (const auto* bytes = static_cast<const char*>(GlobalLock(text))) {
      contents.Text = bytes;
      GlobalUnlock(text);
    }
  }
  if (HANDLE text = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* units = static_cast<const char16_t*>(GlobalLock(text))) {
      contents.UnicodeText = units;
      GlobalUnlock(text);
    }
  }
  CloseClipboard();
  return contents;
}
