// Primality of machine words and of limb numbers, the table of small primes, and the
// engine's own small random generator (the same draws on every platform).
#pragma once

#include <cstdint>
#include <vector>

#include "nat/nat.h"
#include "number_theory/montgomery.h"

namespace ntheory {

// Below this bound the strong test to the first thirteen primes as bases is a proof.
constexpr const char *kProvenMillerRabinBound = "3317044064679887385961981";
// Primes below this bound form the trial-division table.
constexpr uint32_t kSmallPrimeBound = 1 << 16;

const std::vector<uint32_t> &smallPrimes();  // ascending, all below kSmallPrimeBound

uint32_t modSmall(const nat::Nat &a, uint32_t d);  // a mod d, for 0 < d < 2^32
// a mod d[j] for `count` (at most kModSmallMany) moduli 0 < d[j] < kModSmallManyBound at once.
constexpr size_t kModSmallMany = 16;
constexpr uint32_t kModSmallManyBound = 1u << 23;
void modSmallMany(const nat::Nat &a, const uint32_t *d, size_t count, uint32_t *out);
nat::Nat natMod(const nat::Nat &a, const nat::Nat &n);  // n > 0

bool isPrimeU64(u64 n);
// Exact below kProvenMillerRabinBound; above it the Baillie-PSW test (a strong test to
// base 2 and a strong Lucas test), which no composite is known to pass.
bool isProbablePrime(const nat::Nat &n);
bool isPerfectSquare(const nat::Nat &n);
// The strong probable-prime test of the odd n > 3 to the base a (1 < a < n - 1).
bool strongProbablePrime(const nat::Nat &n, const nat::Nat &a);
// The smallest prime below `bound` (at most kSmallPrimeBound) that divides n, or 0.
uint32_t smallFactor(const nat::Nat &n, uint32_t bound);

// a^e mod n from the low bits of e up; n itself (never 1 for n > 1) when a square x^2 = 1
// (mod n) turns up with x neither 1 nor n - 1, the sign of a composite n. n must be > 0.
nat::Nat powmodWitness(const nat::Nat &a, const nat::Nat &e, const nat::Nat &n);

// Jacobi symbol (a/m) for an odd m > 0.
int jacobi(u64 a, u64 m);

// splitmix64: small, fast and the same on every platform, unlike the runtime's rand.
struct SmallRandom {
    u64 state;
    u64 next() {
        u64 z = (state += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }
};

// Words helpers for exponents.
Words shiftRight(const Words &w, size_t bits);
Words addOne(Words w);

}  // namespace ntheory
