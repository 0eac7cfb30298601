#include "data/SqlArg.h"

#include <utility>

namespace {

constexpr std::size_t kShortStringMax = 255;

}  // namespace

TSqlArg TSqlArg::Integer(std::int32_t value) {
  TSqlArg arg(TKind::Integer);
  arg.Int = value;
  return arg;
}

TSqlArg TSqlArg::Int64(std::int64_t value) {
  TSqlArg arg(TKind::Int64);
  arg.Int = value;
  return arg;
}

TSqlArg TSqlArg::Boolean(bool value) {
  TSqlArg arg(TKind::Boolean);
  arg.Int = value ? 1 : 0;
  return arg;
}

TSqlArg TSqlArg::AnsiChar(char value) {
  TSqlArg arg(TKind::AnsiChar);
  arg.AnsiText.assign(1, value);
  return arg;
}

TSqlArg TSqlArg::WideChar(char16_t value) {
  TSqlArg arg(TKind::WideChar);
  arg.WideText.assign(1, value);
  return arg;
}

TSqlArg TSqlArg::Extended(long double value) {
  TSqlArg arg(TKind::Extended);
  arg.Float = value;
  return arg;
}

TSqlArg TSqlArg::ShortString(std::string value) {
  TSqlArg arg(TKind::ShortString);
  if (value.size() > kShortStringMax) {
    value.resize(kShortStringMax);
  }
  arg.AnsiText = std::move(value);
  return arg;
}

TSqlArg TSqlArg::AnsiString(std::string value) {
  TSqlArg arg(TKind::AnsiString);
  arg.AnsiText = std::move(value);
  return arg;
}

TSqlArg TSqlArg::WideString(std::u16string value) {
  TSqlArg arg(TKind::WideString);
  arg.WideText = std::move(value);
  return arg;
}

TSqlArg TSqlArg::Currency(std::int64_t scaledBy10000) {
  TSqlArg arg(TKind::Currency);
  arg.Int = scaledBy10000;
  return arg;
}

TSqlArg TSqlArg::Variant(std::u16string text) {
  TSqlArg arg(TKind::Variant);
  arg.WideText = std::move(text);
  return arg;
}

TSqlArg TSqlArg::Unsupported(TKind kind) {
  return TSqlArg(kind);
}
