// The subresultant remainder sequence from its images modulo primes (see modular_remainders.h).
//
// For a prime p that divides neither leading coefficient, the same steps over the integers
// modulo p give the images of the members as long as no leading coefficient vanishes modulo
// p. Where one does, the degrees part: at the first place they differ the image's degree is
// the lower one (or its sequence has ended). So the largest degree sequence in the order of
// words is the true one, and the primes that give it are the good ones. The values follow
// by the Chinese remainder theorem from enough good primes that their product passes twice
// the bound. That product also passes every leading coefficient, so a prime set that all
// dropped the same coefficient (a product dividing it) cannot be taken for enough.
#include "polynomial/modular_remainders.h"

#include <algorithm>
#include <cmath>

#include "BigNumber.h"
#include "stop_request.h"

namespace polyn::exact {

namespace {

using u64 = uint64_t;
using Dense = std::vector<u64>;  // coefficients by exponent, ascending; the top one non-zero

// Primes below one limb: the mixed-radix digits of the reconstruction go into limbs directly.
constexpr u64 kPrimeCeiling = nat::BASE;
// Products modulo a prime that one sequence may spend on its images and their
// reconstruction: about a second.
constexpr double kMaxModularWork = 3e8;
// Degrees beyond this are sparse lists in practice, which the integer steps take as they are.
constexpr double kMaxDenseDegree = 100000;
// Bits added to the bound against the rounding of its logarithms.
constexpr double kBoundMarginBits = 16;

u64 mulMod(u64 a, u64 b, u64 p) { return a * b % p; }

u64 powMod(u64 b, u64 e, u64 p) {
    u64 r = 1;
    for (b %= p; e; e >>= 1) {
        if (e & 1) r = mulMod(r, b, p);
        b = mulMod(b, b, p);
    }
    return r;
}

u64 inverseMod(u64 a, u64 p) { return powMod(a, p - 2, p); }

u64 residue(const Int &x, u64 p) {
    u64 r = 0;
    for (size_t k = x.magnitude.size(); k-- > 0;) r = (r * nat::BASE + x.magnitude[k]) % p;
    return x.negative && r ? p - r : r;
}

double log2Of(const nat::Nat &n) {
    if (n.empty()) return 0;
    const size_t s = n.size();
    const double top = double(n[s - 1]) + (s > 1 ? double(n[s - 2]) / 1e9 : 0.0);
    return (9.0 * double(s - 1) + std::log10(top)) * std::log2(10.0);
}

// log2 of the Euclidean norm of the coefficient vector.
double log2Norm(const std::vector<Term> &p) {
    double top = 0;
    for (const Term &t : p) top = std::max(top, log2Of(t.value.magnitude));
    double sum = 0;
    for (const Term &t : p) sum += std::exp2(2 * (log2Of(t.value.magnitude) - top));
    return top + 0.5 * std::log2(sum);
}

Dense imageOf(const std::vector<Term> &p, u64 prime) {
    Dense d(size_t(p.front().exponent) + 1, 0);
    for (const Term &t : p) d[size_t(t.exponent)] = residue(t.value, prime);
    return d;
}

void trim(Dense &d) {
    while (!d.empty() && d.back() == 0) d.pop_back();
}

// p becomes its remainder by q over the integers modulo `prime`.
void reduceBy(Dense &p, const Dense &q, u64 prime) {
    const size_t dq = q.size() - 1;
    const u64 inverse = inverseMod(q.back(), prime);
    for (size_t top = p.size(); top-- > dq;) {
        if (p[top] == 0) continue;
        const u64 f = mulMod(p[top], inverse, prime);
        const size_t shift = top - dq;
        for (size_t j = 0; j <= dq; j++) p[shift + j] = (p[shift + j] + prime - mulMod(f, q[j], prime)) % prime;
    }
    p.resize(std::min(p.size(), dq));
    trim(p);
}

struct Image {
    std::vector<int64_t> degrees;
    Dense leading;
    Dense last;
};

Image imageSequence(const std::vector<Term> &a, const std::vector<Term> &b, u64 prime) {
    Image im;
    Dense p = imageOf(a, prime), q = imageOf(b, prime);
    im.degrees = {int64_t(p.size()) - 1, int64_t(q.size()) - 1};
    im.leading = {p.back(), q.back()};
    u64 g = 1, h = 1;
    while (q.size() > 1) {  // a constant divisor leaves no remainder
        const u64 delta = p.size() - q.size();
        Dense r = p;
        reduceBy(r, q, prime);
        if (r.empty()) break;
        // prem = lc(q)^(delta+1) * rem, then divided by g h^delta
        const u64 f = mulMod(powMod(q.back(), delta + 1, prime),
                             inverseMod(mulMod(g, powMod(h, delta, prime), prime), prime), prime);
        for (u64 &c : r) c = mulMod(c, f, prime);
        im.degrees.push_back(int64_t(r.size()) - 1);
        im.leading.push_back(r.back());
        g = q.back();
        if (delta > 0) h = mulMod(powMod(g, delta, prime), inverseMod(powMod(h, delta - 1, prime), prime), prime);
        p.swap(q);
        q.swap(r);
    }
    im.last = std::move(q);
    return im;
}

// Garner's mixed-radix reconstruction of the integers in (-M/2, M/2], M the product of the
// primes, from their residues.
class Reconstruction {
  public:
    explicit Reconstruction(const std::vector<u64> &primes) : primes(primes), inverses(primes.size()) {
        for (size_t j = 1; j < primes.size(); j++) {
            u64 product = 1;
            for (size_t i = 0; i < j; i++) product = mulMod(product, primes[i], primes[j]);
            inverses[j] = inverseMod(product, primes[j]);
        }
        modulus = nat::Nat{1};
        for (u64 p : primes) nat::mul_small(modulus, nat::Limb(p));
    }

    Int value(const std::vector<u64> &residues) const {
        const size_t m = primes.size();
        std::vector<u64> digit(m);
        for (size_t j = 0; j < m; j++) {
            const u64 pj = primes[j];
            u64 partial = 0;  // the digits so far, as a number modulo pj
            for (size_t i = j; i-- > 0;) partial = (partial * primes[i] + digit[i]) % pj;
            digit[j] = mulMod((residues[j] + pj - partial) % pj, j ? inverses[j] : 1, pj);
        }
        nat::Nat x;
        for (size_t i = m; i-- > 0;) {
            nat::mul_small(x, nat::Limb(primes[i]));
            nat::add_small(x, nat::Limb(digit[i]));
        }
        nat::normalize(x);
        Int r;
        if (nat::compare(nat::add(x, x), modulus) > 0) {
            r.magnitude = nat::sub(modulus, x);
            r.negative = true;
        } else {
            r.magnitude = std::move(x);
        }
        return r;
    }

  private:
    const std::vector<u64> &primes;
    std::vector<u64> inverses;  // of the product of the primes before, modulo each prime
    nat::Nat modulus;
};

}  // namespace

Status subresultantSequence(const std::vector<Term> &a, const std::vector<Term> &b, SubresultantSequence &out) {
    const double n1 = double(a.front().exponent), n2 = double(b.front().exponent);
    if (n1 > kMaxDenseDegree) return Status::tooBig;
    // Every coefficient of every member is at most |a|^n2 |b|^n1 (Euclidean norms).
    const double bits = n2 * log2Norm(a) + n1 * log2Norm(b) + 1 + kBoundMarginBits;
    const double primeBits = std::log2(double(kPrimeCeiling)) - 1;
    const double primesNeeded = std::ceil(bits / primeBits) + 1;
    const double values = 2 * n2 + 4;  // leading coefficients and the last member, at most
    if (primesNeeded * (n1 + 1) * (n2 + 1) * 2 + values * primesNeeded * primesNeeded > kMaxModularWork)
        return Status::tooBig;

    std::vector<u64> primes;
    std::vector<Image> images;
    Image best;
    double collected = 0;
    const double maxTries = 2 * primesNeeded + 64;
    u64 candidate = kPrimeCeiling;
    for (double tries = 0; collected < bits; tries++) {
        if (tries > maxTries) return Status::tooBig;
        engineStopPoint();
        do candidate--;
        while (!BigNumber::is_prime_64(candidate));
        if (residue(a.front().value, candidate) == 0 || residue(b.front().value, candidate) == 0) continue;
        Image im = imageSequence(a, b, candidate);
        if (!images.empty() && im.degrees < best.degrees) continue;  // a leading coefficient vanished here
        if (images.empty() || best.degrees < im.degrees) {           // those before were the unlucky ones
            primes.clear();
            images.clear();
            collected = 0;
            best.degrees = im.degrees;
        }
        primes.push_back(candidate);
        collected += std::log2(double(candidate));
        images.push_back(std::move(im));
    }

    const Reconstruction crt(primes);
    std::vector<u64> residues(primes.size());
    auto valueAt = [&](auto &&pick) {
        for (size_t k = 0; k < primes.size(); k++) residues[k] = pick(images[k]);
        return crt.value(residues);
    };
    out.degrees = best.degrees;
    out.leading = {a.front().value, b.front().value};
    for (size_t i = 2; i < best.degrees.size(); i++) out.leading.push_back(valueAt([&](const Image &im) { return im.leading[i]; }));
    out.last.clear();
    const size_t lastSize = size_t(best.degrees.back()) + 1;
    for (size_t e = lastSize; e-- > 0;) {
        Int c = valueAt([&](const Image &im) { return im.last[e]; });
        if (!c.magnitude.empty()) out.last.push_back({int64_t(e), std::move(c)});
    }
    return Status::ok;
}

}  // namespace polyn::exact
