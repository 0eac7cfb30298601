#pragma once
// A fresh folder under the system's temporary folder, removed with its contents at the end.
// Paths are handed out as UTF-8, the encoding the program's own layers take on every system.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

#include "tests/support/FileBytes.h"

inline std::string Utf8(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return {text.begin(), text.end()};
}
inline std::filesystem::path FromUtf8(const std::string& text) {
  return std::u8string(text.begin(), text.end());
}

class TTempFolder {
 public:
  TTempFolder() { std::filesystem::create_directories(Folder); }
  ~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::filesystem::path& Path() const { return Folder; }
  // The UTF-8 path of `relative` in the folder.
  std::string File(const std::string& relative) const { return Utf8(Folder / FromUtf8(relative)); }

  // Writes `content` to the file at `relative` path, creating its folders; returns its path.
  std::string Write(const std::string& relative, const std::string& content) const {
    const std::filesystem::path file = Folder / FromUtf8(relative);
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
    return File(relative);
  }

 private:
  const std::filesystem::path Folder = std::filesystem::temp_directory_path() /
                                       ("tolvane-test-" + std::to_string(std::random_device()()));
};
