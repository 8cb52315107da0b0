// Complete factorisation: trial division by the small primes, then each composite cofactor
// is split by Pollard-Brent rho (small factors), the quadratic sieve (cofactors of up to 57
// digits, after a few curves for a much smaller factor) and the elliptic-curve method on
// Montgomery curves (Suyama's family, a ladder for stage one and the standard continuation
// with baby and giant steps for stage two). The modular arithmetic is Montgomery's on
// machine words.
#include "number_theory/factor_search.h"

#include <algorithm>
#include <numeric>

#include "number_theory/montgomery.h"
#include "number_theory/prime_kernels.h"
#include "number_theory/prime_sieve.h"
#include "number_theory/siqs.h"
#include "number_theory/word_factor.h"
#include "stop_request.h"

namespace ntheory {
namespace {

constexpr u64 kSearchSeed = 0x4b61766c6f;  // fixed: the same factors in the same order on every run

// gcd of a residue's words with n; the Montgomery factor R is prime to n, so the form of
// the residue does not change the gcd.
template <class Res> nat::Nat gcdWith(const Res &x, const nat::Nat &n) {
    Words w(x.begin(), x.end());
    while (!w.empty() && w.back() == 0) w.pop_back();
    uint64_t n64;
    if (w.size() <= 1 && nat::to_u64(n, n64)) return nat::from_u64(std::gcd(w.empty() ? 0 : w[0], n64));
    return nat::gcd(fromWords(w), n);
}

bool isOne(const nat::Nat &a) { return a.size() == 1 && a[0] == 1; }

// A proper factor of the odd composite n by Brent's cycle search on x -> x^2 + c, or zero
// when `iterations` steps pass without one.
template <class M> nat::Nat rho(const M &m, const nat::Nat &n, uint64_t iterations, SmallRandom &rng) {
    using Res = typename M::Res;
    constexpr uint64_t kBatch = 128;  // differences multiplied together between two gcds
    while (iterations > 0) {
        Res c = m.from(1 + rng.next() % 1000), y = m.from(2 + rng.next() % 1000), x = y, ys = y, q = m.one();
        auto f = [&](const Res &v) { return m.add(m.sqr(v), c); };
        nat::Nat g{1};
        for (uint64_t r = 1; isOne(g) && iterations > 0; r *= 2) {
            x = y;
            for (uint64_t i = 0; i < r; i++) {
                engineStopPoint(i);
                y = f(y);
            }
            for (uint64_t k = 0; k < r && isOne(g) && iterations > 0; k += kBatch) {
                engineStopPoint();
                ys = y;
                uint64_t steps = std::min(kBatch, r - k);
                for (uint64_t i = 0; i < steps; i++) {
                    y = f(y);
                    q = m.mul(q, m.sub(x, y));
                }
                iterations -= std::min(iterations, r + steps);
                g = gcdWith(q, n);
            }
        }
        if (g == n)  // the batch overshot: step through it one difference at a time
            for (uint64_t i = 0; i < kBatch && (isOne(g) || g == n); i++) {
                ys = f(ys);
                g = gcdWith(m.sub(x, ys), n);
            }
        if (!isOne(g) && g != n) return g;
    }
    return {};
}

// ---- elliptic curves ----

// Primality of every number up to a bound, grown on demand (stage two walks the primes).
const std::vector<bool> &primeMap(uint64_t bound) {
    static std::vector<bool> map;
    if (map.size() <= bound) {
        map.assign(bound + 1, true);
        map[0] = false;
        if (bound >= 1) map[1] = false;
        for (uint64_t i = 2; i * i <= bound; i++)
            if (map[i])
                for (uint64_t j = i * i; j <= bound; j += i) map[j] = false;
    }
    return map;
}

template <class M> struct Curve {
    using Res = typename M::Res;
    struct Point {
        Res x, z;
    };
    const M &m;
    Res num, den;  // (A + 2)/4 = num/den, kept as a fraction to need no inverse

    Point dbl(const Point &p) const {
        Res s = m.sqr(m.add(p.x, p.z)), d = m.sqr(m.sub(p.x, p.z));
        Res t = m.sub(s, d);  // 4xz
        Res dd = m.mul(d, den);
        return {m.mul(s, dd), m.mul(t, m.add(dd, m.mul(num, t)))};
    }
    // p + q from p, q and p - q
    Point add(const Point &p, const Point &q, const Point &diff) const {
        Res u = m.mul(m.sub(p.x, p.z), m.add(q.x, q.z));
        Res v = m.mul(m.add(p.x, p.z), m.sub(q.x, q.z));
        return {m.mul(diff.z, m.sqr(m.add(u, v))), m.mul(diff.x, m.sqr(m.sub(u, v)))};
    }
    Point times(const Point &p, uint64_t k) const {  // k >= 1, Montgomery's ladder
        if (k == 1) return p;
        Point r0 = p, r1 = dbl(p);
        for (int i = 62 - __builtin_clzll(k); i >= 0; i--) {
            if (k >> i & 1) {
                r0 = add(r1, r0, p);
                r1 = dbl(r1);
            } else {
                r1 = add(r1, r0, p);
                r0 = dbl(r0);
            }
        }
        return r0;
    }
};

// One curve of Suyama's family with the parameter sigma: stage one to b1, stage two to
// b2; a proper factor of n or zero.
template <class M> nat::Nat ecmCurve(const M &m, const nat::Nat &n, uint64_t sigma, uint64_t b1, uint64_t b2) {
    using Res = typename M::Res;
    using C = Curve<M>;
    Res s = m.from(sigma);
    Res u = m.sub(m.sqr(s), m.from(5)), v = m.add(m.add(s, s), m.add(s, s));
    Res u3 = m.mul(m.sqr(u), u), vmu = m.sub(v, u);
    Res num = m.mul(m.mul(m.sqr(vmu), vmu), m.add(m.add(u, m.add(u, u)), v));
    Res den = m.mul(m.mul(u3, v), m.from(16));
    C curve{m, num, den};
    typename C::Point p{u3, m.mul(m.sqr(v), v)};

    const auto &isPrime = primeMap(b2);
    for (uint64_t q = 2; q <= b1; q++) {
        if (!isPrime[q]) continue;
        engineStopPoint();
        uint64_t power = q;
        while (power <= b1 / q) power *= q;
        p = curve.times(p, power);
    }
    nat::Nat g = gcdWith(p.z, n);
    if (!isOne(g)) return g == n ? nat::Nat{} : g;

    // Stage two: for every prime b1 < mD +- j <= b2 with j prime to D, accumulate
    // x(mD Q) z(jQ) - x(jQ) z(mD Q), which vanishes modulo p when (mD +- j) Q is zero there.
    const uint64_t D = b2 < 2000000 ? 210 : 2310;
    std::vector<uint64_t> babyIndex;
    std::vector<typename C::Point> baby;
    std::vector<Res> babyXZ;
    typename C::Point q2 = curve.dbl(p), prev = p, cur = curve.add(q2, p, p);  // Q, 3Q
    for (uint64_t j = 1; j < D / 2; j += 2) {
        const typename C::Point &pj = j == 1 ? p : cur;
        if (std::gcd(j, D) == 1) {
            babyIndex.push_back(j);
            baby.push_back(pj);
            babyXZ.push_back(m.mul(pj.x, pj.z));
        }
        if (j >= 3) {
            typename C::Point next = curve.add(cur, q2, prev);
            prev = cur;
            cur = next;
        }
    }
    typename C::Point giant = curve.times(p, D);
    uint64_t m0 = std::max<uint64_t>(1, b1 / D);
    typename C::Point gPrev = curve.times(giant, m0), gCur = curve.add(gPrev, giant, m0 > 1 ? curve.times(giant, m0 - 1) : giant);
    if (m0 == 1) gCur = curve.dbl(giant);
    Res acc = m.one();
    for (uint64_t mm = m0; mm * D <= b2 + D; mm++) {
        engineStopPoint();
        const typename C::Point &gm = gPrev;  // mm * D * Q
        Res gxz = m.mul(gm.x, gm.z);
        for (size_t i = 0; i < babyIndex.size(); i++) {
            uint64_t lo = mm * D - babyIndex[i], hi = mm * D + babyIndex[i];
            bool wanted = (lo > b1 && lo <= b2 && isPrime[lo]) || (hi > b1 && hi <= b2 && isPrime[hi]);
            if (!wanted) continue;
            Res t = m.mul(m.sub(gm.x, baby[i].x), m.add(gm.z, baby[i].z));
            acc = m.mul(acc, m.add(m.sub(t, gxz), babyXZ[i]));
        }
        typename C::Point next = curve.add(gCur, giant, gPrev);
        gPrev = gCur;
        gCur = next;
    }
    g = gcdWith(acc, n);
    return isOne(g) || g == n ? nat::Nat{} : g;
}

struct EcmLevel {
    uint64_t b1;
    int curves;
};
constexpr EcmLevel kEcmLevels[] = {{200, 10}, {600, 15}, {2000, 25}, {11000, 90}, {50000, 300}, {250000, 700}};

// Runs the schedule's rows in turn while the work, counted in word products (about 35 B1
// Montgomery products of size() words each a curve), stays within the budget.
template <class M>
nat::Nat ecm(const M &m, const nat::Nat &n, const SearchEffort &effort, int firstLevel, int lastLevel,
             double &work, SmallRandom &rng) {
    double wordProducts = double(m.size()) * double(m.size());
    for (int level = firstLevel; level < std::min(lastLevel, int(std::size(kEcmLevels))); level++)
        for (int c = 0; c < kEcmLevels[level].curves; c++) {
            work += 35.0 * double(kEcmLevels[level].b1) * wordProducts;
            if (work > effort.ecmWork) return {};
            uint64_t sigma = 6 + rng.next() % (uint64_t(1) << 32);
            nat::Nat g = ecmCurve(m, n, sigma, kEcmLevels[level].b1, 100 * kEcmLevels[level].b1);
            if (!nat::is_zero(g)) return g;
        }
    return {};
}

// ---- the driver ----

// The root r and degree k when n = r^k with k > 1 and every prime factor of n at least
// 2^16; k = 1 otherwise.
uint64_t perfectPower(const nat::Nat &n, nat::Nat &root) {
    size_t bits = bitLength(toWords(n));
    for (uint64_t k = 2; 16 * k <= bits; k++) {
        if (k > 2 && k % 2 == 0) continue;
        nat::Nat r = nat::root(n, k);
        if (nat::pow(r, k) == n) {
            root = r;
            return k;
        }
    }
    return 1;
}

// Removes the prime factors below kSmallPrimeBound from n.
void trialDivide(nat::Nat &n, std::vector<nat::Nat> &out) {
    for (uint32_t p = smallFactor(n, kSmallPrimeBound); p; p = smallFactor(n, kSmallPrimeBound)) {
        nat::Nat q;
        while (nat::divmod_small(n, p, q) == 0) {
            out.push_back(nat::Nat{p});
            n.swap(q);
        }
    }
}

}  // namespace

Factorisation factorise(const nat::Nat &n0, const SearchEffort &effort) {
    Factorisation f;
    nat::Nat n = n0;
    if (nat::compare(n, nat::Nat{2}) < 0) return f;
    if (uint64_t word; nat::to_u64(n, word)) {
        for (uint64_t p : wordPrimeFactors(word)) f.primes.push_back(nat::from_u64(p));
        return f;
    }
    trialDivide(n, f.primes);
    SmallRandom rng{kSearchSeed};
    std::vector<nat::Nat> work;
    if (!isOne(n)) work.push_back(n);
    while (!work.empty()) {
        nat::Nat c = work.back();
        work.pop_back();
        uint64_t c64;
        if (nat::to_u64(c, c64)) {
            for (uint64_t p : wordPrimeFactors(c64)) f.primes.push_back(nat::from_u64(p));
            continue;
        }
        if (nat::decimal_digits(c) > effort.maxDigits) {
            f.unsplit.push_back(c);
            continue;
        }
        if (isProbablePrime(c)) {
            f.primes.push_back(c);
            continue;
        }
        nat::Nat root;
        if (uint64_t k = perfectPower(c, root); k > 1) {
            for (uint64_t i = 0; i < k; i++) work.push_back(root);
            continue;
        }
        nat::Nat d = withMontgomery(toWords(c), [&](const auto &m) {
            nat::Nat g = rho(m, c, effort.rhoIterations, rng);
            if (!nat::is_zero(g)) return g;
            // A few curves first catch a factor much smaller than its cofactor, which the
            // sieve would not find sooner; then the sieve, then the rest of the curves.
            double work = 0;
            size_t digits = nat::decimal_digits(c);
            if (digits > effort.sieveDigits) return ecm(m, c, effort, 0, effort.ecmLevels, work, rng);
            int before = std::min(effort.ecmLevels, digits <= 30 ? 0 : digits <= 45 ? 1 : 3);
            g = ecm(m, c, effort, 0, before, work, rng);
            if (nat::is_zero(g)) g = siqs(c);
            return nat::is_zero(g) ? ecm(m, c, effort, before, effort.ecmLevels, work, rng) : g;
        });
        if (nat::is_zero(d)) {
            f.unsplit.push_back(c);
            continue;
        }
        nat::Nat q, r;
        nat::divmod(c, d, q, r);
        work.push_back(d);
        work.push_back(q);
    }
    auto less = [](const nat::Nat &a, const nat::Nat &b) { return nat::compare(a, b) < 0; };
    std::sort(f.primes.begin(), f.primes.end(), less);
    std::sort(f.unsplit.begin(), f.unsplit.end(), less);
    return f;
}

nat::Nat smallestPrimeFactor(const nat::Nat &n, const SearchEffort &effort) {
    if (uint64_t p = smallFactor(n, kSmallPrimeBound)) return nat::from_u64(p);
    // Trial division further up, while it costs little beside the search that follows:
    // to 2^16 .. 2^20 by the size of n.
    size_t bits = bitLength(toWords(n));
    constexpr uint64_t kTrialBound = uint64_t(1) << 20;
    uint64_t bound = uint64_t(1) << std::clamp<size_t>(bits / 6, 16, 20);
    uint64_t found = 0, word = 0;
    bool short_ = nat::to_u64(n, word);
    uint32_t batch[kModSmallMany], rest[kModSmallMany];
    size_t size = 0;
    auto test = [&] {  // the batch's primes in turn: the first that divides n
        modSmallMany(n, batch, size, rest);
        for (size_t i = 0; i < size && !found; i++)
            if (rest[i] == 0) found = batch[i];
        size = 0;
        return found == 0;
    };
    // the primes above the small-prime table, sieved once: a search often ends early
    static const std::vector<uint32_t> further = [] {
        std::vector<uint32_t> v;
        forEachPrime(kSmallPrimeBound, kTrialBound, [&](uint64_t p) { v.push_back(uint32_t(p)); });
        return v;
    }();
    for (uint32_t p : further) {
        if (p > bound || (short_ && p >= word)) break;
        batch[size++] = p;
        if (size == kModSmallMany && !test()) break;
    }
    if (!found && size) test();
    if (found) return nat::from_u64(found);
    Factorisation f = factorise(n, effort);
    if (!f.complete()) return {};
    return f.primes.front();
}

}  // namespace ntheory
