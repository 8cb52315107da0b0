// The case table of the built-in call dispatch. Each case names the handler of its name;
// ln and log share cmd_ln, lim and limit cmd_limit, eq24, suo and suo24 cmd_eq24, and
// Farey and farey reach cmd_Farey with the flags 0 and 1. A case whose command is not built
// yet holds no handler and is answered by the one "not available yet" text.
#include "dispatch/builtin_handlers.h"

#include <algorithm>
#include <array>
#include <iterator>

#include "dispatch/dispatch_key.h"
#include "handlers/help.h"
#include "matrix/matrix_commands.h"
#include "solvers/solve_command.h"

namespace {

constexpr HandlerCase kHandlerCases[] = {
    {"any2decimal", nullptr},
    {"biggest_factor", nullptr},
    {"binary2decimal", nullptr},
    {"binary2graycode", nullptr},
    {"binom", nullptr},
    {"ceil", nullptr},
    {"CofactorMatrix", cmd_CofactorMatrix},
    {"Collatz", nullptr},
    {"continued_fraction", nullptr},
    {"cos", nullptr},
    {"cot", nullptr},
    {"cubicsum", nullptr},
    {"cubicsum2", nullptr},
    {"decimal2any", nullptr},
    {"decimal2binary", nullptr},
    {"decimal2fraction", nullptr},
    {"decimal2hex", nullptr},
    {"decimal2octal", nullptr},
    {"decimalToFraction", nullptr},
    {"deg", nullptr},
    {"deg2rad", nullptr},
    {"det", cmd_det},
    {"DetExpansion", cmd_DetExpansion},
    {"diff", nullptr},
    {"disp", nullptr},
    {"div", nullptr},
    {"E", cmd_E},
    {"Eisenstein", nullptr},
    {"eq24", nullptr},
    {"EulerBrackets", nullptr},
    {"EulerVarphi", nullptr},
    {"exp", nullptr},
    {"expmod", nullptr},
    {"factorial", nullptr},
    {"Factorial", nullptr},
    {"factorise", nullptr},
    {"Factorise", nullptr},
    {"Factorise_analysis", nullptr},
    {"Farey", nullptr},
    {"farey", nullptr},
    {"fibonacci", nullptr},
    {"Fibonacci", nullptr},
    {"firstfactor", nullptr},
    {"fix_variables", nullptr},
    {"floor", nullptr},
    {"free_plugin", nullptr},
    {"gcd", nullptr},
    {"Gcd", nullptr},
    {"gcd2", nullptr},
    {"Gcd2", nullptr},
    {"getprecision", nullptr},
    {"getValueFromMemAddr", nullptr},
    {"goldbach", nullptr},
    {"graycode2binary", nullptr},
    {"help", cmd_help},
    {"hex2decimal", nullptr},
    {"IndefiniteEquation", nullptr},
    {"index_of_prime", nullptr},
    {"InfixToPostfix", nullptr},
    {"integrate", nullptr},
    {"inv", cmd_inv},
    {"iscomposite", nullptr},
    {"ispolyn", nullptr},
    {"isprime", nullptr},
    {"ispseudoprime", nullptr},
    {"Jacobi", nullptr},
    {"LagrangePolyn", nullptr},
    {"lcm", nullptr},
    {"Legendre", nullptr},
    {"len", nullptr},
    {"lim", nullptr},
    {"limit", nullptr},
    {"list_pi_x", nullptr},
    {"list_plugins", nullptr},
    {"listfunctions", nullptr},
    {"listpseudoprimes", nullptr},
    {"ln", nullptr},
    {"load_plugin", nullptr},
    {"log", nullptr},
    {"mobius", nullptr},
    {"monic_polyn", nullptr},
    {"multiplicativeOrder", nullptr},
    {"multipolyn_items", nullptr},
    {"nextMRprime", nullptr},
    {"nextprime", nullptr},
    {"norm_p", nullptr},
    {"octal2decimal", nullptr},
    {"ord_p", nullptr},
    {"p", nullptr},
    {"pi", nullptr},
    {"polyn_items", nullptr},
    {"prevMRprime", nullptr},
    {"prevprime", nullptr},
    {"Primes", nullptr},
    {"PrimitivePolyn", nullptr},
    {"print3x1Maps", nullptr},
    {"printRecursiveSeries", nullptr},
    {"printSeries", nullptr},
    {"q_duanwu", nullptr},
    {"q_DuanwuPlus", nullptr},
    {"QR", cmd_QR},
    {"rank", cmd_rank},
    {"reverse", nullptr},
    {"reverse_plus", nullptr},
    {"round", nullptr},
    {"SELECT", nullptr},
    {"SET", nullptr},
    {"setprecision", nullptr},
    {"simplify", nullptr},
    {"sin", nullptr},
    {"solve", cmd_solve},
    {"solve_n3plus_until_m3_eq_p3", nullptr},
    {"solve_x3plusy3_zn", nullptr},
    {"sort", nullptr},
    {"sqrt", nullptr},
    {"sqrtn", nullptr},
    {"squaresum", nullptr},
    {"subset", nullptr},
    {"sum", nullptr},
    {"suo", nullptr},
    {"suo24", nullptr},
    {"symbol", nullptr},
    {"tan", nullptr},
    {"tau", nullptr},
    {"transform", cmd_transform},
    {"transpose", cmd_transpose},
    {"trimzeros", nullptr},
    {"xor", nullptr},
};

constexpr size_t kCaseCount = std::size(kHandlerCases);
static_assert(kCaseCount == 128, "one case for each built-in function");

struct KeyedCase {
    uint64_t key;
    const HandlerCase *handlerCase;
};

// The keys in ascending order, computed once by the compiler.
constexpr std::array<KeyedCase, kCaseCount> kSortedKeys = [] {
    std::array<KeyedCase, kCaseCount> keyed{};
    for (size_t k = 0; k < kCaseCount; k++) keyed[k] = {fnv1a_hash64(kHandlerCases[k].name), &kHandlerCases[k]};
    std::sort(keyed.begin(), keyed.end(), [](const KeyedCase &a, const KeyedCase &b) { return a.key < b.key; });
    return keyed;
}();

constexpr bool keysDistinct() {
    for (size_t k = 1; k < kCaseCount; k++)
        if (kSortedKeys[k - 1].key == kSortedKeys[k].key) return false;
    return true;
}
// Cases are told apart by their keys alone, so no two names may share one.
static_assert(keysDistinct(), "two built-in names share a dispatch key");

} // namespace

std::span<const HandlerCase> builtin_handler_cases() {
    return kHandlerCases;
}

const HandlerCase *find_handler_case(std::string_view name) {
    const uint64_t key = fnv1a_hash64(name);
    auto it = std::lower_bound(kSortedKeys.begin(), kSortedKeys.end(), key,
                               [](const KeyedCase &c, uint64_t k) { return c.key < k; });
    return it != kSortedKeys.end() && it->key == key ? it->handlerCase : nullptr;
}
