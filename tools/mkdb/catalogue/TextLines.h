#pragma once
// Line-oriented reading of the builder's UTF-8 input files: the whole file is read at once,
// checked to be UTF-8 without NUL characters, and split into lines (LF or CRLF).

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Reads the file; false with `error` ("PATH: reason") when it cannot be read.
bool ReadWholeFile(const std::filesystem::path& path, std::string& content, std::string& error);

struct TTextProblem {
  std::size_t Line;  // 1-based
  std::string Reason;
};

// nullopt when `content` is UTF-8 without NUL characters.
std::optional<TTextProblem> CheckUtf8Text(std::string_view content);

// The lines of `content` without their line ends; a leading UTF-8 byte order mark is dropped.
// A final line end does not start another line.
std::vector<std::string_view> SplitLines(std::string_view content);

// Without blanks, tabs and carriage returns at either end.
std::string_view TrimBlanks(std::string_view text);

// Reads the entries of a line-per-entry file (the manifest, a translation file, the facility
// list): checks the text, skips blank lines and lines starting with "#", and hands every other
// line to `parseEntry`, which answers an empty text or what is wrong with the line. The first
// problem ends the reading with `error` as "FILE:LINE: problem".
bool ReadEntryLines(std::string_view content, const std::string& fileName,
                    const std::function<std::string(std::string_view line)>& parseEntry,
                    std::string& error);
