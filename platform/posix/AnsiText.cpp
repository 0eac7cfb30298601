#include "platform/AnsiText.h"

namespace Platform {

namespace {

constexpr char32_t kReplacementCharacter = 0xFFFD;

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

void AppendUtf16(std::u16string& out, char32_t code) {
  if (code < 0x10000) {
    out += static_cast<char16_t>(code);
  } else {
    code -= 0x10000;
    out += static_cast<char16_t>(0xD800 | (code >> 10));
    out += static_cast<char16_t>(0xDC00 | (code & 0x3FF));
  }
}

// What a lead byte promises: the number of continuation bytes and the range allowed for the
// first of them (the narrower ranges exclude over-long forms, surrogates and values past
// U+10FFFF). `continuations` is -1 for a byte that cannot start a sequence.
struct TLeadByte {
  int continuations;
  unsigned char firstLow;
  unsigned char firstHigh;
};

TLeadByte ClassifyLead(unsigned char lead) {
  if (lead < 0x80)
    return {0, 0, 0};
  if (lead >= 0xC2 && lead <= 0xDF)
    return {1, 0x80, 0xBF};
  if (lead == 0xE0)
    return {2, 0xA0, 0xBF};
  if (lead == 0xED)
    return {2, 0x80, 0x9F};
  if (lead >= 0xE1 && lead <= 0xEF)
    return {2, 0x80, 0xBF};
  if (lead == 0xF0)
    return {3, 0x90, 0xBF};
  if (lead >= 0xF1 && lead <= 0xF3)
    return {3, 0x80, 0xBF};
  if (lead == 0xF4)
    return {3, 0x80, 0x8F};
  return {-1, 0, 0};
}

}  // namespace

std::string WideToAnsi(std::u16string_view wide) {
  std::string out;
  out.reserve(wide.size());
  for (std::size_t i = 0; i < wide.size(); ++i) {
    const char16_t unit = wide[i];
    if (IsHighSurrogate(unit) && i + 1 < wide.size() && IsLowSurrogate(wide[i + 1])) {
      AppendUtf8(out, 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (wide[i + 1] - 0xDC00));
      ++i;
    } else if (IsHighSurrogate(unit) || IsLowSurrogate(unit)) {
      out += '?';  // half a pair has no UTF-8 form
    } else {
      AppendUtf8(out, unit);
    }
  }
  return out;
}

std::u16string AnsiToWide(std::string_view ansi) {
  std::u16string out;
  out.reserve(ansi.size());
  std::size_t i = 0;
  while (i < ansi.size()) {
    const auto lead = static_cast<unsigned char>(ansi[i]);
    const TLeadByte kind = ClassifyLead(lead);
    if (kind.continuations < 0) {
      out += static_cast<char16_t>(kReplacementCharacter);
      ++i;
      continue;
    }
    char32_t code = kind.continuations == 0 ? lead : lead & (0x3F >> kind.continuations);
    // Each broken sequence becomes one replacement character, covering its lead byte and the
    // valid continuation bytes before the fault; the faulty byte starts afresh.
    std::size_t taken = 1;
    bool broken = false;
    for (int n = 0; n < kind.continuations; ++n) {
      const unsigned char low = n == 0 ? kind.firstLow : 0x80;
      const unsigned char high = n == 0 ? kind.firstHigh : 0xBF;
      if (i + taken >= ansi.size()) {
        broken = true;
        break;
      }
      const auto next = static_cast<unsigned char>(ansi[i + taken]);
      if (next < low || next > high) {
        broken = true;
        break;
      }
      code = (code << 6) | (next & 0x3F);
      ++taken;
    }
    AppendUtf16(out, broken ? kReplacementCharacter : code);
    i += taken;
  }
  return out;
}

}  // namespace Platform
