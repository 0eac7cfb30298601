#pragma once
// Building a statement from a format with "%" placeholders and typed arguments, quoting text
// the SQLite way ("%s": apostrophes doubled, the whole value between apostrophes; nothing
// else changed). "%%" gives one "%". A placeholder whose letter the argument's kind does not
// accept, an argument kind without conversions, or a "%" ending the format while arguments
// remain makes the building fail (std::nullopt). Placeholders after the last argument stay in
// the text unchanged.

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "data/SqlArg.h"

// `format` is UTF-8 text. The result is wide text (what FormatQuery runs).
std::optional<std::u16string> FormatSQL(std::string_view format, std::span<const TSqlArg> args);

// The same, producing UTF-8 text.
std::optional<std::string> FormatSQLUtf8(std::string_view format, std::span<const TSqlArg> args);
