// The names of the 128 built-in functions and the handler of each, gathered from the family
// tables (handlers/families.h); every name has one (the registry walk test checks it).
// Handlers are found by the dispatch key of the name.
#include "dispatch/builtin_handlers.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "dispatch/dispatch_key.h"
#include "handlers/families.h"

namespace {

constexpr const char *kBuiltinNames[] = {
    "any2decimal",
    "biggest_factor",
    "binary2decimal",
    "binary2graycode",
    "binom",
    "ceil",
    "CofactorMatrix",
    "Collatz",
    "continued_fraction",
    "cos",
    "cot",
    "cubicsum",
    "cubicsum2",
    "decimal2any",
    "decimal2binary",
    "decimal2fraction",
    "decimal2hex",
    "decimal2octal",
    "decimalToFraction",
    "deg",
    "deg2rad",
    "det",
    "DetExpansion",
    "diff",
    "disp",
    "div",
    "E",
    "Eisenstein",
    "eq24",
    "EulerBrackets",
    "EulerVarphi",
    "exp",
    "expmod",
    "factorial",
    "Factorial",
    "factorise",
    "Factorise",
    "Factorise_analysis",
    "Farey",
    "farey",
    "fibonacci",
    "Fibonacci",
    "firstfactor",
    "fix_variables",
    "floor",
    "free_plugin",
    "gcd",
    "Gcd",
    "gcd2",
    "Gcd2",
    "getprecision",
    "getValueFromMemAddr",
    "goldbach",
    "graycode2binary",
    "help",
    "hex2decimal",
    "IndefiniteEquation",
    "index_of_prime",
    "InfixToPostfix",
    "integrate",
    "inv",
    "iscomposite",
    "ispolyn",
    "isprime",
    "ispseudoprime",
    "Jacobi",
    "LagrangePolyn",
    "lcm",
    "Legendre",
    "len",
    "lim",
    "limit",
    "list_pi_x",
    "list_plugins",
    "listfunctions",
    "listpseudoprimes",
    "ln",
    "load_plugin",
    "log",
    "mobius",
    "monic_polyn",
    "multiplicativeOrder",
    "multipolyn_items",
    "nextMRprime",
    "nextprime",
    "norm_p",
    "octal2decimal",
    "ord_p",
    "p",
    "pi",
    "polyn_items",
    "prevMRprime",
    "prevprime",
    "Primes",
    "PrimitivePolyn",
    "print3x1Maps",
    "printRecursiveSeries",
    "printSeries",
    "q_duanwu",
    "q_DuanwuPlus",
    "QR",
    "rank",
    "reverse",
    "reverse_plus",
    "round",
    "SELECT",
    "SET",
    "setprecision",
    "simplify",
    "sin",
    "solve",
    "solve_n3plus_until_m3_eq_p3",
    "solve_x3plusy3_zn",
    "sort",
    "sqrt",
    "sqrtn",
    "squaresum",
    "subset",
    "sum",
    "suo",
    "suo24",
    "symbol",
    "tan",
    "tau",
    "transform",
    "transpose",
    "trimzeros",
    "xor",
};

constexpr size_t kCaseCount = std::size(kBuiltinNames);
static_assert(kCaseCount == 128, "one case for each built-in function");

constexpr std::array<uint64_t, kCaseCount> kSortedKeys = [] {
    std::array<uint64_t, kCaseCount> keys{};
    for (size_t k = 0; k < kCaseCount; k++) keys[k] = fnv1a_hash64(kBuiltinNames[k]);
    std::sort(keys.begin(), keys.end());
    return keys;
}();

constexpr bool keysDistinct() {
    for (size_t k = 1; k < kCaseCount; k++)
        if (kSortedKeys[k - 1] == kSortedKeys[k]) return false;
    return true;
}
// Cases are told apart by their keys alone, so no two names may share one.
static_assert(keysDistinct(), "two built-in names share a dispatch key");

size_t keyIndex(uint64_t key) {
    auto it = std::lower_bound(kSortedKeys.begin(), kSortedKeys.end(), key);
    return it != kSortedKeys.end() && *it == key ? size_t(it - kSortedKeys.begin()) : kCaseCount;
}

struct CaseTable {
    std::array<HandlerCase, kCaseCount> byName{}; // in the order of kBuiltinNames
    std::array<size_t, kCaseCount> byKey{}; // index into byName, in key order
};

// A family entry whose name is no built-in name is left out; the dispatch tests name it.
CaseTable buildCaseTable() {
    CaseTable table;
    for (size_t k = 0; k < kCaseCount; k++) {
        table.byName[k] = {kBuiltinNames[k], nullptr};
        table.byKey[keyIndex(fnv1a_hash64(kBuiltinNames[k]))] = k;
    }
    for (HandlerFamily family : kHandlerFamilies)
        for (const HandlerCase &entry : family()) {
            const size_t at = keyIndex(fnv1a_hash64(entry.name));
            if (at < kCaseCount) table.byName[table.byKey[at]].handler = entry.handler;
        }
    return table;
}

const CaseTable &caseTable() {
    static const CaseTable table = buildCaseTable();
    return table;
}

} // namespace

std::span<const HandlerCase> builtin_handler_cases() {
    return caseTable().byName;
}

const HandlerCase *find_handler_case(std::string_view name) {
    const size_t at = keyIndex(fnv1a_hash64(name));
    return at < kCaseCount ? &caseTable().byName[caseTable().byKey[at]] : nullptr;
}
