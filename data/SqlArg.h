#pragma once
// One typed argument of a formatted statement. The kinds mirror what a caller can pass; some
// kinds (pointers, zero-terminated strings, objects) exist only so that passing them is a
// formatting failure rather than a crash.

#include <cstdint>
#include <string>

class TSqlArg {
 public:
  enum class TKind : std::uint8_t {
    Integer,  // 32-bit signed integer
    Int64,    // 64-bit signed integer
    Boolean,
    AnsiChar,     // one 8-bit character
    WideChar,     // one UTF-16 code unit
    Extended,     // extended-precision float
    ShortString,  // 8-bit string of at most 255 characters (longer input is cut)
    AnsiString,   // 8-bit string in the ANSI code page
    WideString,   // UTF-16 string
    Currency,     // fixed point, value / 10000
    Variant,      // a variant, carried as its text
    Pointer,
    PChar,
    PWideChar,
    Object,
    Class,
    Interface,
  };

  static TSqlArg Integer(std::int32_t value);
  static TSqlArg Int64(std::int64_t value);
  static TSqlArg Boolean(bool value);
  static TSqlArg AnsiChar(char value);
  static TSqlArg WideChar(char16_t value);
  static TSqlArg Extended(long double value);
  static TSqlArg ShortString(std::string value);
  static TSqlArg AnsiString(std::string value);
  static TSqlArg WideString(std::u16string value);
  static TSqlArg Currency(std::int64_t scaledBy10000);
  static TSqlArg Variant(std::u16string text);
  // A kind that no conversion accepts (Pointer, PChar, PWideChar, Object, Class, Interface).
  static TSqlArg Unsupported(TKind kind);

  TKind Kind() const { return ArgKind; }
  std::int64_t IntValue() const { return Int; }  // Integer, Int64, Boolean, Currency
  long double FloatValue() const { return Float; }
  const std::string& Ansi() const { return AnsiText; }     // AnsiChar, ShortString, AnsiString
  const std::u16string& Wide() const { return WideText; }  // WideChar, WideString, Variant

 private:
  explicit TSqlArg(TKind kind) : ArgKind(kind) {}

  TKind ArgKind;
  std::int64_t Int = 0;
  long double Float = 0;
  std::string AnsiText;
  std::u16string WideText;
};
