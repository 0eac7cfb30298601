// ClipboardDump.exe DIR: what another Windows program reads from the clipboard, for the tests
// that drive the real window under wine. Writes DIR\text.bin (CF_TEXT, the bytes before the
// terminating zero) and DIR\unicode.bin (CF_UNICODETEXT, UTF-16LE before the zero). Exit 1
// when the clipboard cannot be opened.
#include <cstdio>
#include <string>

#include "tests/support/win/ClipboardContents.h"

namespace {

bool SaveBytes(const std::wstring& path, const void* bytes, std::size_t size) {
  FILE* file = _wfopen(path.c_str(), L"wb");
  if (file == nullptr) {
    return false;
  }
  const bool written = std::fwrite(bytes, 1, size, file) == size;
  return std::fclose(file) == 0 && written;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 2) {
    std::fputs("usage: ClipboardDump DIR\n", stderr);
    return 2;
  }
  const TClipboardContents contents = ReadClipboard();
  if (!contents.Opened) {
    std::fputs("ClipboardDump: the clipboard cannot be opened\n", stderr);
    return 1;
  }
  const std::wstring folder = argv[1];
  const bool written =
      SaveBytes(folder + L"\\text.bin", contents.Text.data(), contents.Text.size()) &&
      SaveBytes(folder + L"\\unicode.bin", contents.UnicodeText.data(),
                contents.UnicodeText.size() * sizeof(char16_t));
  return written ? 0 : 1;
}
