#include "memory.h"

#include <cstdlib>

#include "vm/vm.h"

namespace {
bool stressCollector = false;
}

void gc_set_stress(bool on) {
    stressCollector = on;
}
bool gc_stress() {
    return stressCollector;
}

[[noreturn]] void mem_out_of_memory() {
    std::exit(1);
}

void *mem_reallocate(void *pointer, size_t oldSize, size_t newSize) {
    vm.bytesAllocated = vm.bytesAllocated + newSize - oldSize;
    // Collect before the memory is touched: the caller's pointer stays valid because objects
    // do not move, and only growth may collect so that frees never re-enter the collector.
    if (newSize > oldSize && (stressCollector || vm.bytesAllocated > vm.nextGC)) gc_collect();
    if (newSize == 0) {
        std::free(pointer);
        return nullptr;
    }
    void *result = std::realloc(pointer, newSize);
    if (result == nullptr) mem_out_of_memory();
    return result;
}
