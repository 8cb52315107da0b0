// The registry at start-up: plugin modules first, then the built-in table once more, so a
// built-in entry replaces a plugin entry of the same name and every entry is listed.
#include "Calculator.h"

void Calculator::registerSessionFunctions() {
    registerPluginFunctions();
    functions.buildFunctionTable();
    functions.buildSignatures();
    functions.refreshFunctionLists();
    functions.copyFunctionList(functionSignatures, true);
    functions.copyFunctionList(functionNames, false);
}
