#include "bridge/native_bridge.h"

#include <cstdio>
#include <sstream>
#include <string>

#include "BigNumber.h"
#include "bridge/bridge_texts.h"

namespace {

using UnaryMember = std::string &(BigNumber::*)(const std::string &);
using BinaryMember = std::string &(BigNumber::*)(const std::string &, const std::string &);

const char *call_unary(BigNumber *engine, UnaryMember member, const char *x) {
    std::string input = text_or_zero(x);
    return (engine->*member)(input).c_str();
}

const char *call_binary(BigNumber *engine, BinaryMember member, const char *a, const char *b) {
    std::string left = text_or_zero(a);
    std::string right = text_or_zero(b);
    return (engine->*member)(left, right).c_str();
}

} // namespace

const char *calc_bridge_pi(BigNumber *engine, const char *x) {
    return call_unary(engine, &BigNumber::piFunction, x);
}

const char *calc_bridge_exp(BigNumber *engine, const char *x) {
    return engine->exponentialValue(text_or_zero(x)).c_str();
}

const char *calc_bridge_ln(BigNumber *engine, const char *x) {
    return call_unary(engine, &BigNumber::naturalLog, x);
}

const char *calc_bridge_EulerVarphi(BigNumber *engine, const char *x) {
    return call_unary(engine, &BigNumber::euler_phi, x);
}

const char *calc_bridge_cot(BigNumber *engine, const char *x) {
    return call_unary(engine, &BigNumber::cotangent, x);
}

const char *calc_bridge_tan(BigNumber *engine, const char *x) {
    return call_unary(engine, &BigNumber::tangent, x);
}

const char *calc_bridge_cos(BigNumber *engine, const char *x) {
    return call_unary(engine, &BigNumber::cosine, x);
}

const char *calc_bridge_sin(BigNumber *engine, const char *x) {
    return call_unary(engine, &BigNumber::sine, x);
}

const char *calc_bridge_binom(BigNumber *engine, const char *n, const char *k) {
    return call_binary(engine, &BigNumber::binom_value, n, k);
}

int calc_bridge_ispseudoprime(BigNumber *engine, const char *x) {
    return engine->isPseudoprime(text_or_zero(x)) ? 1 : 0;
}

int calc_bridge_isprime_hint(BigNumber *engine, const char *x) {
    std::ostringstream report;
    int verdict = engine->isprimeVerbose(text_or_zero(x), report);
    const std::string text = report.str();
    std::fwrite(text.data(), 1, text.size(), stdout);
    return verdict;
}

int calc_bridge_isprime(BigNumber *engine, const char *x) {
    return engine->isPrime(text_or_zero(x)) ? 1 : 0;
}

const char *calc_bridge_gcd2(BigNumber *engine, const char *a, const char *b) {
    return call_binary(engine, &BigNumber::gcd_with_steps, a, b);
}

const char *calc_bridge_gcd(BigNumber *engine, const char *a, const char *b) {
    return call_binary(engine, &BigNumber::gcd, a, b);
}

const char *calc_bridge_multiplicativeOrder(BigNumber *engine, const char *a, const char *m) {
    return call_binary(engine, &BigNumber::orderModulo, a, m);
}

const char *calc_bridge_biggest_factor(BigNumber *engine, const char *n) {
    return call_unary(engine, &BigNumber::biggest_prime_factor, n);
}

int calc_bridge_tau(BigNumber *engine, const char *n) {
    std::string largestFactor = "1"; // the member's second answer, not wanted here
    return engine->divisor_count(text_or_zero(n), largestFactor);
}

const char *calc_bridge_round(BigNumber *engine, const char *x) {
    return call_unary(engine, &BigNumber::round_real, x);
}

const char *calc_bridge_ceil(BigNumber *engine, const char *x) {
    return call_unary(engine, &BigNumber::ceil_real, x);
}

const char *calc_bridge_floor(BigNumber *engine, const char *x) {
    return call_unary(engine, &BigNumber::floor_real, x);
}

const char *calc_bridge_sqrtn(BigNumber *engine, const char *x, int n) {
    std::string radicand = text_or_zero(x);
    if (n == 2) return engine->sqrt_signed(radicand, false).c_str();
    return engine->complexRootsText(radicand, n, false).c_str();
}

int calc_bridge_setprecision(BigNumber *engine, int digits) {
    if (engine != nullptr && digits > 0) engine->setPrecision(digits);
    return digits;
}
