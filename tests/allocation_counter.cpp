#include "allocation_counter.h"

#include <atomic>
#include <cstdlib>
#include <new>

// In a file of their own, so that no caller sees a new paired with a free inlined.
namespace {

std::atomic<unsigned long> allocations{0};

}  // namespace

unsigned long allocationCount() { return allocations.load(std::memory_order_relaxed); }

// The array and nothrow forms reach these through their standard definitions.
void* operator new(std::size_t size) {
  allocations.fetch_add(1, std::memory_order_relaxed);
  if (void* block = std::malloc(size != 0 ? size : 1)) return block;
  throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }

void operator delete(void* block, std::size_t) noexcept { std::free(block); }
