// The natives of number theory: divisors, factors, orders, gcds, primality and the list of
// primes.
#include <cctype>
#include <charconv>
#include <cstdio>
#include <string>
#include <vector>

#include "BigNumber.h"
#include "bridge/native_bridge.h"
#include "natives/native_functions.h"
#include "natives/native_support.h"
#include "object.h"
#include "vm/vm.h"

namespace {

// The last argument that asks isprime and ispseudoprime to report on the others.
constexpr const char *HINT_WORD = "hint";

// An integer text without its sign and leading zeros: the gcd does not see either. Other
// texts stay as they are, for the engine to answer.
std::string magnitude(const std::string &text) {
    size_t start = !text.empty() && (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (start == text.size() || text.find_first_not_of("0123456789", start) != std::string::npos) return text;
    start = text.find_first_not_of('0', start);
    return start == std::string::npos ? "0" : text.substr(start);
}

// The gcd of all arguments, folded from the first; it stops at a gcd of "1", which no further
// argument can change. The gcd of zeros is 0.
ScriptValue gcd_fold(const char *native, int argCount, const ScriptValue *args, BinaryTextBridge bridge) {
    if (argCount < 2) return native_string("1");
    std::vector<std::string> texts;
    if (!native_texts(native, argCount, args, texts)) return VALUE_NIL;
    for (std::string &text : texts) text = magnitude(text);
    std::string gcd = texts[0];
    std::string answer;
    size_t characters = 0;
    for (size_t i = 1; i < texts.size(); ++i) {
        answer = gcd == "0" && texts[i] == "0" ? "0" : bridge(vm_engine, gcd.c_str(), texts[i].c_str());
        characters += gcd.size() + texts[i].size();
        if (answer == "1") break;
        gcd = answer;
    }
    return native_engine_answer(answer.c_str(), characters);
}

using FlagBridge = int (*)(BigNumber *, const char *);

// How a primality native tests one text, and how it tests and reports one with "hint".
struct PrimalityRule {
    const char *native;
    FlagBridge test;
    int (*testAndReport)(const std::string &text);
};

int isprime_report(const std::string &text) {
    return calc_bridge_isprime_hint(vm_engine, text.c_str());
}

int ispseudoprime_report(const std::string &text) {
    if (calc_bridge_ispseudoprime(vm_engine, text.c_str()) != 1) return 0;
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fputs(" is a pseudo prime.\n", stdout);
    return 1;
}

// One argument: true or false. More: how many pass, or with "hint" last, the sum of the
// reports on the others.
ScriptValue primality_native(const PrimalityRule &rule, int argCount, const ScriptValue *args) {
    if (argCount == 0) return native_number(0);
    std::vector<std::string> texts;
    if (!native_texts(rule.native, argCount, args, texts)) return VALUE_NIL;
    size_t characters = 0;
    for (const std::string &text : texts) characters += text.size();
    if (!native_spend(characters)) return VALUE_NIL;
    if (argCount == 1) return value_from_bool(rule.test(vm_engine, texts[0].c_str()) == 1);
    int sum = 0;
    if (texts.back() == HINT_WORD) {
        texts.pop_back();
        for (const std::string &text : texts) sum += rule.testAndReport(text);
    } else {
        for (const std::string &text : texts) sum += rule.test(vm_engine, text.c_str()) == 1 ? 1 : 0;
    }
    return native_number(sum);
}

constexpr PrimalityRule ISPRIME = {"isprime", calc_bridge_isprime, isprime_report};
constexpr PrimalityRule ISPSEUDOPRIME = {"ispseudoprime", calc_bridge_ispseudoprime, ispseudoprime_report};

// Appends the primes up to n to the list as decimal strings, from the sieve of the run's
// engine: its prime table then holds them, as after the calculator's Primes command, so
// that p(n) and index_of_prime find them whichever road answered the line.
void append_primes(ListObject *list, int n) {
    if (vm_engine == nullptr || vm_engine->Primes(n, false) <= 0) return;
    for (uint64_t prime : vm_engine->primeTable) {
        char digits[24];
        auto written = std::to_chars(digits, digits + sizeof digits, prime);
        auto length = static_cast<int>(written.ptr - digits);
        vm_push(value_from_object(string_copy(digits, length))); // reachable while the list grows
        list_append(list, vm_peek(0));
        vm_pop();
    }
}

} // namespace

ScriptValue native_tau(int argCount, ScriptValue *args) {
    if (argCount != 1) return native_number(0);
    std::string n;
    if (!native_text("tau", args, 0, n)) return VALUE_NIL;
    if (!native_spend(n.size())) return VALUE_NIL;
    return native_number(calc_bridge_tau(vm_engine, n.c_str()));
}

ScriptValue native_biggest_factor(int argCount, ScriptValue *args) {
    return native_unary("biggest_factor", argCount, args, calc_bridge_biggest_factor, "1");
}

// No order (a modulus of 0, or a and m not coprime) is an error of the call.
ScriptValue native_multiplicativeOrder(int argCount, ScriptValue *args) {
    if (argCount != 2) return native_string("1");
    std::vector<std::string> texts;
    if (!native_texts("multiplicativeOrder", argCount, args, texts)) return VALUE_NIL;
    const char *order = calc_bridge_multiplicativeOrder(vm_engine, texts[0].c_str(), texts[1].c_str());
    if (*order == '\0') {
        vm_runtime_error("multiplicativeOrder: %s has no order modulo %s.", texts[0].c_str(), texts[1].c_str());
        return VALUE_NIL;
    }
    return native_engine_answer(order, texts[0].size() + texts[1].size());
}

ScriptValue native_gcd(int argCount, ScriptValue *args) {
    return gcd_fold("gcd", argCount, args, calc_bridge_gcd);
}

ScriptValue native_gcd2(int argCount, ScriptValue *args) {
    return gcd_fold("gcd2", argCount, args, calc_bridge_gcd2);
}

ScriptValue native_isprime(int argCount, ScriptValue *args) {
    return primality_native(ISPRIME, argCount, args);
}

ScriptValue native_ispseudoprime(int argCount, ScriptValue *args) {
    return primality_native(ISPSEUDOPRIME, argCount, args);
}

ScriptValue native_EulerVarphi(int argCount, ScriptValue *args) {
    return native_unary("EulerVarphi", argCount, args, calc_bridge_EulerVarphi, "error");
}

namespace {

// The second argument of Primes turns the list off, as the calculator's listing flag does:
// false, or a text other than "true" and "yes" (in any case).
bool listing_off(ScriptValue flag) {
    if (value_is_bool(flag)) return !value_as_bool(flag);
    const char *chars = native_chars(flag);
    if (chars == nullptr) return false;
    std::string word(chars);
    for (char &c : word) c = char(std::tolower(static_cast<unsigned char>(c)));
    return word != "true" && word != "yes";
}

} // namespace

// Primes(n): a new list of the primes up to n; Primes(n, flag) with the listing off: their
// number. Either way the run's engine keeps them in its prime table. An n that is no int is
// an error of the call.
ScriptValue native_Primes(int argCount, ScriptValue *args) {
    if (argCount != 1 && argCount != 2) return value_from_object(new_list());
    const char *chars = native_chars(args[0]);
    if (chars == nullptr) return native_number(0);
    int n = 0;
    bool decimalInt = value_parse_int(chars, &n) == PARSE_INT_OK;
    // The sieve's work is paid for by the numbers it looks at.
    if (decimalInt && n > 1 && !native_spend(static_cast<size_t>(n))) return VALUE_NIL;
    if (!decimalInt) {
        vm_runtime_error("Primes: %s is not a bound the sieve takes.", chars);
        return VALUE_NIL;
    }
    if (argCount == 2 && listing_off(args[1])) {
        const int64_t count = vm_engine == nullptr ? 0 : vm_engine->Primes(n, false);
        return native_number(static_cast<double>(count > 0 ? count : 0));
    }
    ListObject *list = new_list();
    vm_push(value_from_object(list));
    append_primes(list, n);
    vm_pop();
    return value_from_object(list);
}
