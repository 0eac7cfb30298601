#include "tools/mkdb/ScrambledText.h"

#include "data/Utf8Text.h"
#include "details/ReadTxt.h"

namespace {

bool IsHighSurrogate(char16_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char16_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

bool HasLoneSurrogate(const std::u16string& text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1])) {
      ++i;
    } else if (IsHighSurrogate(text[i]) || IsLowSurrogate(text[i])) {
      return true;
    }
  }
  return false;
}

}  // namespace

std::optional<std::string> ScrambleForDataFile(const std::string& code, const std::string& plain) {
  if (SwapStep(code) < 2) {
    return plain;
  }
  const std::u16string scrambled = ReadTxt(code, UTF8Decode(plain));
  if (HasLoneSurrogate(scrambled)) {
    return std::nullopt;
  }
  return UTF8Encode(scrambled);
}
