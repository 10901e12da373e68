#include "memory/system_heap_allocator.h"

#include <cstdlib>
#include <malloc.h>

void* SystemHeapAllocator::allocate(std::size_t size) {
    return std::malloc(size);
}

void SystemHeapAllocator::release(void* block, std::size_t) {
    std::free(block);
}

void SystemHeapAllocator::returnFreePages() {
    // Blocks below the mmap threshold go back to the heap's free lists rather than to the system.
    malloc_trim(0);
}
