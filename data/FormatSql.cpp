#include "data/FormatSql.h"

#include <array>
#include <charconv>
#include <cstdint>

#include "data/Utf8Text.h"
#include "platform/AnsiText.h"

namespace {

// One converted argument: a conversion fills either the 8-bit or the wide value.
struct TArgText {
  std::string Ansi;
  std::u16string Wide;
};

enum class TMode { Wide, Utf8 };

using TKind = TSqlArg::TKind;

bool Accepts(TKind kind, char letter) {
  std::string_view letters;
  switch (kind) {
    case TKind::Integer:
      letters = "ADQ";
      break;
    case TKind::Int64:
      letters = "ADIQ";
      break;
    case TKind::Boolean:
      letters = "ABQ";
      break;
    case TKind::AnsiChar:
      letters = "AQSXZ";
      break;
    case TKind::WideChar:
      letters = "AQSWZ";
      break;
    case TKind::Extended:
      letters = "AFQ";
      break;
    case TKind::ShortString:
      letters = "AQSWXZ";
      break;
    case TKind::AnsiString:
      letters = "AQSUXZ";
      break;
    case TKind::WideString:
      letters = "AQSUWZ";
      break;
    case TKind::Currency:
      letters = "QSZ";
      break;
    case TKind::Variant:
      letters = "AQSZ";
      break;
    default:
      return false;
  }
  return letters.find(letter) != std::string_view::npos;
}

std::string FloatText(double value) {
  std::array<char, 64> buffer{};
  const auto end = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                 std::chars_format::general, 15)
                       .ptr;
  return std::string(buffer.data(), end);
}

// Currency is fixed point with four decimals; written without trailing zeros.
std::string CurrencyText(std::int64_t scaled) {
  const bool negative = scaled < 0;
  const auto magnitude =
      negative ? 0 - static_cast<std::uint64_t>(scaled) : static_cast<std::uint64_t>(scaled);
  std::string text = std::to_string(magnitude / 10000);
  if (negative) {
    text.insert(0, 1, '-');
  }
  std::string fraction = std::to_string(10000 + magnitude % 10000).substr(1);
  while (!fraction.empty() && fraction.back() == '0') {
    fraction.pop_back();
  }
  if (!fraction.empty()) {
    text += '.';
    text += fraction;
  }
  return text;
}

TArgText Convert(const TSqlArg& arg, char letter) {
  TArgText text;
  switch (arg.Kind()) {
    case TKind::Integer:
    case TKind::Int64:
    case TKind::Boolean:
      text.Ansi = std::to_string(arg.IntValue());
      break;
    case TKind::Extended:
      text.Ansi = FloatText(static_cast<double>(arg.FloatValue()));
      break;
    case TKind::Currency:
      text.Ansi = CurrencyText(arg.IntValue());
      break;
    case TKind::ShortString:
      if (letter == 'W') {
        text.Wide = UTF8Decode(arg.Ansi());
      } else {
        text.Ansi = arg.Ansi();
      }
      break;
    case TKind::AnsiChar:
    case TKind::AnsiString:
      text.Ansi = arg.Ansi();
      break;
    default:
      text.Wide = arg.Wide();
      break;
  }
  return text;
}

// Backslash before NUL, character 20 (hex 14), double quote, apostrophe and backslash; each
// NUL then becomes the digit 0.
std::string Escape8Bit(std::string_view value) {
  std::string escaped;
  escaped.reserve(value.size());
  for (char c : value) {
    if (c == '\0' || c == '\x14' || c == '"' || c == '\'' || c == '\\') {
      escaped += '\\';
    }
    escaped += c == '\0' ? '0' : c;
  }
  return escaped;
}

template <typename Text>
Text Quoted(const Text& value, bool doubleApostrophes) {
  Text quoted(1, '\'');
  for (auto c : value) {
    quoted += c;
    if (doubleApostrophes && c == '\'') {
      quoted += c;
    }
  }
  quoted += '\'';
  return quoted;
}

void PostProcess(TArgText& text, char letter) {
  const bool literal = letter == 'S' || letter == 'Z' || letter == 'W';
  if (letter == 'X') {
    text.Ansi = Escape8Bit(text.Ansi);
  } else if (literal || letter == 'Q') {
    if (!text.Wide.empty()) {
      text.Wide = Quoted(text.Wide, literal);
    } else {
      text.Ansi = Quoted(text.Ansi, literal);
    }
  }
}

// Collects the output in either mode; pieces of the format arrive through UTF8Decode.
class TOutput {
 public:
  explicit TOutput(TMode mode) : Mode(mode) {}

  void AppendFormat(std::string_view piece) {
    if (Mode == TMode::Wide) {
      Wide += UTF8Decode(piece);
    } else {
      Utf8 += piece;
    }
  }

  void AppendValue(const TArgText& text) {
    if (Mode == TMode::Wide) {
      Wide += text.Wide.empty() ? Platform::AnsiToWide(text.Ansi) : text.Wide;
    } else {
      Utf8 += text.Wide.empty() ? text.Ansi : UTF8Encode(text.Wide);
    }
  }

  std::u16string Wide;
  std::string Utf8;

 private:
  TMode Mode;
};

// The format after the last argument: every "%%" becomes "%".
std::string CollapsePercents(std::string_view rest) {
  std::string text;
  text.reserve(rest.size());
  for (std::size_t i = 0; i < rest.size(); ++i) {
    text += rest[i];
    if (rest[i] == '%' && i + 1 < rest.size() && rest[i + 1] == '%') {
      ++i;
    }
  }
  return text;
}

bool Build(std::string_view format, std::span<const TSqlArg> args, TOutput& output) {
  std::string_view rest = format;
  for (const TSqlArg& arg : args) {
    std::size_t percent = rest.find('%');
    while (percent != std::string_view::npos && percent + 1 < rest.size() &&
           rest[percent + 1] == '%') {
      output.AppendFormat(rest.substr(0, percent + 1));
      rest.remove_prefix(percent + 2);
      percent = rest.find('%');
    }
    // More arguments than placeholders, or a "%" ending the format: the caller's mistake.
    if (percent == std::string_view::npos || percent + 1 == rest.size()) {
      return false;
    }
    char letter = rest[percent + 1];
    if (letter >= 'a' && letter <= 'z') {
      letter = static_cast<char>(letter - 'a' + 'A');
    }
    output.AppendFormat(rest.substr(0, percent));
    rest.remove_prefix(percent + 2);
    if (!Accepts(arg.Kind(), letter)) {
      return false;
    }
    TArgText text = Convert(arg, letter);
    PostProcess(text, letter);
    output.AppendValue(text);
  }
  output.AppendFormat(CollapsePercents(rest));
  return true;
}

}  // namespace

std::optional<std::u16string> FormatSQL(std::string_view format, std::span<const TSqlArg> args) {
  TOutput output(TMode::Wide);
  if (!Build(format, args, output)) {
    return std::nullopt;
  }
  return std::move(output.Wide);
}

std::optional<std::string> FormatSQLUtf8(std::string_view format, std::span<const TSqlArg> args) {
  TOutput output(TMode::Utf8);
  if (!Build(format, args, output)) {
    return std::nullopt;
  }
  return std::move(output.Utf8);
}
