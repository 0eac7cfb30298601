#pragma once
// File names on a tool's command line. The one rule: a name is relative to the working folder,
// as every terminal program takes it, also a bare name (the data layer alone would look for a
// bare name beside the program). Paths are UTF-8 text, the form the data layer and the tools'
// messages use: std::filesystem's string() speaks the ANSI code page on Windows, which would
// lose the characters of a folder name that the code page lacks. No function here throws.

#include <filesystem>
#include <optional>
#include <string>

inline std::string Utf8Path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}

inline std::filesystem::path PathFromUtf8(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// The full path that a name given on the command line stands for (UTF-8). When the working
// folder cannot be read the name stays as it is, and opening it then says why.
std::string PathFromArgument(const std::string& argument);

// Why the name does not stand for a file that can be read, in the system's words ("Too many
// levels of symbolic links"), `missing` for a name that names nothing, "is a folder" for a
// folder; nothing when it names a file. `regularOnly`: a pipe or a device does not count.
std::optional<std::string> NotAFile(const std::string& name, const std::string& missing,
                                    bool regularOnly);
