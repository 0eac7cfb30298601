#include "platform/UpperCase.h"

#include <locale.h>
#include <clocale>
#include <cwctype>

namespace Platform {

namespace {

// The C.UTF-8 character classes, created on first use and freed when the process ends, so the
// upper-casing neither depends on nor changes the process's own locale.
class TUtf8Locale {
 public:
  TUtf8Locale() : Locale(newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{})) {
    if (Locale == locale_t{}) {
      // Without C.UTF-8 only ASCII letters change, which is still length-preserving.
      Locale = newlocale(LC_CTYPE_MASK, "C", locale_t{});
    }
  }
  ~TUtf8Locale() { freelocale(Locale); }
  TUtf8Locale(const TUtf8Locale&) = delete;
  TUtf8Locale& operator=(const TUtf8Locale&) = delete;

  char32_t Upper(char32_t code) const {
    return static_cast<char32_t>(towupper_l(static_cast<wint_t>(code), Locale));
  }

 private:
  locale_t Locale;
};

const TUtf8Locale& Utf8Locale() {
  static const TUtf8Locale locale;
  return locale;
}

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}

bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool IsSurrogate(char32_t code) {
  return code >= 0xD800 && code <= 0xDFFF;
}

}  // namespace

std::u16string UpperCaseWide(std::u16string_view text) {
  const TUtf8Locale& locale = Utf8Locale();
  std::u16string out(text);
  for (std::size_t i = 0; i < out.size(); ++i) {
    const char16_t unit = out[i];
    if (IsHighSurrogate(unit) && i + 1 < out.size() && IsLowSurrogate(out[i + 1])) {
      const char32_t code = 0x10000 + ((char32_t{unit} - 0xD800) << 10) + (out[i + 1] - 0xDC00);
      const char32_t upper = locale.Upper(code);
      // Only a result that is again a pair keeps the length.
      if (upper >= 0x10000 && upper <= 0x10FFFF) {
        out[i] = static_cast<char16_t>(0xD800 | ((upper - 0x10000) >> 10));
        out[i + 1] = static_cast<char16_t>(0xDC00 | ((upper - 0x10000) & 0x3FF));
      }
      ++i;
    } else if (!IsHighSurrogate(unit) && !IsLowSurrogate(unit)) {
      const char32_t upper = locale.Upper(unit);
      if (upper < 0x10000 && !IsSurrogate(upper)) {
        out[i] = static_cast<char16_t>(upper);
      }
    }
  }
  return out;
}

}  // namespace Platform
