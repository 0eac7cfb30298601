#pragma once
// Crossing between Qt's text and the data layer's UTF-16 strings.

#include <QString>
#include <string>

inline QString ToQString(const std::u16string& text) {
  return QString::fromStdU16String(text);
}
inline std::u16string ToWide(const QString& text) {
  return text.toStdU16String();
}
