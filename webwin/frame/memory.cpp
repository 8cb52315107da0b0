// Tracked memory: blocks handed to the program (webwin_malloc) or taken from it (file handler
// answers) are released only when the library handed them out.
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "library_state.h"
#include "webwin.h"

namespace webwin {
namespace {

std::unordered_map<void *, size_t> &blocks() {
    static auto *table = new std::unordered_map<void *, size_t>();
    return *table;
}

}  // namespace

void *trackedMalloc(size_t size) {
    void *block = size + 1 == 0 ? nullptr : std::calloc(size + 1, 1);
    if (block == nullptr) {
        logError("malloc() failed");
        webwin_exit();
        return nullptr;
    }
    Guard guard(lockOf(memory_lock));
    blocks()[block] = size;
    return block;
}

bool trackedFree(void *block) {
    if (block == nullptr) return false;
    Guard guard(lockOf(memory_lock));
    auto found = blocks().find(block);
    if (found == blocks().end()) return false;
    blocks().erase(found);
    std::free(block);
    return true;
}

void trackedFreeAll() {
    Guard guard(lockOf(memory_lock));
    for (auto &entry : blocks()) std::free(entry.first);
    blocks().clear();
}

}  // namespace webwin

using namespace webwin;

extern "C" void *webwin_malloc(size_t size) {
    if (!enter()) return nullptr;
    return trackedMalloc(size);
}

extern "C" void webwin_free(void *ptr) {
    if (!enter()) return;
    trackedFree(ptr);
}

extern "C" void webwin_memcpy(void *dest, void *src, size_t count) {
    init();
    if (dest != nullptr && src != nullptr && count > 0) std::memmove(dest, src, count);
}
