// The plugin loader: libraries of the folder "plugins" load at start-up, those of the folder
// "myplugins" on request (load_plugin). Both folders lie below the working directory.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "plugins/dynamic_library.h"
#include "plugins/plugin_base.h"

class Calculator;

// The file extension of a plugin library on this system.
#if defined(_WIN32)
constexpr char kPluginExtension[] = ".dll";
#else
constexpr char kPluginExtension[] = ".so";
#endif

// A library that cannot be loaded or used; the text is the loader's message.
struct PluginError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Libraries of "plugins" in load order; free_plugin closes a slot and leaves it in place.
extern std::vector<DynamicLibrary> plugin_modules;
// Libraries of "myplugins" in load order, and the objects made for them at load time (the
// objects go before the libraries, at exit).
extern std::vector<DynamicLibrary> user_plugin_modules;
extern std::vector<std::unique_ptr<Base>> user_plugin_objects;

// Loads the folder "plugins" into plugin_modules, after releasing what an earlier call
// loaded: 0 on success, 1 after an error reported on the standard error stream.
int loadPlugins();
// Walks the folder "plugins" into `modules`; a failure ends the walk with a PluginError.
void loadPluginFolder(std::vector<DynamicLibrary> &modules);

// The name a library gives through getName (or _getName); "" for a closed slot or a library
// without either.
std::string pluginName(const DynamicLibrary &module);
// A new object of the library (its getObj), or null.
std::unique_ptr<Base> newPluginObject(const DynamicLibrary &module);

// Loads the library `name` of the folder "myplugins": 0 when it is loaded; 1 after a reported
// error or when there is no such file (reported on the standard output stream).
int loadUserPlugin(const std::string &name);
// The single load behind loadUserPlugin: the object made for the library, or null when the
// file does not exist; a library that cannot be used raises a PluginError.
Base *loadUserPluginModule(const std::string &name);

// Lists the names of both kinds of plugins on the standard output stream; 0.
int listPlugins();
// Closes every library of "plugins" whose name is `name`; 0 whether or not there was one.
int unloadPlugin(const std::string &name);

// The statement module->command(...): the operation `command` of a fresh object of every
// library of "plugins" named `module`, or, when there is none, of every user library of that
// name (only print and help there). Texts the operations return go into `output`.
void callPluginModules(Calculator &calculator, const std::string &module, const std::string &command);
