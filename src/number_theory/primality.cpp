// Primality tests on integer texts. The exact test decides in machine words below 2^64 and
// by strong probable-prime tests above (proven below 3.3e24, Baillie-PSW beyond), so no
// verdict waits for a division loop up to the square root. The random-base tests draw
// their bases from the engine's own generator.
#include <algorithm>

#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "number_theory/number_theory_internal.h"
#include "number_theory/prime_kernels.h"

using namespace engine;

namespace {

// The small-divisor screen: the divisors it tries, in order.
constexpr int kRulePrimes[] = {7, 11, 13, 17, 19};

bool isSmallPrimeText(const std::string &n) {
    static const char *const primes[] = {"2", "3", "5", "7", "11", "13", "17", "19", "23"};
    return std::find(std::begin(primes), std::end(primes), n) != std::end(primes);
}

}  // namespace

bool BigNumber::is_prime_64(uint64_t v) { return ntheory::isPrimeU64(v); }

bool BigNumber::isPrime(const std::string &n) {
    std::string digits;
    if (!ntheory::naturalDigits(std::string(unsignedPart(n)), digits)) return false;
    uint64_t small;
    if (ntheory::toU64(digits, small)) return is_prime_64(small);
    // The trial division inside the test also covers the screen of 2 to 19.
    return ntheory::isProbablePrime(nat::from_decimal(digits));
}

bool BigNumber::isProbablePrime(const std::string &n) {
    if (n == "1") return false;
    int code = smallestSmallDivisor(n);
    if (code >= 2) return false;
    if (code == 1) return true;
    return isPrime(n);
}

bool BigNumber::isComposite(const std::string &n) {
    if (n.size() < 10) return !isPrime(n);
    return isCompositeByLittleFermat(n) || !isPrime(n);
}

bool BigNumber::isCompositeByLittleFermat(const std::string &n) {
    if (n.size() <= 5) return !isPrime(n);
    std::string digits;
    if (!ntheory::naturalDigits(n, digits)) return false;
    nat::Nat N = nat::from_decimal(digits);
    nat::Nat a = nat::from_decimal(randomBase(digits));
    return ntheory::powmodWitness(a, nat::sub(N, nat::Nat{1}), N) != nat::Nat{1};
}

bool BigNumber::millerRabinTest(const std::string &n, int k) {
    std::string digits;
    if (!ntheory::naturalDigits(n, digits)) return false;
    nat::Nat N = nat::from_decimal(digits);
    if (nat::compare(N, nat::Nat{5}) < 0) return N == nat::Nat{2} || N == nat::Nat{3};
    if (ntheory::modSmall(N, 2) == 0) return false;
    // The strong test for each base: the Fermat trial with the square-root witness alone
    // lets every Carmichael number pass.
    int trials = 1 + (k <= 0 ? 50 : k);
    for (int i = 0; i < trials; i++)
        if (!ntheory::strongProbablePrime(N, nat::from_decimal(randomBase(digits)))) return false;
    return true;
}

std::string BigNumber::randomBase(const std::string &n) {
    ntheory::SmallRandom rng{randomState};
    uint64_t r = rng.next();
    randomState = rng.state;
    std::string digits;
    if (!ntheory::naturalDigits(n, digits)) return "2";
    nat::Nat N = nat::from_decimal(digits);
    if (nat::compare(N, nat::Nat{5}) < 0) return "2";
    nat::Nat span = nat::sub(N, nat::Nat{3});  // the bases 2 .. n-2
    uint64_t s;
    nat::Nat base = nat::to_u64(span, s) ? nat::from_u64(r % s) : nat::from_u64(r);
    nat::add_small(base, 2);
    return nat::to_decimal(base);
}

std::string &BigNumber::mr_powmod(const std::string &a, const std::string &e, const std::string &n) {
    std::string A, E, N;
    if (!ntheory::naturalDigits(a, A) || !ntheory::naturalDigits(e, E) ||
        !ntheory::naturalDigits(n, N))
        return result = "NaN";
    if (N == "0") return result = "Inf";  // the remainder by zero of the engine
    nat::Nat r = ntheory::powmodWitness(nat::from_decimal(A), nat::from_decimal(E), nat::from_decimal(N));
    return result = r.empty() ? "0" : nat::to_decimal(r);
}

uint64_t BigNumber::powmod_u64(uint64_t a, uint64_t e, uint64_t m) {
    if (m <= 1) return 0;
    using u128 = unsigned __int128;
    uint64_t r = 1, x = a % m;
    for (; e; e >>= 1) {
        if (e & 1) r = uint64_t(u128(r) * x % m);
        uint64_t y = x;
        x = uint64_t(u128(y) * y % m);
        if (x == 1 && y != 1 && y != m - 1) return m;
    }
    return r;
}

bool BigNumber::isPseudoprime(const std::string &n) {
    std::string digits;
    if (!ntheory::naturalDigits(n, digits) || digits == "0" || digits == "1") return false;
    nat::Nat N = nat::from_decimal(digits);
    if (ntheory::powmodWitness(nat::Nat{2}, nat::sub(N, nat::Nat{1}), N) != nat::Nat{1}) return false;
    return !isPrime(digits);
}

bool BigNumber::isDivisibleBy3(const std::string &n) {
    unsigned sum = 0;
    for (char c : n)
        if (isDigit(c)) sum += unsigned(c - '0') % 3;
    return sum % 3 == 0;
}

bool BigNumber::isDivisibleBy5(const std::string &n) { return !n.empty() && (n.back() == '0' || n.back() == '5'); }

bool BigNumber::divisibleBySmallPrimeRule(const std::string &n, int p) {
    // The last-digit rules (a + k b for n = 10 a + b) keep exactly the divisibility by p,
    // so one remainder over the limbs gives the same answer.
    if (std::find(std::begin(kRulePrimes), std::end(kRulePrimes), p) == std::end(kRulePrimes)) return false;
    if (n.empty() || !allDigits(n)) return false;
    return ntheory::modSmall(nat::from_decimal(n), uint32_t(p)) == 0;
}

int BigNumber::smallestSmallDivisor(const std::string &n) {
    if (n.empty() || !allDigits(n)) return 0;
    if (isSmallPrimeText(n)) return 1;
    if (isEven(n)) return 2;
    if (isDivisibleBy3(n)) return 3;
    if (n.back() == '5') return 5;
    for (int p : kRulePrimes)
        if (divisibleBySmallPrimeRule(n, p)) return p;
    return 0;
}

bool BigNumber::isMersenneForm(const std::string &s, std::string &p) {
    p = "0";
    if (s.size() < 5 || s.substr(0, 2) + s.substr(s.size() - 2) != "2^-1") return false;
    std::string exponent = s.substr(2, s.size() - 4);
    if (!allDigits(exponent)) return false;
    if (!isPrime(exponent)) {
        p = "1";  // the shape of a Mersenne number with an exponent that is no prime
        return false;
    }
    p = exponent;
    return true;
}

bool BigNumber::lucasLehmerTest(const std::string &s, std::string &m) {
    EvalInfixExpression(s, m);
    std::string p;
    if (!isMersenneForm(s, p)) return false;
    uint64_t exponent;
    if (!allDigits(m) || m.empty() || !ntheory::toU64(stripLeadingZeros(p), exponent)) return false;
    nat::Nat M = nat::from_decimal(m);
    ntheory::Words w = ntheory::toWords(M);
    if (ntheory::bitLength(w) != exponent) return false;  // not the value 2^p - 1
    // t -> t^2 - 2 for p - 2 rounds from t = 4; the exponent 2 runs none and stays 4
    return ntheory::withMontgomery(w, [&](const auto &mont) {
        auto t = mont.from(4), two = mont.from(2);
        for (uint64_t i = 1; i + 1 < exponent; i++) t = mont.sub(mont.sqr(t), two);
        return mont.isZero(t);
    });
}
