// Arbitrary bytes through the converters and the formatter, checking what must always hold:
// decoding never lengthens, encoding then decoding gives the same UTF-16 back, and a "%s"
// literal always reads back as its argument.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "data/FormatSql.h"
#include "data/Utf8Text.h"

namespace {

void Require(bool condition) {
  if (!condition) {
    std::abort();
  }
}

std::u16string AsWide(const std::uint8_t* data, std::size_t size) {
  std::u16string wide(size / 2, u'\0');
  std::memcpy(wide.data(), data, wide.size() * 2);
  return wide;
}

// The value of a literal made by "%s": between apostrophes, each inner apostrophe doubled.
std::u16string ReadLiteral(const std::u16string& literal) {
  Require(literal.size() >= 2 && literal.front() == u'\'' && literal.back() == u'\'');
  std::u16string value;
  for (std::size_t i = 1; i + 1 < literal.size(); ++i) {
    value += literal[i];
    if (literal[i] == u'\'') {
      Require(literal[i + 1] == u'\'');
      ++i;
    }
  }
  return value;
}

void CheckFormatter(std::string_view format, const std::u16string& wide) {
  const std::string ansi = UTF8Encode(wide);
  const std::vector<TSqlArg> args = {TSqlArg::WideString(wide), TSqlArg::AnsiString(ansi),
                                     TSqlArg::Integer(static_cast<std::int32_t>(wide.size())),
                                     TSqlArg::Boolean(wide.empty()), TSqlArg::WideChar(u'\'')};
  (void)FormatSQL(format, args);
  (void)FormatSQLUtf8(format, args);
  Require(ReadLiteral(FormatSQL("%s", std::vector{TSqlArg::WideString(wide)}).value()) == wide);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Require(UTF8Decode(bytes).size() <= size);

  const std::u16string wide = AsWide(data, size);
  Require(UTF8Decode(UTF8Encode(wide)) == wide);

  CheckFormatter(bytes, wide);
  return 0;
}
