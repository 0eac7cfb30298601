#pragma once
// Storage for the values of one result: blocks of text that never move, so that a large fetch
// neither copies what it has stored nor allocates per value. Blocks start small and double up
// to a ceiling, so that the many small results (a settings read, one message's details) cost
// one small allocation rather than a large block taken from and given back to the system on
// every statement.

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
  static constexpr std::size_t kFirstBlockSize = 2 * 1024;
  static constexpr std::size_t kLargestBlockSize = 64 * 1024;

  std::vector<std::unique_ptr<char[]>> Blocks;
  std::size_t Capacity = 0;  // size of the last block
  std::size_t Used = 0;      // bytes used in the last block
};
