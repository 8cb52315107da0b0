// Modular powers and the multiplicative order.
#include <iostream>
#include <vector>

#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "nat/nat.h"
#include "number_theory/number_theory_internal.h"
#include "number_theory/routines_internal.h"
#include "number_theory/word_factor.h"

using namespace engine;
using routines::integerText;
using routines::readInteger;

namespace {

nat::Nat remainderOf(const nat::Nat &a, const nat::Nat &m) {
    nat::Nat q, r;
    nat::divmod(a, m, q, r);
    return r;
}

// b^e mod m for m > 0, right to left over the bits of e; on machine words when m and e fit.
nat::Nat powerModulo(nat::Nat b, nat::Nat e, const nat::Nat &m) {
    uint64_t m64, e64, b64;
    if (nat::to_u64(m, m64) && nat::to_u64(e, e64) && nat::to_u64(remainderOf(b, m), b64)) {
        using u128 = unsigned __int128;
        uint64_t r = 1 % m64;
        for (; e64; e64 >>= 1) {
            if (e64 & 1) r = uint64_t(u128(r) * b64 % m64);
            b64 = uint64_t(u128(b64) * b64 % m64);
        }
        return nat::from_u64(r);
    }
    nat::Nat r = remainderOf(nat::Nat{1}, m);
    b = remainderOf(b, m);
    while (!nat::is_zero(e)) {
        nat::Nat half;
        if (nat::divmod_small(e, 2, half)) r = remainderOf(nat::mul(r, b), m);
        e.swap(half);
        if (!nat::is_zero(e)) b = remainderOf(nat::sqr(b), m);
    }
    return r;
}

}  // namespace

// base^power mod N with the remainder of the engine (non-negative, the sign of N not
// looked at). The power 0 answers 1 whatever N is; N zero has no remainder ("Inf"). A
// negative power is refused: stepping its digits would silently take its absolute value.
std::string &BigNumber::int_expmod(const std::string &base, const std::string &power, const std::string &N) {
    nat::Nat b, e, m;
    bool bNegative, eNegative, mNegative;
    if (!readInteger(base, b, bNegative) || !readInteger(power, e, eNegative) || !readInteger(N, m, mNegative))
        return result = "NaN";
    if (eNegative) return result = "Error: the exponent of a modular power should not be negative.";
    if (nat::is_zero(e)) return result = "1";
    if (nat::is_zero(m)) return result = "Inf";
    nat::Nat r = powerModulo(b, e, m);
    // (-b)^e is -(b^e) for odd e; the remainder of a negative value is taken from above
    if (bNegative && (e[0] & 1) && !nat::is_zero(r)) r = nat::sub(m, r);
    return result = integerText(r, false);
}

namespace {

// The distinct primes of m (m > 1), or false with the search's answer in `message`.
bool distinctPrimes(const nat::Nat &m, std::vector<nat::Nat> &primes, std::string &message) {
    std::vector<nat::Nat> all;
    if (!ntheory::primeFactors(nat::to_decimal(m), all, message)) return false;
    primes.clear();
    for (auto &[p, e] : ntheory::runsOf(all)) primes.push_back(p);
    return true;
}

}  // namespace

// The smallest k >= 1 with a^k = 1 (mod m). It divides phi(m): starting from phi(m), every
// prime factor is taken out while the power stays 1, which finds the same k as trying
// k = 1, 2, ... without a walk that grows with m. The order modulo 1 is 1.
std::string &BigNumber::orderModulo(const std::string &a, const std::string &m) {
    nat::Nat A, M;
    bool aNegative, mNegative;
    if (!readInteger(a, A, aNegative) || !readInteger(m, M, mNegative)) return result = "NaN";
    if (nat::is_zero(M)) {
        std::cout << "The modulus should not be 0." << std::endl;
        return result = "";
    }
    if (!(nat::gcd(A, M) == nat::Nat{1})) {
        std::cout << "The number " << a << " and " << m << " should be coprime." << std::endl;
        return result = "";
    }
    if (M == nat::Nat{1}) return result = "1";
    if (aNegative) A = nat::sub(M, remainderOf(A, M));  // a residue that is not 0 (coprime)
    if (uint64_t m64, a64; nat::to_u64(M, m64) && nat::to_u64(remainderOf(A, M), a64))
        return result = std::to_string(ntheory::wordOrder(a64, m64));
    std::vector<nat::Nat> primes;
    std::string message;
    if (!distinctPrimes(M, primes, message)) return result = message;
    nat::Nat phi = M;
    for (auto &p : primes) {
        nat::Nat q, r;
        nat::divmod(phi, p, q, r);
        phi = nat::sub(phi, q);
    }
    if (!distinctPrimes(phi, primes, message)) return result = message;
    nat::Nat order = phi;
    for (auto &p : primes) {
        for (nat::Nat q, r;;) {
            nat::divmod(order, p, q, r);
            if (!nat::is_zero(r) || !(powerModulo(A, q, M) == nat::Nat{1})) break;
            order.swap(q);
        }
    }
    return result = integerText(order, false);
}
