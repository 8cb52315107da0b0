// Arithmetic functions of integer texts: Euler's function, the Mobius function, the
// divisor count and the largest prime factor from the complete factorisation, the exact
// multiplicity of a divisor, and the prime powers of n! by Legendre's formula.
#include <vector>

#include "BigNumber.h"
#include "nat/nat.h"
#include "number_routines.h"
#include "number_theory/number_theory_internal.h"
#include "number_theory/routines_internal.h"
#include "tools.h"

// How many times p divides n (0 for n = 0, and for anything but an integer). A p below 2
// divides forever or not at all: refused with the message of the p-adic functions.
int BigNumber::count_exact_divisions(const std::string &n, int64_t p) {
    if (p < 2) {
        outStream << padic_prime_error(p) << std::endl;
        return 0;
    }
    nat::Nat m;
    bool negative;
    if (!routines::readInteger(n, m, negative) || nat::is_zero(m)) return 0;
    nat::Nat P = nat::from_u64(uint64_t(p));
    int count = 0;
    for (nat::Nat q, r;; count++) {
        nat::divmod(m, P, q, r);
        if (!nat::is_zero(r)) break;
        m.swap(q);
    }
    return count;
}

// phi(n) = n times (1 - 1/p) over the distinct primes p; phi(1) = 1, the empty product (1 is
// coprime to itself).
std::string &BigNumber::euler_phi(const std::string &n) {
    std::string digits, message;
    std::vector<nat::Nat> primes;
    if (!ntheory::naturalFactors(n, digits, primes, message)) return result = message;
    nat::Nat r = nat::from_decimal(digits);
    for (auto &[p, e] : ntheory::runsOf(primes)) {
        nat::Nat q, rem;
        nat::divmod(r, p, q, rem);
        r = nat::sub(r, q);
    }
    return result = routines::integerText(r, false);
}

// 1 for 0 and 1, 0 for a square factor, else -1 to the number of primes. A text that
// cannot be factorised answers 0 with its message in the engine's text stream.
int BigNumber::mobius_value(const std::string &n) {
    std::string digits, message;
    std::vector<nat::Nat> primes;
    if (!ntheory::naturalFactors(n, digits, primes, message)) {
        outStream << message << std::endl;
        return 0;
    }
    auto runs = ntheory::runsOf(primes);
    for (auto &[p, e] : runs)
        if (e > 1) return 0;
    return runs.size() % 2 ? -1 : 1;
}

// The largest prime factor; n itself for 0, 1 and a prime.
std::string &BigNumber::biggest_prime_factor(const std::string &n) {
    std::string digits, message;
    std::vector<nat::Nat> primes;
    if (!ntheory::naturalFactors(n, digits, primes, message)) return result = message;
    return result = primes.empty() ? digits : nat::to_decimal(primes.back());
}

// The number of divisors, and the largest prime factor in `largest`. 1 has one divisor (and
// itself as largest); 0 has no finite count, answered 0. A text that cannot be factorised
// answers 0 with its message in the engine's text stream, `largest` unchanged.
int BigNumber::divisor_count(const std::string &n, std::string &largest) {
    std::string digits, message;
    std::vector<nat::Nat> primes;
    if (!ntheory::naturalFactors(n, digits, primes, message)) {
        outStream << message << std::endl;
        return 0;
    }
    if (primes.empty()) {
        largest = digits;
        return digits == "1" ? 1 : 0;
    }
    int tau = 1;
    for (auto &[p, e] : ntheory::runsOf(primes)) tau *= e + 1;
    largest = nat::to_decimal(primes.back());
    return tau;
}

namespace {

// The exponent of each prime p <= N in N! (Legendre: the sum of N div p^k), the primes from
// the engine's table, refilled when it does not reach N.
std::vector<std::pair<uint64_t, uint64_t>> factorialPowers(BigNumber &bn, uint64_t N) {
    if (N >= 2 && (bn.primeTable.empty() || bn.primeTable.back() < N)) bn.Primes(int64_t(N), false);
    std::vector<std::pair<uint64_t, uint64_t>> powers;
    for (uint64_t p : bn.primeTable) {
        if (p > N) break;
        uint64_t e = 0;
        for (uint64_t q = N / p; q > 0; q /= p) e += q;
        powers.emplace_back(p, e);
    }
    return powers;
}

// n! for a digit text, or the refusal: a text that is no digit text, or a factorial the
// engine will not write out.
bool factorialValue(BigNumber &bn, const std::string &n, uint64_t &N, std::string &value) {
    std::string digits;
    int64_t v;
    if (!ntheory::naturalDigits(n, digits)) {
        value = ntheory::notNaturalText(n);
        return false;
    }
    value = checkedInt64(digits, 0, INT64_MAX, v) && v < 2 ? "1" : bn.falling_factorial(digits, "1");
    if (isMessageText(value)) return false;
    N = uint64_t(v);
    return true;
}

}  // namespace

std::string &BigNumber::factorial_factorization(const std::string &n) {
    uint64_t N;
    std::string value;
    if (!factorialValue(*this, n, N, value)) return result = value;
    std::string text;
    for (auto &[p, e] : factorialPowers(*this, N)) text += std::to_string(p) + "^" + std::to_string(e) + "*";
    if (!text.empty()) text.pop_back();
    outStream << "expr> " << text << std::endl;
    return result = value;
}

std::string &BigNumber::factorial_decomposition(const std::string &n) {
    uint64_t N;
    std::string value;
    if (!factorialValue(*this, n, N, value)) return result = value;
    outStream << "expr = ";
    const char *separator = "";
    for (auto &[p, e] : factorialPowers(*this, N)) {
        outStream << separator << p << "^" << e;
        separator = "*";
    }
    outStream << "\n" << std::endl;
    return result = value;
}
