#pragma once
// A fresh folder under the system's temporary folder, removed with its contents at the end.

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

class TTempFolder {
 public:
  TTempFolder() {
    std::random_device random;
    do {
      Folder =
          std::filesystem::temp_directory_path() / ("tolvane-mkdb-" + std::to_string(random()));
    } while (std::filesystem::exists(Folder));
    std::filesystem::create_directories(Folder);
  }
  ~TTempFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }
  TTempFolder(const TTempFolder&) = delete;
  TTempFolder& operator=(const TTempFolder&) = delete;

  const std::filesystem::path& Path() const { return Folder; }

  // Writes `content` to the file at `relative` path, creating its folders.
  std::filesystem::path Write(const std::string& relative, const std::string& content) const {
    const std::filesystem::path file = Folder / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << content;
    return file;
  }

 private:
  std::filesystem::path Folder;
};
