#include "tests/HeapCounter.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<long> Allocations{0};

void* Counted(void* p) {
  if (!p) throw std::bad_alloc();
  ++Allocations;
  return p;
}

}  // namespace

void* operator new(std::size_t size) { return Counted(std::malloc(size ? size : 1)); }
void* operator new(std::size_t size, std::align_val_t alignment) {
  const auto align = std::size_t(alignment);
  return Counted(std::aligned_alloc(align, (size + align - 1) & ~(align - 1)));
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }

long HeapAllocations() { return Allocations; }
