// The plugin commands: load a user plugin of "myplugins", free an automatically loaded one,
// list both kinds. The loader's own messages are part of the answer: the window has no
// console to show them.
#include <string>

#include "Calculator.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "plugins/plugin_loader.h"
#include "variables/symbol_table.h"

namespace {

// The name of a plugin is an identifier (it becomes a function name); anything else is
// refused before the loader searches a folder for it.
bool cutPluginName(Calculator &calculator, std::ostream &out, std::string &name) {
    if (!closedRest(calculator.commandText, name, Close::Last) || name.empty()) {
        writeShapeHint(out);
        return false;
    }
    if (!is_identifier(name)) {
        writeHint(out, name, Hint::InvalidFunctionName);
        return false;
    }
    return true;
}

void answerLoader(std::ostream &out, int (*operation)(const std::string &), const std::string &name) {
    int result = 0;
    out << capturedConsole([&] { result = operation(name); });
    writeAnswer(out, std::to_string(result));
}

void cmd_load_plugin(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string name;
    if (cutPluginName(calculator, out, name)) answerLoader(out, loadUserPlugin, name);
}

void cmd_free_plugin(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string name;
    if (cutPluginName(calculator, out, name)) answerLoader(out, unloadPlugin, name);
}

void cmd_list_plugins(Calculator &calculator) {
    std::ostream &out = startAnswer(calculator);
    std::string ignored;
    if (!closedRest(calculator.commandText, ignored, Close::Last)) return writeShapeHint(out);
    answerLoader(out, [](const std::string &) { return listPlugins(); }, ignored);
}

constexpr HandlerCase kCases[] = {
    {"free_plugin", cmd_free_plugin},
    {"list_plugins", cmd_list_plugins},
    {"load_plugin", cmd_load_plugin},
};

} // namespace

std::span<const HandlerCase> plugin_handlers() { return kCases; }
