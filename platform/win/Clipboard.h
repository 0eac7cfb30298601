#pragma once
// Windows only: the system clipboard written directly. Qt's own Windows clipboard puts a CR
// before every LF and derives the 8-bit form itself; the copy of the detail view is meant to
// reach other programs with single LFs and its 8-bit form in the ANSI code page.

#include <string_view>

namespace Platform {

// Replaces the clipboard's contents with `text`: first its ANSI conversion as CF_TEXT, then
// the UTF-16 text as CF_UNICODETEXT, each with its terminating zero. Returns false when the
// clipboard could not be opened or a format could not be placed.
bool WriteClipboardText(std::u16string_view text);

}  // namespace Platform
