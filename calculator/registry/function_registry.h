// The registry of callable functions: the built-in functions and one entry for each plugin
// module found at start-up, looked up by exact, case-sensitive name. For every function it
// keeps the formal parameters, a printable signature and a help text.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

struct FunctionEntry {
    std::string name;
    // (parameter name, value): the name is display text only; the value holds the argument
    // text last bound to it by bindArguments.
    std::vector<std::pair<std::string, std::string>> parameters;
    uint64_t parameterCount = 0;
    std::string signature; // name(p1,p2,...); empty until buildSignatures
    std::string help;      // UTF-8
};

class FunctionRegistry {
  public:
    using Entries = std::unordered_map<std::string, FunctionEntry>;

    // Registers the built-in table, builds the signatures and the sorted lists.
    FunctionRegistry();

    // Registers every built-in function (signatures left empty); an entry of the same name
    // is replaced whole.
    void buildFunctionTable();
    void buildSignatures();
    // Both sorted lists taken afresh from the entries.
    void refreshFunctionLists();
    // Appends every name (or signature) to `list`, then sorts the whole list by bytes.
    void collectFunctionNames(std::vector<std::string> &list, bool signatures) const;
    // `out` becomes a copy of the sorted signatures (true) or names (false).
    void copyFunctionList(std::vector<std::string> &out, bool signatures) const;

    Entries::const_iterator findFunction(const std::string &name) const;
    Entries::const_iterator end() const { return entries.end(); }
    bool functionExists(const std::string &name) const;
    // A plugin module's name as a one-parameter function without help.
    void registerPluginFunction(const std::string &moduleName);

    // Cuts `arguments` at every comma (brackets and quotes are not looked at, blanks stay)
    // into the registered parameters of `name`, in order. `values` always receives one text
    // per parameter, missing trailing ones empty; false when there are more pieces than
    // parameters, and for a name that is not registered (with `values` empty).
    bool bindArguments(const std::string &name, const std::string &arguments, std::vector<std::string> &values);

    // The help text, "\n\nUsage:\n" and the signature of a registered name; for any other
    // name a "not found" header and every registered name that contains it (UTF-8).
    void printFunctionHelp(const std::string &name, std::string &out) const;

    const std::vector<std::string> &names() const { return sortedNames; }
    const std::vector<std::string> &signatures() const { return sortedSignatures; }

  private:
    Entries entries;
    std::vector<std::string> sortedNames;      // ascending bytes
    std::vector<std::string> sortedSignatures; // ascending bytes
};
