#pragma once
// Line-oriented reading of the builder's UTF-8 input files: the whole file is read at once,
// checked to be UTF-8 without NUL characters, and split into lines (LF or CRLF).

#include <filesystem>
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
