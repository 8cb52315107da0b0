// Exact determinants and adjugates by residues.
//
// The rows of a rational matrix are scaled to integers (row i by the lcm s_i of its
// denominators): A = diag(s)^-1 B, so det A = det B / prod(s) and adj A = adj B diag(s) /
// prod(s). det B and adj B are integers no larger than Hadamard's bound (the product of
// the row lengths); they are found modulo enough primes below 10^9 that the product of
// the primes exceeds twice the bound, and joined by the Chinese remainder theorem. The
// cost is n^3 word operations a prime, against the n^3 long-number operations of an
// elimination whose numbers grow to the size of the answer.
#include "matrix/exact.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numeric>
#include <utility>

#include "stop_request.h"
#include "text_helpers.h"

namespace matrix_exact {
namespace {

using nat::Nat;

// Primes below 10^9, so that a residue fits a limb and a product of two fits 64 bits.
constexpr uint32_t kPrimeCeiling = 1000000000u;
// Slack added to the bound in bits: the logarithms are sums of doubles.
constexpr double kBoundSlackBits = 8.0;

struct Int {
    Nat mag;
    bool negative = false;
};

uint64_t powMod(uint64_t b, uint64_t e, uint64_t p) {
    uint64_t r = 1;
    for (b %= p; e; e >>= 1) {
        if (e & 1) r = r * b % p;
        b = b * b % p;
    }
    return r;
}

// a^-1 mod p for a not divisible by the prime p, by the extended Euclidean algorithm.
uint64_t inverseMod(uint64_t a, uint64_t p) {
    int64_t t = 0, newT = 1;
    int64_t r = int64_t(p), newR = int64_t(a % p);
    while (newR != 0) {
        int64_t q = r / newR;
        t = std::exchange(newT, t - q * newT);
        r = std::exchange(newR, r - q * newR);
    }
    return uint64_t(t < 0 ? t + int64_t(p) : t);
}

bool isPrime32(uint32_t n) {
    if (n < 2) return false;
    for (uint32_t d : {2u, 3u, 5u, 7u})
        if (n % d == 0) return n == d;
    uint32_t d = n - 1;
    int s = 0;
    while ((d & 1) == 0) {
        d >>= 1;
        s++;
    }
    for (uint64_t a : {2u, 7u, 61u}) {  // deterministic below 2^32
        uint64_t x = powMod(a, d, n);
        if (x == 1 || x == n - 1) continue;
        bool composite = true;
        for (int r = 1; r < s && composite; r++) {
            x = x * x % n;
            if (x == n - 1) composite = false;
        }
        if (composite) return false;
    }
    return true;
}

// The k-th prime below 10^9, counting down; the list grows on demand.
uint32_t primeAt(size_t k) {
    static std::vector<uint32_t> primes;
    uint32_t candidate = primes.empty() ? kPrimeCeiling - 1 : primes.back() - 2;
    while (primes.size() <= k) {
        while (!isPrime32(candidate)) candidate -= 2;
        primes.push_back(candidate);
        candidate -= 2;
    }
    return primes[k];
}

uint32_t residue(const Nat &a, uint32_t p) {
    uint64_t r = 0;
    for (size_t k = a.size(); k-- > 0;) r = (r * nat::BASE + a[k]) % p;
    return uint32_t(r);
}

uint32_t residue(const Int &a, uint32_t p) {
    uint32_t r = residue(a.mag, p);
    return a.negative && r ? p - r : r;
}

double log2Of(const Nat &a) {
    if (a.empty()) return -std::numeric_limits<double>::infinity();
    double top = a.back() + (a.size() > 1 ? a[a.size() - 2] / double(nat::BASE) : 0.0);
    return std::log2(top) + double(a.size() - 1) * std::log2(double(nat::BASE));
}

// Integer rows B and the row scales s with A = diag(s)^-1 B.
void scaleRows(const std::vector<Rational> &cells, size_t n, std::vector<Int> &B, std::vector<Nat> &scale) {
    B.assign(n * n, Int{});
    scale.assign(n, Nat{1});
    for (size_t i = 0; i < n; i++) {
        Nat &s = scale[i];
        auto isOne = [](const Nat &x) { return x.size() == 1 && x[0] == 1; };
        for (size_t j = 0; j < n; j++) {
            const Nat &d = cells[i * n + j].den;
            if (isOne(d)) continue;
            Nat g = nat::gcd(s, d), q, r;
            nat::divmod(d, g, q, r);
            s = nat::mul(s, q);
        }
        for (size_t j = 0; j < n; j++) {
            const Rational &c = cells[i * n + j];
            Nat q = s, r;
            if (!isOne(c.den)) nat::divmod(s, c.den, q, r);
            B[i * n + j] = Int{isOne(q) ? c.num : nat::mul(c.num, q), c.negative && !c.num.empty()};
        }
    }
}

// log2 of Hadamard's bound for det B (the product of the row lengths) and of the
// shortest row; -infinity for a zero row.
double hadamardLog2(const std::vector<Int> &B, size_t n, double &shortestRow) {
    double total = 0;
    shortestRow = std::numeric_limits<double>::infinity();
    for (size_t i = 0; i < n; i++) {
        double top = -std::numeric_limits<double>::infinity();
        std::vector<double> l(n);
        for (size_t j = 0; j < n; j++) top = std::max(top, l[j] = 2 * log2Of(B[i * n + j].mag));
        if (std::isinf(top)) {
            shortestRow = top;
            return top;
        }
        double sum = 0;
        for (double x : l) sum += std::exp2(x - top);
        double row = (top + std::log2(sum)) / 2;
        total += row;
        shortestRow = std::min(shortestRow, row);
    }
    return total;
}

using Residues = std::vector<uint64_t>;

Residues reduce(const std::vector<Int> &B, uint32_t p) {
    Residues m(B.size());
    for (size_t k = 0; k < B.size(); k++) m[k] = residue(B[k], p);
    return m;
}

// Determinant modulo p by elimination; with `inverse` also the inverse of a non-singular
// matrix (Gauss-Jordan on [m | I]).
uint64_t eliminate(Residues m, size_t n, uint64_t p, Residues *inverse) {
    Residues inv;
    if (inverse) {
        inv.assign(n * n, 0);
        for (size_t i = 0; i < n; i++) inv[i * n + i] = 1;
    }
    uint64_t det = 1;
    for (size_t c = 0; c < n; c++) {
        engineStopPoint();
        size_t piv = c;
        while (piv < n && m[piv * n + c] == 0) piv++;
        if (piv == n) return 0;
        if (piv != c) {
            for (size_t j = 0; j < n; j++) std::swap(m[c * n + j], m[piv * n + j]);
            if (inverse)
                for (size_t j = 0; j < n; j++) std::swap(inv[c * n + j], inv[piv * n + j]);
            det = p - det;
        }
        uint64_t pv = m[c * n + c];
        det = det * pv % p;
        uint64_t pinv = inverseMod(pv, p);
        for (size_t j = 0; j < n; j++) m[c * n + j] = m[c * n + j] * pinv % p;
        if (inverse)
            for (size_t j = 0; j < n; j++) inv[c * n + j] = inv[c * n + j] * pinv % p;
        for (size_t r = inverse ? 0 : c + 1; r < n; r++) {
            uint64_t f = m[r * n + c];
            if (r == c || f == 0) continue;
            uint64_t g = p - f;
            for (size_t j = c; j < n; j++) m[r * n + j] = (m[r * n + j] + g * m[c * n + j]) % p;
            if (inverse)
                for (size_t j = 0; j < n; j++) inv[r * n + j] = (inv[r * n + j] + g * inv[c * n + j]) % p;
        }
    }
    if (inverse) *inverse = std::move(inv);
    return det % p;
}

// Values known modulo a growing product M of primes: x in [0, M), joined one prime at a
// time (x += M * ((r - x) / M mod p)).
class Crt {
public:
    explicit Crt(size_t count) : values(count) {}
    void add(uint32_t p, const Residues &r) {
        uint64_t mInv = inverseMod(residue(M, p), p);
        for (size_t k = 0; k < values.size(); k++) {
            uint64_t t = (r[k] + p - residue(values[k], p)) % p * mInv % p;
            if (t == 0) continue;
            Nat step = M;
            nat::mul_small(step, nat::Limb(t));
            values[k] = nat::add(values[k], step);
        }
        nat::mul_small(M, p);
        bits += std::log2(double(p));
    }
    double bits = 0;
    // The signed value in (-M/2, M/2].
    Int value(size_t k) const {
        const Nat &x = values[k];
        if (nat::compare(nat::add(x, x), M) > 0) return Int{nat::sub(M, x), true};
        return Int{x, false};
    }

private:
    Nat M{1};
    std::vector<Nat> values;
};

Int determinantOfIntegers(const std::vector<Int> &B, size_t n, double boundLog2) {
    Crt crt(1);
    for (size_t k = 0; crt.bits < boundLog2 + kBoundSlackBits; k++) {
        uint32_t p = primeAt(k);
        crt.add(p, Residues{eliminate(reduce(B, p), n, p, nullptr)});
    }
    return crt.value(0);
}

Nat product(const std::vector<Nat> &v) {
    Nat r{1};
    for (const Nat &x : v) r = nat::mul(r, x);
    return r;
}

Rational overDenominator(Int a, Nat den) {
    Rational r;
    r.num = std::move(a.mag);
    r.den = std::move(den);
    r.negative = a.negative && !r.num.empty();
    return r;
}

}  // namespace

bool parseRational(std::string_view t, bool fractions, Rational &out) {
    bool negative = !t.empty() && t[0] == '-';
    if (negative) t.remove_prefix(1);
    size_t bar = fractions ? t.find_first_of("|/") : std::string_view::npos;
    std::string_view num = t.substr(0, bar), den = bar == std::string_view::npos ? "1" : t.substr(bar + 1);
    auto digits = [](std::string_view s) {
        return !s.empty() && engine::allDigits(s);
    };
    if (!digits(num) || !digits(den)) return false;
    out.den = nat::from_decimal(den);
    if (out.den.empty()) return false;
    out.num = nat::from_decimal(num);
    out.negative = negative && !out.num.empty();
    return true;
}

namespace {

// An optionally signed integer or decimal: its digits over a power of ten.
bool parseDecimal(std::string_view t, Rational &out) {
    bool negative = !t.empty() && t[0] == '-';
    if (!t.empty() && (t[0] == '-' || t[0] == '+')) t.remove_prefix(1);
    size_t point = t.find('.');
    std::string_view whole = t.substr(0, point), part = point == std::string_view::npos ? "" : t.substr(point + 1);
    if (whole.empty() && part.empty()) return false;
    if ((!whole.empty() && !engine::allDigits(whole)) || (!part.empty() && !engine::allDigits(part))) return false;
    out.num = nat::from_decimal(std::string(whole) + std::string(part));
    out.den = nat::from_decimal("1" + std::string(part.size(), '0'));
    out.negative = negative && !out.num.empty();
    return true;
}

}  // namespace

bool hasFractionMark(std::string_view text) { return text.find_first_of("|/") != std::string_view::npos; }

bool unreadableQuotient(const std::vector<std::string> &cells, bool fractions) {
    for (const std::string &c : cells)
        if (c.find_first_of(fractions ? "/." : "|/") != std::string::npos) return true;
    return false;
}

void slashesToFractions(std::vector<std::string> &cells) {
    for (std::string &cell : cells) {
        Rational value;
        if (cell.find('/') != std::string::npos && parseCell(cell, value)) cell = rationalText(value);
    }
}

bool parseCell(std::string_view text, Rational &out) {
    size_t bar = text.find_first_of("|/");
    if (bar == std::string_view::npos) return parseDecimal(text, out);
    Rational n, d;
    if (!parseDecimal(text.substr(0, bar), n) || !parseDecimal(text.substr(bar + 1), d) || d.num.empty())
        return false;
    out = quotient(n, d);
    return true;
}

bool parseCells(const std::vector<std::string> &cells, std::vector<Rational> &values) {
    values.assign(cells.size(), Rational{});
    for (size_t k = 0; k < cells.size(); k++)
        if (!parseCell(cells[k], values[k])) return false;
    return true;
}

Rational negated(Rational r) {
    r.negative = !r.negative && !r.num.empty();
    return r;
}

bool isZero(const Rational &r) { return r.num.empty(); }

namespace {

// The reduced numerator and denominator.
void reduced(const Rational &r, Nat &p, Nat &q) {
    uint64_t a, b;
    if (nat::to_u64(r.num, a) && nat::to_u64(r.den, b)) {  // the common case, in machine words
        uint64_t g = std::gcd(a, b);
        p = nat::from_u64(a / g);
        q = nat::from_u64(b / g);
        return;
    }
    if (r.den.size() == 1 && r.den[0] == 1) {
        p = r.num;
        q = r.den;
        return;
    }
    Nat g = nat::gcd(r.num, r.den), rem;
    nat::divmod(r.num, g, p, rem);
    nat::divmod(r.den, g, q, rem);
}

}  // namespace

std::string rationalText(const Rational &r) {
    if (r.num.empty()) return "0";
    Nat p, q;
    reduced(r, p, q);
    std::string text = r.negative ? "-" : "";
    nat::append_decimal(p, text);
    if (q.size() == 1 && q[0] == 1) return text;
    text += '|';
    nat::append_decimal(q, text);
    return text;
}

Rational normalized(const Rational &r) {
    Rational n;
    if (r.num.empty()) return n;
    reduced(r, n.num, n.den);
    n.negative = r.negative;
    return n;
}

Rational quotient(const Rational &a, const Rational &b) {
    Rational r;
    r.num = nat::mul(a.num, b.den);
    r.den = nat::mul(a.den, b.num);
    r.negative = (a.negative != b.negative) && !r.num.empty();
    return r;
}

Rational sum(const Rational &a, const Rational &b) {
    Nat x = nat::mul(a.num, b.den), y = nat::mul(b.num, a.den);
    Rational r;
    r.den = nat::mul(a.den, b.den);
    if (a.negative == b.negative) {
        r.num = nat::add(x, y);
        r.negative = a.negative;
    } else if (nat::compare(x, y) >= 0) {
        r.num = nat::sub(x, y);
        r.negative = a.negative;
    } else {
        r.num = nat::sub(y, x);
        r.negative = b.negative;
    }
    r.negative = r.negative && !r.num.empty();
    return r;
}

Rational product(const Rational &a, const Rational &b) {
    Rational r;
    r.num = nat::mul(a.num, b.num);
    r.den = nat::mul(a.den, b.den);
    r.negative = (a.negative != b.negative) && !r.num.empty();
    return r;
}

bool parseReduced(std::string_view text, Rational &out) {
    if (text.find('/') != std::string_view::npos || !parseRational(text, true, out)) return false;
    return rationalText(out) == text;
}

Rational determinant(const std::vector<Rational> &cells, size_t n) {
    if (n == 0) return Rational{};
    std::vector<Int> B;
    std::vector<Nat> scale;
    scaleRows(cells, n, B, scale);
    double shortest;
    double bound = hadamardLog2(B, n, shortest);
    if (std::isinf(bound)) return Rational{};
    return overDenominator(determinantOfIntegers(B, n, bound), product(scale));
}

bool adjugate(const std::vector<Rational> &cells, size_t n, std::vector<Rational> &adj) {
    std::vector<Int> B;
    std::vector<Nat> scale;
    scaleRows(cells, n, B, scale);
    double shortest;
    double bound = hadamardLog2(B, n, shortest);
    if (n == 0 || std::isinf(bound) || determinantOfIntegers(B, n, bound).mag.empty()) return false;
    // The entries of adj B are minors of order n - 1: bounded by the product of all row
    // lengths but the shortest.
    double adjBound = bound - shortest;
    Crt crt(n * n);
    for (size_t k = 0; crt.bits < adjBound + kBoundSlackBits; k++) {
        uint32_t p = primeAt(k);
        Residues inv;
        uint64_t d = eliminate(reduce(B, p), n, p, &inv);
        if (d == 0) continue;  // det B is a multiple of p: this prime tells nothing of adj B
        for (uint64_t &x : inv) x = x * d % p;
        crt.add(p, inv);
    }
    Nat total = product(scale);
    adj.assign(n * n, Rational{});
    for (size_t i = 0; i < n; i++)
        for (size_t j = 0; j < n; j++) {
            engineStopPoint();
            Int v = crt.value(i * n + j);
            v.mag = nat::mul(v.mag, scale[j]);
            adj[i * n + j] = overDenominator(std::move(v), total);
        }
    return true;
}

bool inverse(const std::vector<Rational> &cells, size_t n, std::vector<Rational> &inv) {
    if (n == 1) {
        if (cells[0].num.empty()) return false;
        inv.assign(1, normalized(quotient(Rational{Nat{1}}, cells[0])));
        return true;
    }
    Rational det = determinant(cells, n);
    if (det.num.empty() || !adjugate(cells, n, inv)) return false;
    for (Rational &x : inv) {
        engineStopPoint();
        x = normalized(quotient(x, det));
    }
    return true;
}

}  // namespace matrix_exact
