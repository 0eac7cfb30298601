#pragma once
// The bytes of a file, to show that something left it as it was.

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
