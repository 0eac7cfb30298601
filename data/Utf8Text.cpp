#include "data/Utf8Text.h"

#include <cstdint>
#include <cstring>

namespace {

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

std::size_t UTF8EncodeTo(std::u16string_view wide, char* out) {
  char* const start = out;
  std::size_t i = 0;
  while (i < wide.size()) {
    // Runs of ASCII, the bulk of the data file's text, go four code units at a time.
    std::uint64_t four = 0;
    if (i + 4 <= wide.size()) {
      std::memcpy(&four, wide.data() + i, sizeof four);
      if ((four & 0xFF80FF80FF80FF80u) == 0) {
        for (std::size_t k = 0; k < 4; ++k) {
          *out++ = static_cast<char>(wide[i + k]);
        }
        i += 4;
        continue;
      }
    }
    const char16_t unit = wide[i++];
    if (unit < 0x80) {
      *out++ = static_cast<char>(unit);
    } else if (unit < 0x800) {
      *out++ = static_cast<char>(0xC0 | (unit >> 6));
      *out++ = static_cast<char>(0x80 | (unit & 0x3F));
    } else {
      *out++ = static_cast<char>(0xE0 | (unit >> 12));
      *out++ = static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
      *out++ = static_cast<char>(0x80 | (unit & 0x3F));
    }
  }
  return static_cast<std::size_t>(out - start);
}

std::string UTF8Encode(std::u16string_view wide) {
  std::string utf8(wide.size() * 3, '\0');
  utf8.resize(UTF8EncodeTo(wide, utf8.data()));
  utf8.shrink_to_fit();
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

namespace {

// What a lead byte announces: the continuation bytes after it, the bits it carries itself and
// the smallest code point such a form may encode (anything below is an over-long form).
struct TUtf8Lead {
  int Continuations = -1;  // -1: no lead byte
  char32_t Bits = 0;
  char32_t Smallest = 0;
};

TUtf8Lead ReadLead(std::uint8_t byte) {
  if (byte < 0x80) {
    return {0, byte, 0};
  }
  if ((byte & 0xE0) == 0xC0) {
    return {1, byte & 0x1Fu, 0x80};
  }
  if ((byte & 0xF0) == 0xE0) {
    return {2, byte & 0x0Fu, 0x800};
  }
  if (byte >= 0xF0 && byte <= 0xF4) {
    return {3, byte & 0x07u, 0x10000};
  }
  return {};
}

void AppendCodePoint(char32_t point, std::u16string& wide) {
  if (point < 0x10000) {
    wide.push_back(static_cast<char16_t>(point));
    return;
  }
  point -= 0x10000;
  wide.push_back(static_cast<char16_t>(0xD800 + (point >> 10)));
  wide.push_back(static_cast<char16_t>(0xDC00 + (point & 0x3FF)));
}

}  // namespace

std::u16string Utf8ToUtf16Exact(std::string_view utf8) {
  std::u16string wide;
  wide.reserve(utf8.size());
  std::size_t in = 0;
  while (in < utf8.size()) {
    const TUtf8Lead lead = ReadLead(static_cast<std::uint8_t>(utf8[in++]));
    char32_t point = lead.Bits;
    int taken = 0;
    while (taken < lead.Continuations && in < utf8.size() &&
           (static_cast<std::uint8_t>(utf8[in]) & 0xC0) == 0x80) {
      point = (point << 6) | (static_cast<std::uint8_t>(utf8[in++]) & 0x3Fu);
      ++taken;
    }
    const bool valid = lead.Continuations >= 0 && taken == lead.Continuations &&
                       point >= lead.Smallest && point <= 0x10FFFF &&
                       (point < 0xD800 || point > 0xDFFF);
    AppendCodePoint(valid ? point : U'\uFFFD', wide);
  }
  return wide;
}

void AppendUtf16AsUtf8Exact(std::u16string_view wide, std::string& utf8) {
  for (std::size_t i = 0; i < wide.size(); ++i) {
    char32_t point = wide[i];
    if (point >= 0xD800 && point <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
        wide[i + 1] <= 0xDFFF) {
      point = 0x10000 + ((point - 0xD800) << 10) + (wide[++i] - 0xDC00);
    } else if (point >= 0xD800 && point <= 0xDFFF) {
      point = 0xFFFD;
    }
    if (point < 0x80) {
      utf8.push_back(static_cast<char>(point));
    } else if (point < 0x800) {
      utf8.push_back(static_cast<char>(0xC0 | (point >> 6)));
      utf8.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else if (point < 0x10000) {
      utf8.push_back(static_cast<char>(0xE0 | (point >> 12)));
      utf8.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    } else {
      utf8.push_back(static_cast<char>(0xF0 | (point >> 18)));
      utf8.push_back(static_cast<char>(0x80 | ((point >> 12) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | ((point >> 6) & 0x3F)));
      utf8.push_back(static_cast<char>(0x80 | (point & 0x3F)));
    }
  }
}

std::string Utf16ToUtf8Exact(std::u16string_view wide) {
  std::string utf8;
  AppendUtf16AsUtf8Exact(wide, utf8);
  return utf8;
}
