#pragma once
// Storage for the values of one result: blocks of text that never move, so that a large fetch
// neither copies what it has stored nor allocates per value.

#include <cstddef>
#include <memory>
#include <vector>

class TTextArena {
 public:
  // Room for `size` bytes, aligned to `alignment` (a power of two up to 16), that stays valid
  // until Clear().
  char* Allocate(std::size_t size, std::size_t alignment = 1);
  // Gives back the end of the last allocation, of which only `used` bytes were needed.
  void ShrinkLast(std::size_t allocated, std::size_t used);
  // Frees every block.
  void Clear();

 private:
  static constexpr std::size_t kBlockSize = 64 * 1024;

  std::vector<std::unique_ptr<char[]>> Blocks;
  std::size_t Used = kBlockSize;  // bytes used in the last block
};
