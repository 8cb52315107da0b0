#include "runner/runner.h"

#include <climits>
#include <cstdio>
#include <filesystem>
#include <new>
#include <optional>
#include <system_error>

#include "vm/vm.h"

namespace {

namespace fs = std::filesystem;

// Longest path the folder walk forms. A longer one is skipped, never cut: a cut path would
// name another file, and the bound also ends the walk through folders that contain themselves.
constexpr size_t SCRIPT_PATH_MAX = 260;
// The extension buffer holds at most this many characters.
constexpr size_t SCRIPT_EXTENSION_MAX = 7;

const char *const EXTENSION_FOLDER = "ext";
const char *const SCRIPT_EXTENSION = "kf";

std::string entry_path(const std::string &directory, const std::string &name) {
    bool separated =
        directory.empty() || directory.back() == ':' || directory.back() == '/' || directory.back() == '\\';
    return directory + (separated ? "" : "/") + name;
}

void report_cannot_open(const std::string &path, const std::error_code &error) {
    std::fprintf(stderr, "Cannot open %s (%s)\n", path.c_str(), error.message().c_str());
}

void load_script(BigNumber *engine, const std::string &path) {
    std::printf("load %s\n", path.c_str());
    std::optional<std::string> text = readScriptFile(path.c_str());
    // A failing extension script is reported by the machine; the walk goes on.
    if (text) vm_interpret(engine, text->c_str());
}

// The entry's name as narrow text; none when the narrow text cannot hold it.
std::optional<std::string> entry_name(const fs::directory_entry &entry) {
    try {
        return entry.path().filename().string();
    } catch (const std::exception &) {
        return std::nullopt;
    }
}

void load_entry(BigNumber *engine, const std::string &directory, const fs::directory_entry &entry) {
    std::optional<std::string> entryName = entry_name(entry);
    if (!entryName) return;
    const std::string &name = *entryName;
    if (fileExtension(name.c_str()) != SCRIPT_EXTENSION) return;
    std::string path = entry_path(directory, name);
    if (path.size() > SCRIPT_PATH_MAX) {
        report_cannot_open(path, std::make_error_code(std::errc::filename_too_long));
        return;
    }
    std::error_code error;
    fs::file_status status = entry.status(error);
    if (fs::is_directory(status)) {
        loadScriptDir(engine, path.c_str());
    } else if (fs::is_regular_file(status)) {
        load_script(engine, path);
    }
}

bool is_folder(const char *path) {
    try {
        std::error_code error;
        return fs::is_directory(path, error);
    } catch (const std::exception &) {
        return false;
    }
}

int status_of_run(int result) {
    switch (result) {
    case VM_COMPILE_ERROR:
        return SCRIPT_FILE_COMPILE_ERROR;
    case VM_RUNTIME_ERROR:
        return SCRIPT_FILE_RUNTIME_ERROR;
    default:
        return SCRIPT_FILE_OK;
    }
}

} // namespace

int runScriptSource(BigNumber *engine, const char *source) {
    return vm_interpret(engine, source);
}

int runScriptFile(BigNumber *engine, const char *path) {
    int report = vm_error_report_switch;
    vm_init();
    loadScriptDir(engine, EXTENSION_FOLDER);
    int status = executeScriptFile(engine, path);
    // Ready for the interpreter's next script attempt, reporting as it chose.
    vm_init();
    vm_set_error_report(report);
    return status;
}

int executeScriptFile(BigNumber *engine, const char *path) {
    std::optional<std::string> text = readScriptFile(path);
    if (!text) return SCRIPT_FILE_UNREADABLE;
    return status_of_run(vm_interpret(engine, text->c_str()));
}

int loadScriptDir(BigNumber *engine, const char *directory) {
    std::string folder = directory != nullptr ? directory : "";
    std::error_code error;
    fs::directory_iterator listing(folder, error);
    if (error) {
        std::error_code created;
        if (fs::create_directory(folder, created)) return 1;
        report_cannot_open(folder, created ? created : error);
        return 0;
    }
    for (; !error && listing != fs::directory_iterator(); listing.increment(error))
        load_entry(engine, folder, *listing);
    return 1;
}

std::string fileExtension(const char *name) {
    std::string text = name != nullptr ? name : "";
    size_t dot = text.rfind('.');
    if (dot == std::string::npos) return "";
    std::string extension = text.substr(dot + 1);
    if (extension.size() > SCRIPT_EXTENSION_MAX) {
        std::printf("Error copying string");
        return "";
    }
    return extension;
}

std::optional<std::string> readScriptFile(const char *path) {
    if (path == nullptr) path = "";
    // A folder opens for reading on some systems; it is no script.
    FILE *file = is_folder(path) ? nullptr : std::fopen(path, "rb");
    if (file == nullptr) {
        std::fprintf(stderr, "Could not open file \"%s\".\n", path);
        return std::nullopt;
    }
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    std::rewind(file);
    std::string text;
    try {
        // The machine's texts are int-sized.
        if (size >= INT_MAX) throw std::bad_alloc();
        text.resize(size > 0 ? static_cast<size_t>(size) : 0);
    } catch (const std::bad_alloc &) {
        std::fprintf(stderr, "Not enough memory to read \"%s\".\n", path);
        std::fclose(file);
        return std::nullopt;
    }
    size_t read = size > 0 ? std::fread(text.data(), 1, text.size(), file) : 0;
    std::fclose(file);
    if (size < 0 || read < text.size()) {
        std::fprintf(stderr, "Could not read file \"%s\".\n", path);
        return std::nullopt;
    }
    return text;
}
