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

// UTF-8 to UTF-16 that keeps every character, for file names: a four-byte sequence becomes a
// surrogate pair (UTF8Decode would make it a space, and the engine would then open another
// file). A malformed byte becomes U+FFFD.
std::u16string FileNameToUtf16(std::string_view utf8);
