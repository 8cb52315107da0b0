// Machine-word number theory without limb numbers: Montgomery products modulo an odd word,
// primality by strong tests to as few bases as prove it for the size, factorisation by
// trial division and Pollard-Brent rho, and the multiplicative order from the factored
// group order. 128-bit products throughout; no division in the inner loops.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace ntheory {

// Residues modulo an odd n > 1 in Montgomery form x 2^64 mod n.
class WordModulus {
public:
    explicit WordModulus(uint64_t odd);
    uint64_t modulus() const { return n; }
    uint64_t one() const { return r1; }
    uint64_t from(uint64_t x) const { return mul(x % n, r2); }
    uint64_t mul(uint64_t a, uint64_t b) const {
        // (t + m n) / 2^64, where the low words of t and m n cancel, with a carry exactly when
        // the low word of t is not zero
        unsigned __int128 t = (unsigned __int128)a * b;
        uint64_t lo = uint64_t(t), m = lo * ninv;
        unsigned __int128 s = (t >> 64) + (((unsigned __int128)m * n) >> 64) + (lo != 0);
        uint64_t v = uint64_t(s);
        if ((s >> 64) || v >= n) v -= n;
        return v;
    }
    uint64_t pow(uint64_t base, uint64_t e) const;  // base and the answer in Montgomery form
    // out[i] = base[i]^e for i < count, the chains side by side so that the products of one
    // overlap the latency of the others' (e > 0)
    void powMany(const uint64_t *base, uint64_t *out, size_t count, uint64_t e) const;

private:
    uint64_t n, ninv, r1, r2;
};

// The strong tests below the known bounds of the first prime bases, the seven bases that
// decide every word above them.
bool isPrimeWord(uint64_t n);

// Prime factors of n, ascending with repetition (none for 0 and 1).
std::vector<uint64_t> wordPrimeFactors(uint64_t n);

// The smallest k >= 1 with a^k = 1 (mod m), for m > 1 and a prime to m.
uint64_t wordOrder(uint64_t a, uint64_t m);

}  // namespace ntheory
