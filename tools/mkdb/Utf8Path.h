#pragma once
// Paths as UTF-8 text, the form the data layer and the tool's messages use. std::filesystem's
// string() and its std::string constructor speak the ANSI code page on Windows, which would
// lose the characters of a folder name that the code page lacks.

#include <filesystem>
#include <string>

inline std::string Utf8Path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

inline std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}
