// Arithmetic modulo an odd number on binary 64-bit words in Montgomery form: the kernel
// under the primality tests and the factor searches. A residue x is held as x*R mod n with
// R = 2^(64k); a product then needs no division, only word products and one reduction.
// `Montgomery<K>` keeps its residues in fixed arrays of K words (the loops unroll); K = 0
// is the same arithmetic on vectors for any length.
#pragma once

#include <array>
#include <cstdint>
#include <type_traits>
#include <vector>

#include "nat/nat.h"
#include "stop_request.h"

namespace ntheory {

using u64 = uint64_t;
using u128 = unsigned __int128;

// A binary natural number: words least significant first, no zero word at the top.
using Words = std::vector<u64>;

Words toWords(const nat::Nat &a);
nat::Nat fromWords(const Words &w);
// Powers of a modulus of at least this many words look at a stop request at each step.
constexpr size_t kStopCheckedWords = 4;

inline bool testBit(const Words &w, size_t i) { return i / 64 < w.size() && (w[i / 64] >> (i % 64) & 1); }
size_t bitLength(const Words &w);

template <size_t K> class Montgomery {
public:
    using Res = std::conditional_t<K == 0, Words, std::array<u64, K>>;

    // `modulus` odd, above 1, of at most K words when K is fixed.
    explicit Montgomery(const Words &modulus) : k(K ? K : modulus.size()) {
        n = blank();
        for (size_t i = 0; i < modulus.size(); i++) n[i] = modulus[i];
        // -n^-1 mod 2^64 by Newton's iteration: each step doubles the correct low bits.
        u64 inv = n[0];
        for (int i = 0; i < 6; i++) inv *= 2 - n[0] * inv;
        ninv = ~inv + 1;
        // R mod n and R^2 mod n by doubling 1 modulo n.
        Res x = blank();
        x[0] = 1;
        for (size_t i = 0; i < 64 * k; i++) x = add(x, x);
        r1 = x;
        for (size_t i = 0; i < 64 * k; i++) x = add(x, x);
        r2 = x;
    }

    size_t size() const { return K ? K : k; }
    const Res &modulus() const { return n; }
    Res one() const { return r1; }
    Res zero() const { return blank(); }

    Res mul(const Res &a, const Res &b) const {
        Res r = blank();
        if constexpr (K == 1) {
            // one word: (t + m n) / 2^64, where the low words of t and m n cancel, with a
            // carry exactly when the low word of t is not zero
            u128 t = u128(a[0]) * b[0];
            u64 lo = u64(t), m = lo * ninv;
            u128 s = (t >> 64) + ((u128(m) * n[0]) >> 64) + (lo != 0);
            u64 v = u64(s);
            if ((s >> 64) || v >= n[0]) v -= n[0];
            r[0] = v;
        } else if constexpr (K == 2) {
            // the word-by-word reduction of the general case, written out for two words
            u64 t0, t1, t2, c;
            u128 s = u128(a[0]) * b[0];
            t0 = u64(s);
            s = u128(a[1]) * b[0] + u64(s >> 64);
            t1 = u64(s);
            t2 = u64(s >> 64);
            u64 m = t0 * ninv;
            s = u128(m) * n[0] + t0;
            s = u128(m) * n[1] + t1 + u64(s >> 64);
            t0 = u64(s);
            s = u128(t2) + u64(s >> 64);
            t1 = u64(s);
            t2 = u64(s >> 64);
            s = u128(a[0]) * b[1] + t0;
            t0 = u64(s);
            s = u128(a[1]) * b[1] + t1 + u64(s >> 64);
            t1 = u64(s);
            s = u128(t2) + u64(s >> 64);
            t2 = u64(s);
            c = u64(s >> 64);
            m = t0 * ninv;
            s = u128(m) * n[0] + t0;
            s = u128(m) * n[1] + t1 + u64(s >> 64);
            t0 = u64(s);
            s = u128(t2) + u64(s >> 64);
            t1 = u64(s);
            t2 = c + u64(s >> 64);
            r[0] = t0;
            r[1] = t1;
            if (t2 || !below(r.data(), n.data())) subtractModulus(r.data());
        } else if constexpr (K > 0) {
            std::array<u64, K + 2> t{};
            reduceProduct(a.data(), b.data(), t.data(), r.data());
        } else {
            std::vector<u64> t(k + 2, 0);
            reduceProduct(a.data(), b.data(), t.data(), r.data());
        }
        return r;
    }
    Res sqr(const Res &a) const { return mul(a, a); }

    Res add(const Res &a, const Res &b) const {
        Res r = blank();
        u64 carry = 0;
        for (size_t i = 0; i < size(); i++) {
            u128 s = u128(a[i]) + b[i] + carry;
            r[i] = u64(s);
            carry = u64(s >> 64);
        }
        if (carry || !below(r.data(), n.data())) subtractModulus(r.data());
        return r;
    }

    Res sub(const Res &a, const Res &b) const {
        Res r = blank();
        u64 borrow = 0;
        for (size_t i = 0; i < size(); i++) {
            u128 d = u128(a[i]) - b[i] - borrow;
            r[i] = u64(d);
            borrow = u64(d >> 64) & 1;
        }
        if (borrow) {
            u64 carry = 0;
            for (size_t i = 0; i < size(); i++) {
                u128 s = u128(r[i]) + n[i] + carry;
                r[i] = u64(s);
                carry = u64(s >> 64);
            }
        }
        return r;
    }

    // a / 2 modulo n (n is odd, so an odd a is made even by adding n).
    Res half(const Res &a) const {
        Res r = a;
        u64 carry = 0;
        if (r[0] & 1) {
            for (size_t i = 0; i < size(); i++) {
                u128 s = u128(r[i]) + n[i] + carry;
                r[i] = u64(s);
                carry = u64(s >> 64);
            }
        }
        for (size_t i = 0; i < size(); i++) {
            u64 next = i + 1 < size() ? r[i + 1] : carry;
            r[i] = r[i] >> 1 | next << 63;
        }
        return r;
    }

    // Into Montgomery form: any w below R (every value of at most size() words).
    Res from(const Words &w) const {
        Res a = blank();
        for (size_t i = 0; i < w.size() && i < size(); i++) a[i] = w[i];
        return mul(a, r2);
    }
    Res from(u64 v) const {
        Res a = blank();
        a[0] = v;
        return mul(a, r2);
    }
    // Out of Montgomery form.
    Words value(const Res &a) const {
        Res one1 = blank();
        one1[0] = 1;
        Res v = mul(a, one1);
        Words w(v.begin(), v.end());
        while (!w.empty() && w.back() == 0) w.pop_back();
        return w;
    }

    static bool equal(const Res &a, const Res &b) { return a == b; }
    bool isZero(const Res &a) const {
        for (size_t i = 0; i < size(); i++)
            if (a[i]) return false;
        return true;
    }

    // base^e by a sliding window of four bits over e (left to right).
    Res pow(const Res &base, const Words &e) const {
        size_t bits = bitLength(e);
        if (bits == 0) return one();
        std::array<Res, 8> odd;  // base^1, base^3, ..., base^15
        odd[0] = base;
        Res b2 = sqr(base);
        for (size_t i = 1; i < odd.size(); i++) odd[i] = mul(odd[i - 1], b2);
        Res r = one();
        bool started = false;
        for (size_t i = bits; i-- > 0;) {
            // a power of a long modulus (a primality test of thousands of digits) takes seconds
            if (size() >= kStopCheckedWords) engineStopPoint();
            if (!testBit(e, i)) {
                if (started) r = sqr(r);
                continue;
            }
            // the longest window of at most four bits from bit i down that ends in a 1
            size_t low = i >= 3 ? i - 3 : 0;
            while (!testBit(e, low)) low++;
            size_t window = 0;
            for (size_t j = i + 1; j-- > low;) window = window << 1 | (testBit(e, j) ? 1 : 0);
            if (started)
                for (size_t j = low; j <= i; j++) r = sqr(r);
            r = started ? mul(r, odd[window / 2]) : odd[window / 2];
            started = true;
            i = low;
        }
        return r;
    }

private:
    Res blank() const {
        if constexpr (K > 0) return Res{};
        else return Res(k, 0);
    }

    static bool belowWords(const u64 *a, const u64 *b, size_t len) {
        for (size_t i = len; i-- > 0;)
            if (a[i] != b[i]) return a[i] < b[i];
        return false;
    }
    bool below(const u64 *a, const u64 *b) const { return belowWords(a, b, size()); }

    void subtractModulus(u64 *a) const {
        u64 borrow = 0;
        for (size_t i = 0; i < size(); i++) {
            u128 d = u128(a[i]) - n[i] - borrow;
            a[i] = u64(d);
            borrow = u64(d >> 64) & 1;
        }
    }

    // r = a*b/R mod n, interleaving the product and the reduction word by word; t holds
    // size()+2 zeroed words.
    void reduceProduct(const u64 *a, const u64 *b, u64 *t, u64 *r) const {
        const size_t len = size();
        for (size_t i = 0; i < len; i++) {
            u64 c = 0;
            for (size_t j = 0; j < len; j++) {
                u128 s = u128(a[j]) * b[i] + t[j] + c;
                t[j] = u64(s);
                c = u64(s >> 64);
            }
            u128 s = u128(t[len]) + c;
            t[len] = u64(s);
            t[len + 1] = u64(s >> 64);
            u64 m = t[0] * ninv;
            s = u128(m) * n[0] + t[0];
            c = u64(s >> 64);
            for (size_t j = 1; j < len; j++) {
                s = u128(m) * n[j] + t[j] + c;
                t[j - 1] = u64(s);
                c = u64(s >> 64);
            }
            s = u128(t[len]) + c;
            t[len - 1] = u64(s);
            t[len] = t[len + 1] + u64(s >> 64);
        }
        // t < 2n: one subtraction at most
        if (t[len] || !below(t, n.data())) {
            u64 borrow = 0;
            for (size_t i = 0; i < len; i++) {
                u128 d = u128(t[i]) - n[i] - borrow;
                t[i] = u64(d);
                borrow = u64(d >> 64) & 1;
            }
        }
        for (size_t i = 0; i < len; i++) r[i] = t[i];
    }

    size_t k;
    Res n{}, r1{}, r2{};
    u64 ninv = 0;
};

// Calls f(Montgomery<K>&) with the smallest arithmetic that holds the odd modulus n > 1.
template <class F> decltype(auto) withMontgomery(const Words &n, F &&f) {
    switch (n.size()) {
    case 1: { Montgomery<1> m(n); return f(m); }
    case 2: { Montgomery<2> m(n); return f(m); }
    case 3: { Montgomery<3> m(n); return f(m); }
    case 4: { Montgomery<4> m(n); return f(m); }
    case 5:
    case 6: { Montgomery<6> m(n); return f(m); }
    case 7:
    case 8: { Montgomery<8> m(n); return f(m); }
    default: { Montgomery<0> m(n); return f(m); }
    }
}

}  // namespace ntheory
