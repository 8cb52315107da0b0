#include "memory.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "vm/vm.h"

namespace {
bool stressCollector = false;
size_t memoryLimit = 0;

// Small blocks (every string of a short number, most objects) come from free lists by size
// class, carved out of large slabs: scripts make and drop such blocks at every arithmetic step,
// and the system allocator costs several times more per block. Slabs stay with the process and
// serve the next machine after vm_free. Under AddressSanitizer every block goes to the system
// allocator instead, so that a use after release is still caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool SMALL_BLOCKS_POOLED = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool SMALL_BLOCKS_POOLED = false;
#else
constexpr bool SMALL_BLOCKS_POOLED = true;
#endif
#else
constexpr bool SMALL_BLOCKS_POOLED = true;
#endif

constexpr size_t SMALL_BLOCK_GRAIN = 16; // class i holds blocks of i * 16 bytes
constexpr size_t SMALL_BLOCK_MAX = 128;
constexpr size_t SMALL_BLOCK_SLAB = 65536;

struct FreeBlock {
    FreeBlock *next;
};

FreeBlock *freeLists[SMALL_BLOCK_MAX / SMALL_BLOCK_GRAIN + 1];
char *slabCursor = nullptr;
size_t slabLeft = 0;

bool pooled(size_t size) {
    return SMALL_BLOCKS_POOLED && size > 0 && size <= SMALL_BLOCK_MAX;
}

size_t size_class(size_t size) {
    return (size + SMALL_BLOCK_GRAIN - 1) / SMALL_BLOCK_GRAIN;
}

void *system_allocate(void *pointer, size_t size) {
    void *result = std::realloc(pointer, size);
    if (result == nullptr) mem_out_of_memory();
    return result;
}

void *small_block_allocate(size_t size) {
    size_t sizeClass = size_class(size);
    if (FreeBlock *block = freeLists[sizeClass]) {
        freeLists[sizeClass] = block->next;
        return block;
    }
    size_t blockSize = sizeClass * SMALL_BLOCK_GRAIN;
    if (slabLeft < blockSize) {
        // The rest of the old slab is too small for this class; it stays unused.
        slabCursor = static_cast<char *>(system_allocate(nullptr, SMALL_BLOCK_SLAB));
        slabLeft = SMALL_BLOCK_SLAB;
    }
    void *block = slabCursor;
    slabCursor += blockSize;
    slabLeft -= blockSize;
    return block;
}

void block_release(void *pointer, size_t size) {
    if (pointer == nullptr) return;
    if (!pooled(size)) {
        std::free(pointer);
        return;
    }
    auto *block = static_cast<FreeBlock *>(pointer);
    size_t sizeClass = size_class(size);
    block->next = freeLists[sizeClass];
    freeLists[sizeClass] = block;
}

void *block_resize(void *pointer, size_t oldSize, size_t newSize) {
    if (pointer == nullptr) oldSize = 0;
    bool wasPooled = pooled(oldSize);
    bool isPooled = pooled(newSize);
    if (!wasPooled && !isPooled) return system_allocate(pointer, newSize);
    if (wasPooled && isPooled && size_class(oldSize) == size_class(newSize)) return pointer;
    void *result = isPooled ? small_block_allocate(newSize) : system_allocate(nullptr, newSize);
    if (pointer != nullptr) {
        std::memcpy(result, pointer, oldSize < newSize ? oldSize : newSize);
        block_release(pointer, oldSize);
    }
    return result;
}

} // namespace

void gc_set_stress(bool on) {
    stressCollector = on;
}
bool gc_stress() {
    return stressCollector;
}

void mem_out_of_memory() {
    throw ScriptOutOfMemory{};
}

void mem_set_limit(size_t bytes) {
    memoryLimit = bytes;
}

void *mem_reallocate(void *pointer, size_t oldSize, size_t newSize) {
    if (memoryLimit != 0 && newSize > oldSize && newSize - oldSize > memoryLimit - std::min(memoryLimit, vm_machine.bytesAllocated))
        mem_out_of_memory();
    vm_machine.bytesAllocated = vm_machine.bytesAllocated + newSize - oldSize;
    // Collect before the memory is touched: the caller's pointer stays valid because objects
    // do not move, and only growth may collect so that frees never re-enter the collector.
    if (newSize > oldSize && (stressCollector || vm_machine.bytesAllocated > vm_machine.nextGC)) gc_collect();
    if (newSize == 0) {
        block_release(pointer, oldSize);
        return nullptr;
    }
    try {
        return block_resize(pointer, oldSize, newSize);
    } catch (const ScriptOutOfMemory &) {
        vm_machine.bytesAllocated = vm_machine.bytesAllocated - newSize + oldSize;
        throw;
    }
}
