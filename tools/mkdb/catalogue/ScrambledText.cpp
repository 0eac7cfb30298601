#include "tools/mkdb/catalogue/ScrambledText.h"

#include "details/ReadTxt.h"

namespace {

// Strict conversions of our own: the data layer's converters follow the program's legacy
// rules, which turn four-byte UTF-8 forms into blanks.
bool DecodeUtf8(std::string_view utf8, std::u16string& wide) {
  for (std::size_t at = 0; at < utf8.size();) {
    const auto lead = static_cast<unsigned char>(utf8[at]);
    const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    if (lead >= 0x80 && (lead < 0xC2 || lead > 0xF4 || at + length > utf8.size())) {
      return false;
    }
    char32_t value = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
      const auto next = static_cast<unsigned char>(utf8[at + i]);
      if ((next & 0xC0) != 0x80) {
        return false;
      }
      value = (value << 6) | (next & 0x3F);
    }
    if (value >= 0x10000) {
      wide += static_cast<char16_t>(0xD800 + ((value - 0x10000) >> 10));
      wide += static_cast<char16_t>(0xDC00 + ((value - 0x10000) & 0x3FF));
    } else {
      wide += static_cast<char16_t>(value);
    }
    at += length;
  }
  return true;
}

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// False when a surrogate stands without its partner.
bool EncodeUtf8(std::u16string_view wide, std::string& utf8) {
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t value = wide[i];
    if (IsHighSurrogate(wide[i]) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) {
      value = 0x10000 + ((value - 0xD800) << 10) + (wide[++i] - 0xDC00);
    } else if (IsHighSurrogate(wide[i]) || IsLowSurrogate(wide[i])) {
      return false;
    }
    if (value < 0x80) {
      utf8 += static_cast<char>(value);
    } else if (value < 0x800) {
      utf8 += static_cast<char>(0xC0 | (value >> 6));
      utf8 += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
      utf8 += static_cast<char>(0xE0 | (value >> 12));
      utf8 += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (value & 0x3F));
    } else {
      utf8 += static_cast<char>(0xF0 | (value >> 18));
      utf8 += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
      utf8 += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (value & 0x3F));
    }
  }
  return true;
}

}  // namespace

std::optional<std::string> ScrambleForDataFile(const std::string& code, const std::string& plain) {
  if (SwapStep(code) < 2) {
    return plain;
  }
  std::u16string wide;
  std::string scrambled;
  if (!DecodeUtf8(plain, wide) || !EncodeUtf8(ReadTxt(code, wide), scrambled)) {
    return std::nullopt;
  }
  return scrambled;
}
