// One loaded dynamic library (a .dll on Windows, a .so elsewhere), released when the object
// goes. Moving hands the library on; a closed or moved-from object holds none.
#pragma once

#include <filesystem>

class DynamicLibrary {
  public:
    DynamicLibrary() = default;
    // Loads the library; isOpen() tells whether that worked.
    explicit DynamicLibrary(const std::filesystem::path &path);
    ~DynamicLibrary();
    DynamicLibrary(DynamicLibrary &&other) noexcept;
    DynamicLibrary &operator=(DynamicLibrary &&other) noexcept;
    DynamicLibrary(const DynamicLibrary &) = delete;
    DynamicLibrary &operator=(const DynamicLibrary &) = delete;

    bool isOpen() const { return handle != nullptr; }
    // The address of an exported symbol, by its exact name; null when there is none.
    void *symbol(const char *name) const;
    void close();

  private:
    void *handle = nullptr;
};
