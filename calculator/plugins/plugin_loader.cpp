#include "plugins/plugin_loader.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "Calculator.h"

namespace {

namespace fs = std::filesystem;

constexpr char kPluginFolder[] = "plugins";
constexpr char kUserPluginFolder[] = "myplugins";

using GetObjFunction = std::unique_ptr<Base> (*)();
using GetNameFunction = const char *(*)();

// getObj under the name a Windows C++ compiler gives it, under GCC's, and as extern "C".
constexpr const char *kGetObjNames[] = {
    "?getObj@@YA?AV?$unique_ptr@VBase@@U?$default_delete@VBase@@@std@@@std@@XZ",
    "_Z6getObjv",
    "getObj",
};
constexpr const char *kGetNameNames[] = {"getName", "_getName"};

template <size_t N> void *firstSymbol(const DynamicLibrary &module, const char *const (&names)[N]) {
    for (const char *name : names)
        if (void *address = module.symbol(name)) return address;
    return nullptr;
}

GetObjFunction getObjOf(const DynamicLibrary &module) {
    return reinterpret_cast<GetObjFunction>(firstSymbol(module, kGetObjNames));
}

GetNameFunction getNameOf(const DynamicLibrary &module) {
    return reinterpret_cast<GetNameFunction>(firstSymbol(module, kGetNameNames));
}

void checkExports(const DynamicLibrary &module) {
    if (getObjOf(module) == nullptr) throw PluginError("Invalid Plugin DLL: 'getObj' must be defined.");
    if (getNameOf(module) == nullptr) throw PluginError("Invalid Plugin DLL: 'getName' must be defined.");
}

bool sameFileName(const std::string &a, const std::string &b) {
#if defined(_WIN32)
    // File names compare without regard to case on Windows.
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](unsigned char x, unsigned char y) {
        return std::tolower(x) == std::tolower(y);
    });
#else
    return a == b;
#endif
}

// A file name as UTF-8 text; "" for one that has no such text (an unpaired surrogate).
std::string fileNameText(const fs::path &name) {
    try {
        std::u8string text = name.u8string();
        return std::string(text.begin(), text.end());
    } catch (const std::exception &) {
        return "";
    }
}

// A plugin library of a folder: its file name, as the system wants it and as text.
struct LibraryFile {
    fs::path name;
    std::string text;
};

// The plugin libraries in a folder, by name; none when it does not exist.
std::vector<LibraryFile> libraryFiles(const char *folder) {
    std::vector<LibraryFile> files;
    std::error_code error;
    fs::directory_iterator listing(folder, error);
    for (; !error && listing != fs::directory_iterator(); listing.increment(error)) {
        std::error_code statusError;
        if (!listing->is_regular_file(statusError)) continue;
        LibraryFile file{listing->path().filename(), ""};
        file.text = fileNameText(file.name);
        if (sameFileName(fileNameText(file.name.extension()), kPluginExtension)) files.push_back(file);
    }
    std::sort(files.begin(), files.end(), [](const LibraryFile &a, const LibraryFile &b) { return a.text < b.text; });
    return files;
}

// 0 when `load` succeeds; 1 after its failure is reported on the standard error stream.
template <typename Load> int reportingFailure(const Load &load) {
    try {
        load();
    } catch (const PluginError &error) {
        std::cerr << "Exception caught: " << error.what() << "\n";
        return 1;
    }
    return 0;
}

void writeNames(const std::vector<DynamicLibrary> &modules) {
    size_t count = 0;
    for (const DynamicLibrary &module : modules) {
        std::string name = pluginName(module);
        if (name.empty()) continue;
        std::cout << name << "\n";
        count++;
    }
    std::cout << "---Total: " << count << " ---\n\n";
}

// Calls one operation of a plugin object; the capitalised ones return a text to show.
void callOperation(Base &object, const std::string &command, std::ostream &output) {
    using Show = const char *(Base::*)();
    using Act = void (Base::*)();
    static const struct {
        const char *name;
        Act act;
        Show show;
    } kOperations[] = {
        {"print", &Base::print, nullptr}, {"Print", nullptr, &Base::Print}, {"help", &Base::help, nullptr},
        {"Help", nullptr, &Base::Help},   {"about", &Base::about, nullptr}, {"About", nullptr, &Base::About},
    };
    for (const auto &operation : kOperations) {
        if (command != operation.name) continue;
        if (operation.act != nullptr) {
            (object.*operation.act)();
        } else {
            const char *text = (object.*operation.show)();
            output << "\nrs> " << (text != nullptr ? text : "");
        }
        return;
    }
}

} // namespace

std::vector<DynamicLibrary> plugin_modules;
std::vector<DynamicLibrary> user_plugin_modules;
// Defined after the libraries, so destroyed before them: the objects' code lives there.
std::vector<std::unique_ptr<Base>> user_plugin_objects;

int loadPlugins() {
    // A second start-up in the process loads the folder afresh rather than twice over.
    plugin_modules.clear();
    return reportingFailure([] { loadPluginFolder(plugin_modules); });
}

void loadPluginFolder(std::vector<DynamicLibrary> &modules) {
    const std::vector<LibraryFile> files = libraryFiles(kPluginFolder);
    if (files.empty()) return;
    for (const LibraryFile &file : files) {
        DynamicLibrary module(fs::path(".") / kPluginFolder / file.name);
        if (!module.isOpen()) {
            modules.clear();
            throw PluginError("Plugin " + file.text + " failed to load!");
        }
        checkExports(module);
        modules.push_back(std::move(module));
        std::clog << pluginName(modules.back()) << " loaded!\n";
    }
    std::clog << "\n";
    std::cout << "All modules have been loaded. Fine!" << "\n";
}

std::string pluginName(const DynamicLibrary &module) {
    GetNameFunction getName = getNameOf(module);
    const char *name = getName != nullptr ? getName() : nullptr;
    return name != nullptr ? name : "";
}

std::unique_ptr<Base> newPluginObject(const DynamicLibrary &module) {
    GetObjFunction getObj = getObjOf(module);
    return getObj != nullptr ? getObj() : nullptr;
}

int loadUserPlugin(const std::string &name) {
    bool missing = false;
    const int failed = reportingFailure([&] { missing = loadUserPluginModule(name) == nullptr; });
    return failed != 0 || missing ? 1 : 0;
}

Base *loadUserPluginModule(const std::string &name) {
    // Only a file of the folder itself is taken: the name is compared with the folder's
    // entries, never made into a path, so "../x" or "*" name nothing.
    const std::string wanted = name + kPluginExtension;
    std::vector<LibraryFile> files = libraryFiles(kUserPluginFolder);
    auto found = std::find_if(files.begin(), files.end(), [&](const LibraryFile &f) { return sameFileName(f.text, wanted); });
    if (name.empty() || found == files.end()) {
        std::cout << "Plugin " << name << " wasn't loaded successfully!\n"
                  << "Please check that whether the file " << wanted << " exists in the directory [myplugins].\n";
        return nullptr;
    }
    DynamicLibrary module(fs::path(".") / kUserPluginFolder / found->name);
    if (!module.isOpen()) throw PluginError("Plugin " + found->text + " wasn't loaded successfully!");
    checkExports(module);
    std::unique_ptr<Base> object = newPluginObject(module);
    user_plugin_modules.push_back(std::move(module));
    user_plugin_objects.push_back(std::move(object));
    std::clog << pluginName(user_plugin_modules.back()) << " loaded!\n";
    return user_plugin_objects.back().get();
}

int listPlugins() {
    std::cout << "[plugins] Auto-loaded plugins:\n";
    writeNames(plugin_modules);
    std::cout << "\n----------------\n[myplugins] user plugins:\n";
    writeNames(user_plugin_modules);
    return 0;
}

int unloadPlugin(const std::string &name) {
    for (DynamicLibrary &module : plugin_modules)
        if (module.isOpen() && pluginName(module) == name) module.close();
    return 0;
}

void callPluginModules(Calculator &calculator, const std::string &module, const std::string &command) {
    bool found = false;
    for (const DynamicLibrary &library : plugin_modules) {
        if (!library.isOpen() || pluginName(library) != module) continue;
        found = true;
        if (std::unique_ptr<Base> object = newPluginObject(library))
            callOperation(*object, command, calculator.output);
    }
    if (found) return;
    for (const DynamicLibrary &library : user_plugin_modules) {
        if (pluginName(library) != module) continue;
        calculator.output << "[my plugin] " << module << "\n";
        std::unique_ptr<Base> object = newPluginObject(library);
        if (object == nullptr) continue;
        // User plugins answer only the two operations that print on their own.
        if (command == "print") object->print();
        if (command == "help") object->help();
    }
}
