// Series with rational term ratios, summed exactly by binary splitting.
//
// For terms t_k = t_(k-1) * p(k)/q(k) (t_0 = 1), the sum over k in [lo, hi) of the
// products p(lo)...p(k) / q(lo)...q(k) is T/Q with
//   leaf:  P = p(k), Q = q(k), T = p(k)
//   merge: P = P1 P2, Q = Q1 Q2, T = T1 Q2 + P1 T2
// so n terms cost a few products of numbers of the answer's size instead of n divisions
// at full precision. p(k) may be negative (sine and cosine alternate).
#include <cmath>
#include <initializer_list>
#include <map>
#include <utility>
#include <vector>

#include "elementary/real_elementary.h"

namespace realfn {
namespace {

using nat::Nat;

struct Signed {
    Nat m;
    bool negative = false;
};

Signed product(const Signed &a, const Signed &b) {
    Signed r{nat::mul(a.m, b.m), a.negative != b.negative};
    if (r.m.empty()) r.negative = false;
    return r;
}

Signed product(const Signed &a, const Nat &b) {
    Signed r{nat::mul(a.m, b), a.negative};
    if (r.m.empty()) r.negative = false;
    return r;
}

Signed sum(Signed a, const Signed &b) {
    if (a.negative == b.negative) {
        a.m = nat::add(a.m, b.m);
        return a;
    }
    if (nat::compare(a.m, b.m) >= 0) {
        a.m = nat::sub(a.m, b.m);
    } else {
        a.m = nat::sub(b.m, a.m);
        a.negative = b.negative;
    }
    if (a.m.empty()) a.negative = false;
    return a;
}

struct Split {
    Signed P;
    Nat Q;
    Signed T;
};

// Ranges this short are summed term by term, from the last: with T/Q the sum over [k, hi),
//   T(k) = p(k) (Q(k+1) + T(k+1)),  Q(k) = q(k) Q(k+1),  P(k) = p(k) P(k+1),
// products by the short p and q only, where merging would build a tree of tiny numbers.
constexpr uint64_t kLeafTerms = 32;

// ratio(k, p, q) gives the ratio of term k to term k-1 as p/q.
template <typename Ratio> Split sumInSequence(uint64_t lo, uint64_t hi, const Ratio &ratio, bool needP) {
    auto times = [](Nat &x, const Nat &m) {  // in place where m is one limb
        if (m.size() == 1) nat::mul_small(x, m[0]);
        else x = nat::mul(x, m);
    };
    Split s{Signed{Nat{1}, false}, Nat{1}, Signed{}};
    for (uint64_t k = hi; k-- > lo;) {
        Signed p;
        Nat q;
        ratio(k, p, q);
        s.T = sum(Signed{s.Q, false}, s.T);
        times(s.T.m, p.m);
        s.T.negative = s.T.negative != p.negative && !s.T.m.empty();
        times(s.Q, q);
        if (needP) {
            times(s.P.m, p.m);
            s.P.negative = s.P.negative != p.negative;
        }
    }
    return s;
}

template <typename Ratio> Split splitRange(uint64_t lo, uint64_t hi, const Ratio &ratio, bool needP) {
    if (hi - lo <= kLeafTerms) return sumInSequence(lo, hi, ratio, needP);
    uint64_t mid = lo + (hi - lo) / 2;
    Split left = splitRange(lo, mid, ratio, true);
    Split right = splitRange(mid, hi, ratio, needP);
    Split s;
    s.T = sum(product(left.T, right.Q), product(left.P, right.T));
    s.Q = nat::mul(left.Q, right.Q);
    if (needP) s.P = product(left.P, right.P);
    return s;
}

// Terms 1..n with the ratio summed: T/Q, where the sum is t_1 + ... + t_n (t_0 = 1 apart).
template <typename Ratio> Split sumTerms(uint64_t n, const Ratio &ratio) { return splitRange(1, n + 1, ratio, false); }

// The number of terms after t_0 until log10 |t_k| falls below -(scale + 3).
template <typename Log10Ratio> uint64_t termsFor(size_t scale, const Log10Ratio &log10Ratio) {
    double lg = 0, floor = -(double(scale) + 3);
    uint64_t k = 0;
    while (lg > floor) lg += log10Ratio(++k);
    return k;
}

// a / 10^d with the common factors of ten taken out: the terms' numbers shrink with them.
void lowestTerms(Nat &a, size_t &d) {
    while (d >= size_t(nat::LIMB_DIGITS) && !a.empty() && a[0] == 0) {
        a.erase(a.begin());
        d -= nat::LIMB_DIGITS;
    }
    while (d > 0 && !a.empty() && a[0] % 10 == 0) {
        nat::divmod_small(a, 10, a);
        d--;
    }
}

// Q and T both cut by whole limbs so that Q keeps about scale + 20 digits: the quotient
// keeps its relative accuracy, and the division works on numbers of the answer's size.
void trimPair(Nat &Q, Signed &T, size_t scale) {
    size_t keepLimbs = (scale + 20) / nat::LIMB_DIGITS + 2;
    if (Q.size() <= keepLimbs) return;
    size_t drop = Q.size() - keepLimbs;
    Q.erase(Q.begin(), Q.begin() + long(drop));
    if (T.m.size() <= drop) T.m.clear();
    else T.m.erase(T.m.begin(), T.m.begin() + long(drop));
    if (T.m.empty()) T.negative = false;
}

// (Q + T) / Q as a natural at the scale (T > -Q).
Nat onePlusRatio(Nat Q, Signed T, size_t scale) {
    trimPair(Q, T, scale);
    Nat numerator = T.negative ? nat::sub(Q, T.m) : nat::add(Q, T.m);
    return divScaled(numerator, Q, scale);
}

}  // namespace

Nat expOfRatio(const Nat &a0, size_t d, size_t scale) {
    if (a0.empty()) return nat::pow10(scale);
    Nat a = a0;
    lowestTerms(a, d);
    Nat den = nat::pow10(d);
    double lx = leadingLog10(a) - double(d);
    uint64_t n = termsFor(scale, [&](uint64_t k) { return lx - std::log10(double(k)); });
    Split s = sumTerms(n, [&](uint64_t k, Signed &p, Nat &q) {
        p = Signed{a, false};
        q = nat::mul(nat::from_u64(k), den);
    });
    return onePlusRatio(s.Q, s.T, scale);
}

void sinCosOfRatio(const Nat &a0, size_t d, size_t scale, Nat &sine, Nat &cosine) {
    if (a0.empty()) {
        sine.clear();
        cosine = nat::pow10(scale);
        return;
    }
    Nat a = a0;
    lowestTerms(a, d);
    Nat a2 = nat::sqr(a), den2 = nat::pow10(2 * d);
    double lx2 = 2 * (leadingLog10(a) - double(d));
    // sin x / x: ratio -x^2 / ((2k)(2k+1)); cos x: ratio -x^2 / ((2k-1)(2k))
    uint64_t ns = termsFor(scale, [&](uint64_t k) { return lx2 - std::log10(double(2 * k) * double(2 * k + 1)); });
    Split s = sumTerms(ns, [&](uint64_t k, Signed &p, Nat &q) {
        p = Signed{a2, true};
        q = nat::mul(nat::from_u64((2 * k) * (2 * k + 1)), den2);
    });
    // sin x = (a / 10^d) (Q + T) / Q: divide with d more digits, then take the factor a
    Nat unitSine = onePlusRatio(s.Q, s.T, scale + d);
    sine = shiftDown(nat::mul(unitSine, a), 2 * d);
    uint64_t nc = termsFor(scale, [&](uint64_t k) { return lx2 - std::log10(double(2 * k - 1) * double(2 * k)); });
    Split c = sumTerms(nc, [&](uint64_t k, Signed &p, Nat &q) {
        p = Signed{a2, true};
        q = nat::mul(nat::from_u64((2 * k - 1) * (2 * k)), den2);
    });
    cosine = onePlusRatio(c.Q, c.T, scale);
}

namespace {

// x * v in place, v below BASE^2
void timesWord(Nat &x, uint64_t v) {
    if (v < nat::BASE) nat::mul_small(x, nat::Limb(v));
    else x = nat::mul(x, nat::from_u64(v));
}

// x * v + y in place: one pass and no new vector where v is one limb
void timesPlus(Nat &x, uint64_t v, const Nat &y) {
    if (v >= nat::BASE) {
        timesWord(x, v);
        x = nat::add(x, y);
        return;
    }
    if (x.size() < y.size()) x.resize(y.size(), 0);
    uint64_t carry = 0;  // x[j] v + y[j] + carry stays below BASE^2 + BASE
    for (size_t j = 0; j < x.size(); j++) {
        uint64_t t = uint64_t(x[j]) * v + (j < y.size() ? y[j] : 0) + carry;
        carry = t / nat::BASE;
        x[j] = nat::Limb(t - carry * nat::BASE);
    }
    for (; carry; carry /= nat::BASE) x.push_back(nat::Limb(carry % nat::BASE));
    nat::normalize(x);
}

// A product of one-limb factors, balanced so that the long products meet at the top.
Nat productOf(const std::vector<nat::Limb> &factors, size_t lo, size_t hi) {
    if (hi - lo <= 16) {
        Nat r{1};
        for (size_t i = lo; i < hi; i++) nat::mul_small(r, factors[i]);
        return r;
    }
    size_t mid = lo + (hi - lo) / 2;
    return nat::mul(productOf(factors, lo, mid), productOf(factors, mid, hi));
}

// The sum of 1 / ((2k+1) q^(2k)). Over a range [lo, hi) of m terms the part
//   S = sum 1 / ((2k+1) q^(2(k-lo)))  is  T / (D q^(2(m-1))),  D a multiple of every 2k+1,
//   merge: T = T1 (D / D1) q^(2 m2) + T2 (D / D2).
// Short ranges take D = B, the product of the 2k+1 (D / D1 = B2, D / D2 = B1, D = B1 B2);
// long ones a least common multiple kept as prime exponents: the larger of the halves'
// exponents, so that D / D1 and D / D2 are short products of primes, and D at the top is
// about e^(2n) instead of the far longer product of the n odd factors. Neither form carries
// the common factor of ratios (2k-1) / ((2k+1) q^2), whose P and Q would share all their odd
// factors. A balanced split has at most two lengths a level, so the powers of q are few and kept.
class OddPowerSum {
public:
    explicit OddPowerSum(uint64_t q) : q2_(q * q) {}

    // T / Q over [0, n)
    void sum(uint64_t n, Nat &T, Nat &Q) {
        factored_ = n >= kFactoredTerms && 2 * n < nat::BASE;  // every prime power one limb
        if (factored_) sieve(n);
        Range r = range(0, n, true);
        T = std::move(r.T);
        Q = nat::mul(r.factored ? powerProduct(r.E, nullptr) : r.B, power(n - 1));
    }

private:
    // Ranges of at least this many terms keep D as prime exponents.
    static constexpr uint64_t kFactoredTerms = 128;

    struct PrimePower {
        uint32_t p, e;
    };
    using Exponents = std::vector<PrimePower>;

    struct Range {
        Nat B, T;  // B where not factored (and asked for)
        Exponents E;
        bool factored = false;
    };
    uint64_t q2_;
    bool factored_ = false;
    std::map<uint64_t, Nat> powers_;
    // 2k+1 = p^e r with p its least prime factor: p, e and r at k
    std::vector<uint32_t> spf_, power_, rest_;
    std::vector<uint32_t> slot_;  // at (p-1)/2: the place of p in the exponents being merged, plus one

    const Nat &power(uint64_t m) {  // q^(2m)
        auto it = powers_.find(m);
        if (it == powers_.end()) it = powers_.emplace(m, nat::pow(nat::from_u64(q2_), m)).first;
        return it->second;
    }

    void sieve(uint64_t n) {
        spf_.assign(n, 0);
        slot_.assign(n, 0);
        for (uint64_t p = 3; p * p <= 2 * n - 1; p += 2) {
            if (spf_[(p - 1) / 2] != 0) continue;
            for (uint64_t u = p * p; u <= 2 * n - 1; u += 2 * p)
                if (spf_[(u - 1) / 2] == 0) spf_[(u - 1) / 2] = uint32_t(p);
        }
        power_.assign(n, 1);
        rest_.assign(n, 1);
        for (uint64_t k = 0; k < n; k++) {
            uint64_t u = 2 * k + 1;
            if (spf_[k] == 0) spf_[k] = uint32_t(u);
            uint64_t v = u / spf_[k], j = (v - 1) / 2;  // v < u: its entries are made
            if (v > 1 && spf_[j] == spf_[k]) {
                power_[k] = power_[j] + 1;
                rest_[k] = rest_[j];
            } else {
                rest_[k] = uint32_t(v);
            }
        }
    }

    // The exponents of the product of the 2k+1 over [lo, hi).
    Exponents exponentsOf(uint64_t lo, uint64_t hi) {
        Exponents E;
        for (uint64_t k = lo; k < hi; k++) {
            for (uint64_t u = 2 * k + 1; u > 1;) {
                uint64_t j = (u - 1) / 2;
                uint32_t p = spf_[j], e = power_[j];
                u = rest_[j];
                uint32_t &slot = slot_[(p - 1) / 2];
                if (slot == 0) {
                    E.push_back({p, 0});
                    slot = uint32_t(E.size());
                }
                E[slot - 1].e += e;
            }
        }
        for (const PrimePower &f : E) slot_[(f.p - 1) / 2] = 0;
        return E;
    }

    // prod p^(e - below(p)) over E, below() from `less` (none: 0)
    Nat powerProduct(const Exponents &E, const Exponents *less) {
        std::vector<nat::Limb> factors;
        uint64_t acc = 1;
        auto take = [&](uint32_t p, uint32_t times) {
            for (; times > 0; times--) {
                if (acc * p >= nat::BASE) {
                    factors.push_back(nat::Limb(acc));
                    acc = 1;
                }
                acc *= p;
            }
        };
        if (less)
            for (size_t i = 0; i < less->size(); i++) slot_[((*less)[i].p - 1) / 2] = uint32_t(i + 1);
        for (const PrimePower &f : E) {
            uint32_t slot = less ? slot_[(f.p - 1) / 2] : 0;
            take(f.p, f.e - (slot ? (*less)[slot - 1].e : 0));
        }
        if (less)
            for (const PrimePower &f : *less) slot_[(f.p - 1) / 2] = 0;
        if (acc > 1) factors.push_back(nat::Limb(acc));
        return factors.empty() ? Nat{1} : productOf(factors, 0, factors.size());
    }

    // The larger exponent of each prime.
    Exponents larger(const Exponents &a, const Exponents &b) {
        Exponents E = a;
        for (size_t i = 0; i < E.size(); i++) slot_[(E[i].p - 1) / 2] = uint32_t(i + 1);
        for (const PrimePower &f : b) {
            uint32_t &slot = slot_[(f.p - 1) / 2];
            if (slot == 0) {
                E.push_back(f);
                slot = uint32_t(E.size());
            } else {
                E[slot - 1].e = std::max(E[slot - 1].e, f.e);
            }
        }
        for (const PrimePower &f : E) slot_[(f.p - 1) / 2] = 0;
        return E;
    }

    Range range(uint64_t lo, uint64_t hi, bool needB) {
        if (hi - lo <= kLeafTerms) {  // term by term: T' = T (2k+1) q^2 + B, B' = B (2k+1)
            Range r{nat::from_u64(2 * lo + 1), Nat{1}, {}, false};
            for (uint64_t k = lo + 1; k < hi; k++) {
                uint64_t odd = 2 * k + 1, m = odd * q2_;
                if (m >= nat::BASE) {  // in two passes, each by one limb
                    timesWord(r.T, q2_);
                    m = odd;
                }
                timesPlus(r.T, m, r.B);
                timesWord(r.B, odd);
            }
            return r;
        }
        uint64_t mid = lo + (hi - lo) / 2;
        if (!factored_ || hi - lo < kFactoredTerms) {
            Range left = range(lo, mid, true), right = range(mid, hi, true);
            Range r;
            r.T = nat::add(nat::mul(left.T, nat::mul(right.B, power(hi - mid))), nat::mul(right.T, left.B));
            if (needB) r.B = nat::mul(left.B, right.B);
            return r;
        }
        Range left = range(lo, mid, false), right = range(mid, hi, false);
        if (!left.factored) left.E = exponentsOf(lo, mid);  // its D is B, all of whose primes these are
        if (!right.factored) right.E = exponentsOf(mid, hi);
        Range r;
        r.factored = true;
        r.E = larger(left.E, right.E);
        Nat toLeft = powerProduct(r.E, &left.E), toRight = powerProduct(r.E, &right.E);
        r.T = nat::add(nat::mul(left.T, nat::mul(toLeft, power(hi - mid))), nat::mul(right.T, toRight));
        return r;
    }
};

}  // namespace

Nat atanhSum(std::initializer_list<AtanhTerm> terms, size_t scale) {
    // Each term is w T / (q Q) with T / Q the sum of 1 / ((2k+1) q^(2k)); the fractions are
    // added as fractions, each cut to the scale's length, so that one division ends it all.
    Signed num;
    Nat den;
    for (const AtanhTerm &term : terms) {
        uint64_t q = term.q;
        // terms while (2k-1) / ((2k+1) q^2) shrinks them
        double lq2 = 2 * std::log10(double(q));
        uint64_t n =
            termsFor(scale, [&](uint64_t k) { return std::log10(double(2 * k - 1) / double(2 * k + 1)) - lq2; });
        Nat T, Q;
        OddPowerSum(q).sum(n + 1, T, Q);
        Signed t{std::move(T), term.weight < 0};
        timesWord(t.m, uint64_t(term.weight < 0 ? -term.weight : term.weight));
        timesWord(Q, q);
        trimPair(Q, t, scale);
        if (den.empty()) {
            num = std::move(t);
            den = std::move(Q);
            continue;
        }
        num = sum(product(num, Q), product(t, den));
        den = nat::mul(den, Q);
        trimPair(den, num, scale);
    }
    if (den.empty() || num.negative) return Nat{};
    return divScaled(num.m, den, scale);
}

Nat atanhOfInverse(uint64_t q, size_t scale) { return atanhSum({{1, q}}, scale); }

}  // namespace realfn
