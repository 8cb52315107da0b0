// The names of the plugin libraries loaded at start-up become one-parameter functions, so
// that a call of the name is recognised.
#include "Calculator.h"
#include "plugins/plugin_loader.h"

void Calculator::registerPluginFunctions() {
    for (const DynamicLibrary &module : plugin_modules) {
        std::string name = pluginName(module);
        if (!name.empty()) functions.registerPluginFunction(name);
    }
}
