#include "registry/function_registry.h"

#include <algorithm>

#include "registry/builtin_functions.h"
#include "text/string_utils.h"

namespace {

constexpr char kPluginParameter[] = "parameter";

FunctionEntry makeEntry(const std::string &name, const std::vector<std::string> &parameterNames,
                        const std::string &help) {
    FunctionEntry entry;
    entry.name = name;
    for (const std::string &p : parameterNames) entry.parameters.emplace_back(p, "");
    entry.parameterCount = entry.parameters.size();
    entry.help = help;
    return entry;
}

std::string signatureOf(const FunctionEntry &entry) {
    std::string signature = entry.name + "(";
    for (size_t k = 0; k < entry.parameters.size(); k++) {
        if (k > 0) signature += ",";
        signature += entry.parameters[k].first;
    }
    return signature + ")";
}

// The query enters the message with exactly its own bytes, whatever their encoding.
std::string notFoundHeader(const std::string &name) {
    return "hint> Function '" + name + "' not found.\n\n以下是包含 '" + name +
           "' 的函数名列表:\n------------------------\n";
}

} // namespace

FunctionRegistry::FunctionRegistry() {
    buildFunctionTable();
    buildSignatures();
    refreshFunctionLists();
}

void FunctionRegistry::buildFunctionTable() {
    for (const BuiltinFunction &f : builtin_functions())
        entries[f.name] = makeEntry(f.name, std::vector<std::string>(f.parameters.begin(), f.parameters.end()), f.help);
}

void FunctionRegistry::buildSignatures() {
    for (auto &[name, entry] : entries) entry.signature = signatureOf(entry);
}

void FunctionRegistry::refreshFunctionLists() {
    sortedNames.clear();
    sortedSignatures.clear();
    collectFunctionNames(sortedNames, false);
    collectFunctionNames(sortedSignatures, true);
}

void FunctionRegistry::collectFunctionNames(std::vector<std::string> &list, bool signatures) const {
    for (const auto &[name, entry] : entries) list.push_back(signatures ? entry.signature : name);
    std::sort(list.begin(), list.end());
}

void FunctionRegistry::copyFunctionList(std::vector<std::string> &out, bool signatures) const {
    out = signatures ? sortedSignatures : sortedNames;
}

FunctionRegistry::Entries::const_iterator FunctionRegistry::findFunction(const std::string &name) const {
    return entries.find(name);
}

bool FunctionRegistry::functionExists(const std::string &name) const {
    return entries.count(name) != 0;
}

void FunctionRegistry::registerPluginFunction(const std::string &moduleName) {
    entries[moduleName] = makeEntry(moduleName, {kPluginParameter}, "");
}

bool FunctionRegistry::bindArguments(const std::string &name, const std::string &arguments,
                                     std::vector<std::string> &values) {
    values.clear();
    auto it = entries.find(name);
    if (it == entries.end()) return false;
    FunctionEntry &entry = it->second;
    const size_t n = entry.parameters.size(); // equal to parameterCount for every registered entry
    if (n == 0) return false;
    std::string rest = arguments + ",";
    bool ok = false;
    for (size_t i = 0; i < n; i++) {
        const size_t comma = rest.find(',');
        std::string piece = rest.substr(0, comma);
        entry.parameters[i].second = piece;
        values.push_back(piece);
        if (i + 1 < n) {
            rest = comma == std::string::npos ? std::string() : rest.substr(comma + 1);
        } else {
            // The last parameter takes the last piece: the comma after it must end the text.
            ok = rest.empty() || comma + 1 == rest.size();
        }
    }
    return ok;
}

void FunctionRegistry::printFunctionHelp(const std::string &name, std::string &out) const {
    auto it = entries.find(name);
    if (it != entries.end()) {
        out = it->second.help + "\n\nUsage:\n" + it->second.signature + "\n";
        return;
    }
    out = notFoundHeader(name);
    for (const std::string &candidate : sortedNames)
        if (kmp_find(candidate, name) >= 0) out += candidate + "\n";
}
