#include "plugins/dynamic_library.h"

#include <utility>

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

#if defined(_WIN32)
void *openLibrary(const std::filesystem::path &path) {
    return reinterpret_cast<void *>(LoadLibraryW(path.wstring().c_str()));
}
void *findSymbol(void *handle, const char *name) {
    return reinterpret_cast<void *>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
void closeLibrary(void *handle) { FreeLibrary(static_cast<HMODULE>(handle)); }
#else
void *openLibrary(const std::filesystem::path &path) {
    // Symbols stay local: two plugins may export the same names.
    return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}
void *findSymbol(void *handle, const char *name) { return dlsym(handle, name); }
void closeLibrary(void *handle) { dlclose(handle); }
#endif

} // namespace

DynamicLibrary::DynamicLibrary(const std::filesystem::path &path) : handle(openLibrary(path)) {}

DynamicLibrary::~DynamicLibrary() { close(); }

DynamicLibrary::DynamicLibrary(DynamicLibrary &&other) noexcept : handle(std::exchange(other.handle, nullptr)) {}

DynamicLibrary &DynamicLibrary::operator=(DynamicLibrary &&other) noexcept {
    if (this != &other) {
        close();
        handle = std::exchange(other.handle, nullptr);
    }
    return *this;
}

void *DynamicLibrary::symbol(const char *name) const {
    return handle != nullptr && name != nullptr ? findSymbol(handle, name) : nullptr;
}

void DynamicLibrary::close() {
    if (handle != nullptr) closeLibrary(std::exchange(handle, nullptr));
}
