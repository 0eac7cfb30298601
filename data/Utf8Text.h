#pragma once
// The data layer's own converters between wide (UTF-16) text and UTF-8 text. They never fail:
// surrogate pairs are encoded unit by unit (two three-byte sequences) and decode back to the
// same pair; malformed UTF-8 decodes to spaces or is swallowed, never to more characters than
// the input has bytes.

#include <string>
#include <string_view>

std::string UTF8Encode(std::u16string_view wide);
// UTF8Encode written to `out`, which has room for 3 bytes per code unit; returns the number
// of bytes written. For callers that store the bytes themselves.
std::size_t UTF8EncodeTo(std::u16string_view wide, char* out);
std::u16string UTF8Decode(std::string_view utf8);

// Exact conversions that keep every character, for what must reach the engine unchanged (file
// names, the values of a function the program registers): a four-byte sequence becomes a
// surrogate pair and back (UTF8Decode would make it a space, so the engine would open another
// file). A malformed byte, or a lone surrogate half, becomes U+FFFD.
std::u16string Utf8ToUtf16Exact(std::string_view utf8);
void AppendUtf16AsUtf8Exact(std::u16string_view wide, std::string& utf8);
std::string Utf16ToUtf8Exact(std::u16string_view wide);
