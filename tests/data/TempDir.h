#pragma once
// A fresh temporary directory for one test, removed with everything in it afterwards.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>

class TTempDir {
 public:
  TTempDir() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    Path = std::filesystem::temp_directory_path() /
           ("tolvane-data-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(Path);
  }
  ~TTempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(Path, ignored);
  }
  TTempDir(const TTempDir&) = delete;
  TTempDir& operator=(const TTempDir&) = delete;

  // UTF-8 path of a file in the directory.
  std::string File(const std::string& name) const {
    const std::u8string text = (Path / name).u8string();
    return std::string(text.begin(), text.end());
  }
  std::string Directory() const { return File(""); }

  // The file system's path for UTF-8 text.
  static std::filesystem::path PathOf(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
  }

 private:
  std::filesystem::path Path;
};
