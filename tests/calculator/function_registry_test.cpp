// The function registry: the built-in table, signatures, sorted lists, help lookup and the
// binding of argument texts to registered parameters.
#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "calculator_test_support.h"
#include "dispatch/builtin_handlers.h"
#include "registry/builtin_functions.h"
#include "registry/function_registry.h"

namespace {

TEST(FunctionRegistry, BuiltinNamesAndSortedLists) {
    FunctionRegistry registry;
    const std::vector<std::string> &names = registry.names();
    ASSERT_EQ(names.size(), 128u);
    EXPECT_EQ(names.front(), "CofactorMatrix");
    EXPECT_EQ(names.back(), "xor");
    EXPECT_TRUE(std::is_sorted(names.begin(), names.end()));
    EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), 128u);
    // Byte order: capitals before small letters, "SELECT" before "SET".
    auto at = [&](const char *name) { return std::find(names.begin(), names.end(), name) - names.begin(); };
    EXPECT_LT(at("SELECT"), at("SET"));
    EXPECT_LT(at("Gcd"), at("gcd"));
    // Names differing in case are separate entries.
    for (const char *name : {"gcd", "Gcd", "gcd2", "Gcd2", "farey", "Farey", "factorial", "Factorial"})
        EXPECT_TRUE(registry.functionExists(name)) << name;
    for (const char *name : {"GCD", "avg", "size", "", "gcd "}) EXPECT_FALSE(registry.functionExists(name)) << name;
    EXPECT_EQ(registry.signatures().size(), 128u);
    EXPECT_TRUE(std::is_sorted(registry.signatures().begin(), registry.signatures().end()));
}

TEST(FunctionRegistry, EveryEntryIsComplete) {
    FunctionRegistry registry;
    for (const BuiltinFunction &f : builtin_functions()) {
        auto it = registry.findFunction(f.name);
        ASSERT_NE(it, registry.end()) << f.name;
        const FunctionEntry &entry = it->second;
        EXPECT_EQ(entry.name, f.name);
        EXPECT_GE(entry.parameters.size(), 1u) << f.name;
        EXPECT_EQ(entry.parameterCount, entry.parameters.size()) << f.name;
        EXPECT_FALSE(entry.help.empty()) << f.name;
        for (const auto &[parameter, value] : entry.parameters) EXPECT_EQ(value, "") << f.name;
    }
    // The commands that cut their arguments by the registered parameters rely on these counts.
    const std::pair<const char *, size_t> bound[] = {
        {"sum", 5}, {"printSeries", 5}, {"printRecursiveSeries", 7}, {"continued_fraction", 4},
        {"lim", 3}, {"limit", 3},       {"Legendre", 3},             {"Jacobi", 3},
    };
    for (const auto &[name, count] : bound) EXPECT_EQ(registry.findFunction(name)->second.parameterCount, count) << name;
}

TEST(FunctionRegistry, Signatures) {
    FunctionRegistry registry;
    const std::pair<const char *, const char *> rows[] = {
        {"gcd", "gcd(num1,num2)"},
        {"isprime", "isprime(n1,n2,...,nk)"},
        {"pi", "pi()"},
        {"polyn_items", "polyn_items()"},
        {"symbol", "symbol(x:val,[y:val2,...,z:valn])"},
        {"E", "E(n,i,j(k))"},
        {"eq24", "eq24(p1,p2,p3,p4)"},
        {"printRecursiveSeries",
         "printRecursiveSeries(Iteration_expression,general_item,initialValue,total_items,delimiter,line_number,"
         "do_not_calc)"},
    };
    const std::vector<std::string> &signatures = registry.signatures();
    for (const auto &[name, signature] : rows) {
        EXPECT_EQ(registry.findFunction(name)->second.signature, signature);
        EXPECT_NE(std::find(signatures.begin(), signatures.end(), signature), signatures.end()) << signature;
    }
}

TEST(FunctionRegistry, HelpTexts) {
    FunctionRegistry registry;
    const std::pair<const char *, std::string> rows[] = {
        {"gcd", "Compute the greatest common divisor of k numbers, where k>=2.\ngcd(n1,n2,...,nk)\n\nUsage:\n"
                "gcd(num1,num2)\n"},
        {"eq24", "算廿四\n\nUsage:\neq24(p1,p2,p3,p4)\n"},
        {"suo", "算廿四\n\nUsage:\nsuo(p1,p2,p3,p4)\n"},
        {"lim", "Suppose expr is a function f(x), `limit(expr,x,x_0)` or `lim(expr,x,x_0)`, is used to calculate the "
                "limit of f(x) at x_0.\n\nUsage:\nlim(expr,x,x_0)\n"},
        {"limit", "Suppose expr is a function f(x), `limit(expr,x,x_0)` or `lim(expr,x,x_0)`, is used to calculate "
                  "the limit of f(x) at x_0.\n\nUsage:\nlimit(expr,x,x_0)\n"},
        {"pi", "pi() will return the number pi, and pi(x) will return the number of primes which are less or equal "
               "to x.\n\nUsage:\npi()\n"},
        {"sum", "计算级数的前N项和\n例如:\\sum_{i=1}^{100}n^2\n则可以输入:\nin> sum(n^2,n,1,100)\n\nUsage:\n"
                "sum(general_term,x,minValue,maxValue,expand)\n"},
        {"binary2decimal", "Convert binary to decimal.\n二进制转十进制\n\nExample: binary2decimal(1010)\n\nUsage:\n"
                           "binary2decimal(binary)\n"},
        {"solve_n3plus_until_m3_eq_p3", "Solve the equation n^3+(n+1)^3...+m^3=p^3, where n,m\\in[min, max].\n\n"
                                        "Usage:\nsolve_n3plus_until_m3_eq_p3(min,max)\n"},
    };
    for (const auto &[name, help] : rows) {
        std::string out = "stale";
        registry.printFunctionHelp(name, out);
        EXPECT_EQ(out, help) << name;
    }
    std::string fibonacci, Fibonacci;
    registry.printFunctionHelp("fibonacci", fibonacci);
    registry.printFunctionHelp("Fibonacci", Fibonacci);
    EXPECT_EQ(fibonacci.substr(0, fibonacci.find("Usage:")), Fibonacci.substr(0, Fibonacci.find("Usage:")));
}

TEST(FunctionRegistry, NotFoundListsTheNamesThatContainTheQuery) {
    FunctionRegistry registry;
    auto header = [](const std::string &q) {
        return "hint> Function '" + q + "' not found.\n\n以下是包含 '" + q + "' 的函数名列表:\n" + texts::rule + "\n";
    };
    const std::pair<const char *, std::string> rows[] = {
        {"prime", header("prime") + "index_of_prime\nisprime\nispseudoprime\nlistpseudoprimes\nnextMRprime\nnextprime\n"
                                    "prevMRprime\nprevprime\n"},
        {"Prime", header("Prime") + "Primes\n"},
        {"xyz", header("xyz")},
        {"", header("")},
        {"GCD", header("GCD")},
        // The query keeps its own bytes, whatever they are.
        {"gcd\xc3\xa9", header("gcd\xc3\xa9")},
    };
    for (const auto &[query, text] : rows) {
        std::string out;
        registry.printFunctionHelp(query, out);
        EXPECT_EQ(out, text) << query;
    }
}

TEST(FunctionRegistry, BindArguments) {
    FunctionRegistry registry;
    struct Row {
        const char *name;
        const char *arguments;
        bool ok;
        std::vector<std::string> values;
    };
    const Row rows[] = {
        {"Jacobi", "3,7", true, {"3", "7", ""}},
        {"Jacobi", "3,7,show", true, {"3", "7", "show"}},
        {"Jacobi", "3,7,show,1", false, {"3", "7", "show"}},
        {"Jacobi", "", true, {"", "", ""}},
        {"Jacobi", " 3 , 7 ", true, {" 3 ", " 7 ", ""}},
        {"Jacobi", "f(1,2),x", true, {"f(1", "2)", "x"}},
        {"Jacobi", ",,", true, {"", "", ""}},
        {"Jacobi", ",,,", false, {"", "", ""}},
        {"sum", "n^2,n,1,100", true, {"n^2", "n", "1", "100", ""}},
        {"sum", "n^2,n,1,100,expand", true, {"n^2", "n", "1", "100", "expand"}},
        {"sum", "n^2,n,1,100,expand,1", false, {"n^2", "n", "1", "100", "expand"}},
        {"pi", "", true, {""}},
        {"pi", "1,2", false, {"1"}},
        {"nosuchfunction", "1", false, {}},
    };
    for (const Row &row : rows) {
        std::vector<std::string> values = {"stale"};
        EXPECT_EQ(registry.bindArguments(row.name, row.arguments, values), row.ok) << row.name << "(" << row.arguments;
        EXPECT_EQ(values, row.values) << row.name << "(" << row.arguments;
    }
    // The bound texts stay as the parameters' values of the entry.
    std::vector<std::string> values;
    registry.bindArguments("Legendre", "2,5", values);
    const auto &parameters = registry.findFunction("Legendre")->second.parameters;
    EXPECT_EQ(parameters[0], (std::pair<std::string, std::string>("a", "2")));
    EXPECT_EQ(parameters[1], (std::pair<std::string, std::string>("p", "5")));
}

TEST(FunctionRegistry, PluginEntries) {
    FunctionRegistry registry;
    registry.registerPluginFunction("m");
    registry.registerPluginFunction("gcd");
    std::string help;
    registry.printFunctionHelp("m", help);
    EXPECT_EQ(help, "\n\nUsage:\n\n"); // no signature until they are rebuilt
    // Start-up registers the built-in table once more: a built-in name gets its own entry
    // back, and the plugin entry is signed and listed.
    registry.buildFunctionTable();
    registry.buildSignatures();
    registry.refreshFunctionLists();
    registry.printFunctionHelp("m", help);
    EXPECT_EQ(help, "\n\nUsage:\nm(parameter)\n");
    EXPECT_EQ(registry.findFunction("gcd")->second.signature, "gcd(num1,num2)");
    EXPECT_EQ(registry.names().size(), 129u);
    const auto &signatures = registry.signatures();
    EXPECT_NE(std::find(signatures.begin(), signatures.end(), "m(parameter)"), signatures.end());
    // The copies are snapshots of the lists.
    std::vector<std::string> names = {"kept?"};
    registry.copyFunctionList(names, false);
    EXPECT_EQ(names, registry.names());
    // Collecting appends, then sorts the whole list.
    std::vector<std::string> collected = {"~last", "AAA"};
    registry.collectFunctionNames(collected, false);
    EXPECT_EQ(collected.size(), 131u);
    EXPECT_EQ(collected.front(), "AAA");
    EXPECT_EQ(collected.back(), "~last");
}

TEST(FunctionRegistry, CalculatorCopiesTheListsAtStartUp) {
    Calculator calculator;
    EXPECT_EQ(calculator.functionNames, calculator.functions.names());
    EXPECT_EQ(calculator.functionSignatures, calculator.functions.signatures());
    EXPECT_EQ(calculator.functionNames.size(), 128u);
}

TEST(FunctionRegistry, EveryRegisteredNameHasAHandlerCase) {
    std::set<std::string> registered, cases;
    for (const BuiltinFunction &f : builtin_functions()) registered.insert(f.name);
    for (const HandlerCase &c : builtin_handler_cases()) cases.insert(c.name);
    EXPECT_EQ(registered, cases);
}

} // namespace
