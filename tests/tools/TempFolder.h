#pragma once
// A fresh folder under the system's temporary folder, removed with its contents at the end.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

#include "tests/support/FileBytes.h"

class TTempFolder {
 public:
  TTempFolder() { std::filesystem::create_directories(Folder); }
  ~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }
  const std::filesystem::path& Path() const { return Folder; }

  // Writes `content` to the file at `relative` path, creating its folders; returns its path.
  std::string Write(const std::string& relative, const std::string& content) const {
    std::filesystem::create_directories((Folder / relative).parent_path());
    std::ofstream(Folder / relative, std::ios::binary) << content;
    return (Folder / relative).string();
  }

 private:
  const std::filesystem::path Folder = std::filesystem::temp_directory_path() /
                                       ("tolvane-mkdb-" + std::to_string(std::random_device()()));
};
