#include "data/Utf8Text.h"

#include <cstdint>

namespace {

std::size_t EncodedLength(std::u16string_view wide) {
  std::size_t length = 0;
  for (char16_t unit : wide) {
    length += unit < 0x80 ? 1 : unit < 0x800 ? 2 : 3;
  }
  return length;
}

// The low six bits of the byte at `position` when it is a continuation byte (10xxxxxx);
// a missing or non-continuation byte contributes nothing.
unsigned ContinuationBits(std::string_view utf8, std::size_t position) {
  if (position >= utf8.size()) {
    return 0;
  }
  const auto byte = static_cast<std::uint8_t>(utf8[position]);
  return (byte & 0xC0) == 0x80 ? (byte & 0x3F) : 0;
}

// A byte that starts no one-, two- or three-byte form swallows itself and the bytes after it:
// 2 plus the run of 1-bits from bit 5 downward (a four-byte form is skipped whole).
std::size_t MalformedSkip(std::uint8_t byte) {
  std::size_t skip = 2;
  for (int bit = 5; bit >= 0 && ((byte >> bit) & 1) != 0; --bit) {
    ++skip;
  }
  return skip;
}

}  // namespace

std::string UTF8Encode(std::u16string_view wide) {
  std::string utf8(EncodedLength(wide), '\0');
  std::size_t out = 0;
  for (char16_t unit : wide) {
    if (unit < 0x80) {
      utf8[out++] = static_cast<char>(unit);
    } else if (unit < 0x800) {
      utf8[out++] = static_cast<char>(0xC0 | (unit >> 6));
      utf8[out++] = static_cast<char>(0x80 | (unit & 0x3F));
    } else {
      utf8[out++] = static_cast<char>(0xE0 | (unit >> 12));
      utf8[out++] = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
      utf8[out++] = static_cast<char>(0x80 | (unit & 0x3F));
    }
  }
  return utf8;
}

std::u16string UTF8Decode(std::string_view utf8) {
  std::u16string wide(utf8.size(), u'\0');
  std::size_t out = 0;
  std::size_t in = 0;
  while (in < utf8.size()) {
    const auto byte = static_cast<std::uint8_t>(utf8[in]);
    if (byte < 0x80) {
      wide[out++] = byte;
      in += 1;
    } else if ((byte & 0xE0) == 0xC0) {
      wide[out++] = static_cast<char16_t>(((byte & 0x1Fu) << 6) | ContinuationBits(utf8, in + 1));
      in += 2;
    } else if ((byte & 0xF0) == 0xE0) {
      wide[out++] =
          static_cast<char16_t>(((byte & 0x0Fu) << 12) | (ContinuationBits(utf8, in + 1) << 6) |
                                ContinuationBits(utf8, in + 2));
      in += 3;
    } else {
      wide[out++] = u' ';
      in += MalformedSkip(byte);
    }
  }
  wide.resize(out);
  return wide;
}
