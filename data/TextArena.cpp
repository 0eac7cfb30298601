#include "data/TextArena.h"

#include <algorithm>

char* TTextArena::Allocate(std::size_t size, std::size_t alignment) {
  if (size == 0) {
    return nullptr;
  }
  Used = (Used + alignment - 1) & ~(alignment - 1);
  if (Used > Capacity || size > Capacity - Used) {
    const std::size_t next =
        Blocks.empty() ? kFirstBlockSize : std::min(Capacity * 2, kLargestBlockSize);
    // A value larger than a block gets a block of its own, full at once.
    Capacity = std::max(next, size);
    Blocks.push_back(std::make_unique_for_overwrite<char[]>(Capacity));
    Used = 0;
  }
  char* room = Blocks.back().get() + Used;
  Used += size;
  return room;
}

void TTextArena::ShrinkLast(std::size_t allocated, std::size_t used) {
  if (Used >= allocated) {
    Used -= allocated - used;
  }
}

void TTextArena::Clear() {
  Blocks.clear();
  Capacity = 0;
  Used = 0;
}
