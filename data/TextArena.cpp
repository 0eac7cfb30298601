#include "data/TextArena.h"

char* TTextArena::Allocate(std::size_t size, std::size_t alignment) {
  if (size == 0) {
    return nullptr;
  }
  Used = (Used + alignment - 1) & ~(alignment - 1);
  if (size > kBlockSize) {
    // A block of its own, full at once: the next value starts a new block.
    Blocks.push_back(std::make_unique_for_overwrite<char[]>(size));
    Used = kBlockSize;
    return Blocks.back().get();
  }
  if (Used > kBlockSize || size > kBlockSize - Used) {
    Blocks.push_back(std::make_unique_for_overwrite<char[]>(kBlockSize));
    Used = 0;
  }
  char* room = Blocks.back().get() + Used;
  Used += size;
  return room;
}

void TTextArena::ShrinkLast(std::size_t allocated, std::size_t used) {
  if (allocated <= kBlockSize && Used >= allocated) {
    Used -= allocated - used;
  }
}

void TTextArena::Clear() {
  Blocks.clear();
  Used = kBlockSize;
}
