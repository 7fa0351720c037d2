#include "bench/heap_counter.h"

#include <cstdlib>
#include <new>

// The game runs on one thread; the counters need no atomics.
namespace {
HeapCount g_heap;

void* Allocate(std::size_t size) {
  ++g_heap.allocations;
  g_heap.bytes += size;
  return std::malloc(size == 0 ? 1 : size);
}
}  // namespace

HeapCount HeapCountNow() { return g_heap; }

void* operator new(std::size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
