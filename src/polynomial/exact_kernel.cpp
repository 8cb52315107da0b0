// The exact road of one-variable polynomial arithmetic (see exact_kernel.h).
#include "polynomial/exact_kernel.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "engine/engine_internal.h"
#include "polynomial/coefficients.h"
#include "polynomial/modular_remainders.h"
#include "stop_request.h"

namespace polyn::exact {

namespace {

using nat::Nat;

// A product by Kronecker substitution packs every coefficient into a slot of limbs of one
// long number; it pays when the exponents are dense. Sparse lists multiply term by term.
constexpr size_t kMaxKroneckerLimbs = size_t(1) << 24;
constexpr double kMaxSparsePairs = double(1 << 21);
constexpr nat::Limb kHalfBase = nat::BASE / 2;
// Limb products the gcds that reduce the fractions of one result may take.
constexpr double kMaxFractionWork = 1e9;

// ---- signed integers on limb naturals ----

bool isZero(const Int &x) { return x.magnitude.empty(); }
bool isOne(const Nat &n) { return n.size() == 1 && n[0] == 1; }
bool isUnit(const Int &x) { return isOne(x.magnitude); }

Int makeInt(Nat magnitude, bool negative) {
    Int r;
    r.negative = negative && !magnitude.empty();
    r.magnitude = std::move(magnitude);
    return r;
}

Int negatedInt(Int x) {
    x.negative = !x.negative && !x.magnitude.empty();
    return x;
}

}  // namespace

Int mul(const Int &a, const Int &b) { return makeInt(nat::mul(a.magnitude, b.magnitude), a.negative != b.negative); }

Int add(const Int &a, const Int &b) {
    if (a.negative == b.negative) return makeInt(nat::add(a.magnitude, b.magnitude), a.negative);
    int c = nat::compare(a.magnitude, b.magnitude);
    if (c == 0) return Int{};
    return c > 0 ? makeInt(nat::sub(a.magnitude, b.magnitude), a.negative)
                 : makeInt(nat::sub(b.magnitude, a.magnitude), b.negative);
}

std::string intText(const Int &x) {
    if (isZero(x)) return "0";
    return (x.negative ? "-" : "") + nat::to_decimal(x.magnitude);
}

namespace {

// a / d where d divides a.
Int divideExactly(const Int &a, const Int &d) {
    Nat q, r;
    nat::divmod(a.magnitude, d.magnitude, q, r);
    return makeInt(std::move(q), a.negative != d.negative);
}

Int powerOf(const Int &b, uint64_t e) { return makeInt(nat::pow(b.magnitude, e), b.negative && (e & 1)); }

// ---- texts ----

// a mod d for a much longer than d, a block of limbs at a time so that each partial
// quotient stays short: the long division then costs the length of a times that of d.
Nat remainderOf(const Nat &a, const Nat &d) {
    constexpr size_t kBlock = 120;
    if (a.size() <= d.size() + kBlock) {
        Nat q, r;
        nat::divmod(a, d, q, r);
        return r;
    }
    Nat r, q, part;
    for (size_t end = a.size(); end > 0;) {
        size_t begin = end > kBlock ? end - kBlock : 0;
        part.assign(a.begin() + long(begin), a.begin() + long(end));
        part.insert(part.end(), r.begin(), r.end());
        nat::normalize(part);
        nat::divmod(part, d, q, r);
        end = begin;
    }
    return r;
}

// gcd of a long and a short number: the first step, the long one modulo the short one,
// is the costly one and is done by blocks.
Nat gcdWithShort(const Nat &a, const Nat &b) {
    if (a.empty() || b.empty()) return nat::gcd(a, b);
    return a.size() >= b.size() ? nat::gcd(b, remainderOf(a, b)) : nat::gcd(a, remainderOf(b, a));
}

// num/den (den positive) in lowest terms, as the fraction arithmetic writes it.
std::string fractionText(const Int &num, const Nat &den) {
    if (isZero(num) || isOne(den)) return intText(num);
    Nat g = gcdWithShort(num.magnitude, den);
    if (isOne(g)) return intText(num) + "|" + nat::to_decimal(den);
    Nat n, d, r;
    nat::divmod(num.magnitude, g, n, r);
    nat::divmod(den, g, d, r);
    std::string t = intText(makeInt(std::move(n), num.negative));
    return isOne(d) ? t : t + "|" + nat::to_decimal(d);
}

// ---- sizes and work ----

double log10Of(const Nat &n) {
    if (n.empty()) return 0;
    size_t s = n.size();
    double top = double(n[s - 1]) + (s > 1 ? double(n[s - 2]) / 1e9 : 0.0);
    return 9.0 * double(s - 1) + std::log10(top);
}

double maxLog10(const std::vector<Term> &terms) {
    double m = 0;
    for (const Term &t : terms) m = std::max(m, log10Of(t.value.magnitude));
    return m;
}

size_t maxLimbs(const std::vector<Term> &terms) {
    size_t m = 0;
    for (const Term &t : terms) m = std::max(m, t.value.magnitude.size());
    return m;
}

uint64_t span(const std::vector<Term> &terms) { return uint64_t(terms.front().exponent) - uint64_t(terms.back().exponent); }

// Limb products (schoolbook count) an exact division or gcd may still spend.
struct Budget {
    double left = kMaxExactWork;
    bool spend(const Nat &a, const Nat &b) {
        left -= double(std::max<size_t>(a.size(), 1)) * double(std::max<size_t>(b.size(), 1));
        return left >= 0;
    }
};

// Whether a result of `terms` coefficients of up to `digits` digits, over a common
// denominator of `denominatorDigits` digits, may be written: integers up to the digit
// bounds; fractions also up to the bound of the fraction powers, and with the gcd that
// reduces each one (quadratic in its length) within a few seconds for all of them.
bool fitsResult(double terms, double digits, double denominatorDigits) {
    if (digits > kMaxCoefficientDigits || terms * digits > kMaxResultDigits) return false;
    if (denominatorDigits < 1) return true;
    const double fraction = digits + denominatorDigits, limbs = fraction / nat::LIMB_DIGITS;
    return fraction <= engine::kMaxExactFractionDigits && terms * limbs * limbs <= kMaxFractionWork;
}

// ---- products ----

// The coefficients as one signed number: coefficient k of the list at limb (e - low) * width.
Int pack(const std::vector<Term> &terms, int64_t low, size_t width, size_t slots) {
    Nat positive(slots * width, 0), negative;
    for (const Term &t : terms) {
        Nat &target = t.value.negative ? negative : positive;
        if (target.empty()) target.assign(slots * width, 0);
        size_t offset = size_t(uint64_t(t.exponent) - uint64_t(low)) * width;
        std::copy(t.value.magnitude.begin(), t.value.magnitude.end(), target.begin() + long(offset));
    }
    nat::normalize(positive);
    nat::normalize(negative);
    return add(makeInt(std::move(positive), false), makeInt(std::move(negative), true));
}

// The inverse of pack for a product: each slot is a digit of base BASE^width taken in
// -BASE^width/2 .. BASE^width/2 (every coefficient is smaller than half a slot), read from
// the low end with a carry of one for each negative digit. Terms come out descending.
void unpack(const Int &packed, int64_t low, size_t width, size_t slots, std::vector<Term> &out) {
    const Nat &m = packed.magnitude;
    std::vector<nat::Limb> s(width);
    std::vector<Term> ascending;
    bool carry = false;
    for (size_t i = 0; i < slots; i++) {
        for (size_t j = 0; j < width; j++) s[j] = i * width + j < m.size() ? m[i * width + j] : 0;
        if (carry) {
            size_t j = 0;
            while (j < width && s[j] == nat::BASE - 1) s[j++] = 0;
            if (j == width) continue;  // the slot plus the carry is exactly one unit of the next slot
            s[j]++;
        }
        Nat digit(width);
        bool negative = s[width - 1] >= kHalfBase;
        if (negative) {
            size_t z = 0;
            while (s[z] == 0) z++;
            for (size_t j = 0; j < width; j++) digit[j] = j < z ? 0 : j == z ? nat::BASE - s[j] : nat::BASE - 1 - s[j];
        } else {
            std::copy(s.begin(), s.end(), digit.begin());
        }
        carry = negative;
        nat::normalize(digit);
        if (digit.empty()) continue;
        ascending.push_back({low + int64_t(i), makeInt(std::move(digit), negative != packed.negative)});
    }
    out.assign(std::make_move_iterator(ascending.rbegin()), std::make_move_iterator(ascending.rend()));
}

void sparseProduct(const std::vector<Term> &a, const std::vector<Term> &b, std::vector<Term> &out) {
    std::vector<Term> pairs;
    pairs.reserve(a.size() * b.size());
    uint64_t step = 0;
    for (const Term &s : a)
        for (const Term &t : b) {
            engineStopPoint(++step);
            pairs.push_back({s.exponent + t.exponent, mul(s.value, t.value)});
        }
    std::sort(pairs.begin(), pairs.end(), [](const Term &x, const Term &y) { return x.exponent > y.exponent; });
    out.clear();
    for (Term &p : pairs) {
        if (!out.empty() && out.back().exponent == p.exponent) out.back().value = add(out.back().value, p.value);
        else out.push_back(std::move(p));
    }
    out.erase(std::remove_if(out.begin(), out.end(), [](const Term &t) { return isZero(t.value); }), out.end());
}

// Divides the denominator and every numerator by their common factor.
void reduceContent(QPoly &p) {
    if (isOne(p.denominator)) return;
    Nat g = p.denominator;
    for (const Term &t : p.terms) {
        g = nat::gcd(g, t.value.magnitude);
        if (isOne(g)) return;
    }
    Nat q, r;
    for (Term &t : p.terms) {
        nat::divmod(t.value.magnitude, g, q, r);
        t.value.magnitude.swap(q);
    }
    nat::divmod(p.denominator, g, q, r);
    p.denominator.swap(q);
}

// ---- powers ----

// Powers of bases with this many terms or fewer (and dense exponents) take the recurrence.
constexpr size_t kMaxRecurrenceTerms = 8;

// x * v for a machine integer v.
Int timesSmall(const Int &x, int64_t v) {
    uint64_t m = v < 0 ? uint64_t(0) - uint64_t(v) : uint64_t(v);
    Int r;
    if (m < nat::BASE) {
        r.magnitude = x.magnitude;
        nat::mul_small(r.magnitude, nat::Limb(m));
        nat::normalize(r.magnitude);
    } else {
        r.magnitude = nat::mul(x.magnitude, nat::from_u64(m));
    }
    r.negative = !r.magnitude.empty() && (x.negative != (v < 0));
    return r;
}

// q = p^n coefficient by coefficient (J. C. P. Miller's recurrence, from p q' = n p' q):
// with p = sum p_i x^i, p_0 not zero, k p_0 q_k = sum_{i>=1} ((n+1) i - k) p_i q_(k-i),
// each division exact. A base of few terms costs a few short products per coefficient
// instead of long products of the whole polynomial.
QPoly powerByRecurrence(const QPoly &a, int32_t n) {
    const int64_t low = a.terms.back().exponent;
    std::vector<std::pair<int64_t, const Int *>> p;  // (exponent above the lowest, coefficient), ascending
    for (auto it = a.terms.rbegin(); it != a.terms.rend(); ++it)
        p.push_back({int64_t(uint64_t(it->exponent) - uint64_t(low)), &it->value});
    const Int &p0 = *p.front().second;
    const int64_t top = p.back().first * n;
    std::vector<Int> q(size_t(top) + 1);
    q[0] = powerOf(p0, uint64_t(n));
    for (int64_t k = 1; k <= top; k++) {
        engineStopPoint();
        Int sum;
        for (size_t j = 1; j < p.size() && p[j].first <= k; j++) {
            const int64_t factor = (int64_t(n) + 1) * p[j].first - k;
            if (factor != 0 && !isZero(q[size_t(k - p[j].first)]))
                sum = add(sum, timesSmall(mul(*p[j].second, q[size_t(k - p[j].first)]), factor));
        }
        if (!isZero(sum)) q[size_t(k)] = divideExactly(sum, timesSmall(p0, k));
    }
    QPoly r;
    r.denominator = nat::pow(a.denominator, uint64_t(n));
    for (int64_t k = top; k >= 0; k--)
        if (!isZero(q[size_t(k)])) r.terms.push_back({low * n + k, std::move(q[size_t(k)])});
    reduceContent(r);
    return r;
}

// ---- division ----

// lc*R - t*x^shift*B, the leading terms cancelling; lc of one costs no products.
bool cancelLeading(std::vector<Term> &r, const Int &lc, const Int &t, int64_t shift, const std::vector<Term> &b,
                   Budget &budget) {
    const bool scaled = !isUnit(lc);
    std::vector<Term> out;
    out.reserve(r.size() + b.size());
    size_t i = 0, j = 0;
    auto scaledR = [&](const Int &v) {
        if (scaled && !budget.spend(lc.magnitude, v.magnitude)) return Int{};
        return scaled ? mul(lc, v) : lc.negative ? negatedInt(v) : v;
    };
    auto productB = [&](const Int &v) {
        budget.spend(t.magnitude, v.magnitude);
        return negatedInt(mul(t, v));
    };
    while (i < r.size() || j < b.size()) {
        int64_t er = i < r.size() ? r[i].exponent : INT64_MIN;
        int64_t eb = j < b.size() ? b[j].exponent + shift : INT64_MIN;
        Term n;
        if (i < r.size() && (j >= b.size() || er > eb)) {
            n = {er, scaledR(r[i++].value)};
        } else if (i >= r.size() || eb > er) {
            n = {eb, productB(b[j++].value)};
        } else {
            n = {er, add(scaledR(r[i++].value), productB(b[j++].value))};
        }
        if (budget.left < 0) return false;
        if (!isZero(n.value)) out.push_back(std::move(n));
    }
    r.swap(out);
    return true;
}

// ---- the gcd: Euclidean remainders as scalar times integer polynomial ----

struct Scaled {
    std::vector<Term> p;  // no terms: zero
    Int num;              // the scalar num/den, den positive, in lowest terms
    Nat den;
};

Nat quotientOf(const Nat &a, const Nat &d) {
    if (isOne(d)) return a;
    Nat q, r;
    nat::divmod(a, d, q, r);
    return q;
}

// s * a / b in lowest terms (b positive), s itself in lowest terms: only the cross pairs
// can share factors, and each gcd pairs the long scalar with a short factor.
void scaleBy(Scaled &s, const Int &a, const Nat &b, Budget &budget) {
    budget.spend(s.num.magnitude, b);
    budget.spend(s.den, a.magnitude);
    Nat g1 = gcdWithShort(s.num.magnitude, b), g2 = gcdWithShort(a.magnitude, s.den);
    Nat a1 = quotientOf(a.magnitude, g2), b1 = quotientOf(b, g1);
    Nat g3 = nat::gcd(a1, b1);
    s.num = makeInt(nat::mul(quotientOf(s.num.magnitude, g1), quotientOf(a1, g3)), s.num.negative != a.negative);
    s.den = nat::mul(quotientOf(s.den, g2), quotientOf(b1, g3));
}

// Each coefficient num * p / den: num and den share nothing, so only p and den can.
poly *scaledToList(const Scaled &s, Budget &budget) {
    if (s.p.empty()) return new_term("0", 0);
    for (const Term &t : s.p) budget.spend(t.value.magnitude, s.den);
    if (budget.left < 0) return nullptr;
    poly *handle = nullptr, *last = nullptr;
    TermsFreedOnUnwind unfinished(handle);
    for (const Term &t : s.p) {
        engineStopPoint();
        Nat g = isOne(s.den) ? s.den : gcdWithShort(t.value.magnitude, s.den);
        Int num = mul(s.num, makeInt(quotientOf(t.value.magnitude, g), t.value.negative));
        Nat den = quotientOf(s.den, g);
        std::string text = intText(num);
        if (!isOne(den)) text += "|" + nat::to_decimal(den);
        append_term(handle, last, new_term(text, t.exponent), false);
    }
    return handle;
}

// The subresultant remainder sequence: remainder k+1 is prem(A, B) / (g h^delta), exact,
// with g and h carried from step to step; the scalars keep each one equal to the
// Euclidean remainder over the rationals.
struct Subresultant {
    Int g = makeInt(Nat{1}, false);
    Int h = makeInt(Nat{1}, false);
};

Status remainder(const Scaled &a, const Scaled &b, Subresultant &st, Scaled &r, Budget &budget) {
    const int64_t degA = a.p.front().exponent, degB = b.p.front().exponent;
    if (degB == 0) {  // a constant divisor leaves nothing
        r.p.clear();
        return Status::ok;
    }
    if (degA < degB) {  // only before the first division: the operands swap
        r = a;
        return Status::ok;
    }
    const uint64_t delta = uint64_t(degA) - uint64_t(degB);
    const Int lc = b.p.front().value;
    if (double(delta + 1) * double(lc.magnitude.size()) * double(lc.magnitude.size()) > budget.left)
        return Status::tooBig;
    std::vector<Term> rest = a.p;
    uint64_t steps = 0;
    while (!rest.empty() && rest.front().exponent >= degB) {
        if (++steps > uint64_t(kMaxQuotientTerms)) return Status::tooBig;
        engineStopPoint();
        const Int t = rest.front().value;
        if (!cancelLeading(rest, lc, t, rest.front().exponent - degB, b.p, budget)) return Status::tooBig;
    }
    if (rest.empty()) {
        r.p.clear();
        return Status::ok;
    }
    // prem multiplies by lc^(delta+1) in all; sparse steps skipped some of them.
    if (delta + 1 > steps) {
        Int f = powerOf(lc, delta + 1 - steps);
        for (Term &t : rest) {
            if (!budget.spend(f.magnitude, t.value.magnitude)) return Status::tooBig;
            t.value = mul(t.value, f);
        }
    }
    Int beta = delta == 0 ? st.g : mul(st.g, powerOf(st.h, delta));
    for (Term &t : rest) {
        if (isUnit(beta)) {
            if (beta.negative) t.value = negatedInt(std::move(t.value));
            continue;
        }
        if (!budget.spend(beta.magnitude, t.value.magnitude)) return Status::tooBig;
        t.value = divideExactly(t.value, beta);
    }
    Int lcPower = powerOf(lc, delta + 1);
    r.p.swap(rest);
    r.num = a.num;
    r.den = a.den;
    if (lcPower.negative) beta = negatedInt(beta);
    scaleBy(r, beta, lcPower.magnitude, budget);
    if (budget.left < 0) return Status::tooBig;
    st.g = lc;
    if (delta == 1) st.h = lc;
    else if (delta > 1) st.h = divideExactly(powerOf(lc, delta), powerOf(st.h, delta - 1));
    return Status::ok;
}

// The handle of the remainder is the constant 1.
bool isOneRemainder(const Scaled &r) {
    const Term &lead = r.p.front();
    if (lead.exponent != 0) return false;
    Int v = mul(r.num, lead.value);
    return !v.negative && nat::compare(v.magnitude, r.den) == 0;
}

// The product of many factors, by halves, so that long factors meet long ones.
Nat productOf(const std::vector<Nat> &factors, size_t from, size_t to) {
    if (to - from == 0) return Nat{1};
    if (to - from == 1) return factors[from];
    const size_t middle = from + (to - from) / 2;
    return nat::mul(productOf(factors, from, middle), productOf(factors, middle, to));
}

// Limbs of the scalar of the last remainder, above and below, whose reduction (quadratic in
// the length) may be taken: about half a second.
constexpr double kMaxScalarLimbs = 20000;

// The last Euclidean remainder from the subresultant sequence of x's and y's integer
// polynomials, taken from its images (modular_remainders.h). Remainder k+1 is remainder
// k-1's scalar times g h^delta / lc^(delta+1) times member k+1, as in `remainder` above, so
// the scalar of the last one is a product of such factors along every second step. No
// answer when the images would cost too much: the integer steps may still fit, sparse
// lists above all.
std::optional<Status> gcdByImages(const Scaled &x, const Scaled &y, poly *&result) {
    SubresultantSequence sequence;
    if (subresultantSequence(x.p, y.p, sequence) != Status::ok) return std::nullopt;
    const size_t last = sequence.degrees.size() - 1;
    Int g = makeInt(Nat{1}, false), h = makeInt(Nat{1}, false);
    std::vector<Nat> above, below;
    bool negative = false;
    double limbsAbove = 0, limbsBelow = 0;
    for (size_t i = 1; i < last; i++) {
        const uint64_t delta = uint64_t(sequence.degrees[i - 1] - sequence.degrees[i]);
        const Int &lc = sequence.leading[i];
        if ((last - i) % 2 == 1) {  // the factor that gives member i+1, on the way to the last
            Int beta = delta == 0 ? g : mul(g, powerOf(h, delta));
            Int lcPower = powerOf(lc, delta + 1);
            negative = negative != (beta.negative != lcPower.negative);
            limbsAbove += double(beta.magnitude.size());
            limbsBelow += double(lcPower.magnitude.size());
            if (std::max(limbsAbove, limbsBelow) > kMaxScalarLimbs) return Status::tooBig;
            above.push_back(std::move(beta.magnitude));
            below.push_back(std::move(lcPower.magnitude));
        }
        g = lc;
        if (delta == 1) h = lc;
        else if (delta > 1) h = divideExactly(powerOf(lc, delta), powerOf(h, delta - 1));
    }
    const Scaled &start = last % 2 == 0 ? x : y;
    above.push_back(start.num.magnitude);
    below.push_back(start.den);
    // Lowest terms factor by factor: the whole numerator against each short factor below
    // costs the product of the two lengths and a gcd of short numbers, where one gcd of the
    // two long products would cost the square of their length. Once a factor shares nothing
    // with the numerator, the later divisions of the numerator keep it so.
    Nat num = productOf(above, 0, above.size());
    for (Nat &factor : below) {
        const Nat common = gcdWithShort(num, factor);
        if (isOne(common)) continue;
        num = quotientOf(num, common);
        factor = quotientOf(factor, common);
    }
    Scaled r{std::move(sequence.last), makeInt(std::move(num), negative != start.num.negative),
             productOf(below, 0, below.size())};
    Budget budget;
    result = scaledToList(r, budget);
    return result ? Status::ok : Status::tooBig;
}

bool hasNoNegativeExponent(const std::vector<Term> &p) { return p.back().exponent >= 0; }

}  // namespace

bool fromList(const poly *list, QPoly &out) {
    if (!list || list->next) return false;
    out.terms.clear();
    std::vector<Nat> denominators;
    for (const poly *t = list; t; t = t->prev) {
        if (t != list && t->exponent >= t->next->exponent) return false;
        const std::string &c = t->coefficient;
        if (c == "0" || !isPlainNumber(c)) return false;
        const bool negative = c[0] == '-';
        size_t start = negative ? 1 : 0, bar = c.find('|');
        size_t end = bar == std::string::npos ? c.size() : bar;
        out.terms.push_back({t->exponent, makeInt(nat::from_decimal(std::string_view(c).substr(start, end - start)),
                                                  negative)});
        denominators.push_back(bar == std::string::npos ? Nat{1} : nat::from_decimal(std::string_view(c).substr(bar + 1)));
    }
    Nat common{1}, q, r;
    for (const Nat &d : denominators) {
        if (isOne(d)) continue;
        nat::divmod(d, nat::gcd(common, d), q, r);
        common = nat::mul(common, q);
    }
    if (!isOne(common))
        for (size_t k = 0; k < out.terms.size(); k++) {
            nat::divmod(common, denominators[k], q, r);
            out.terms[k].value.magnitude = nat::mul(out.terms[k].value.magnitude, q);
        }
    out.denominator = std::move(common);
    return true;
}

poly *toList(const QPoly &p) {
    if (p.terms.empty()) return new_term("0", 0);
    poly *handle = nullptr, *last = nullptr;
    TermsFreedOnUnwind unfinished(handle);
    for (const Term &t : p.terms) {
        engineStopPoint();
        append_term(handle, last, new_term(fractionText(t.value, p.denominator), t.exponent), false);
    }
    return handle;
}

Status multiply(const QPoly &a, const QPoly &b, QPoly &product) {
    if (a.terms.empty() || b.terms.empty()) {
        product = QPoly{{}, Nat{1}};
        return Status::ok;
    }
    int64_t high = 0, low = 0;
    if (!addExponents(a.terms.front().exponent, b.terms.front().exponent, high) ||
        !addExponents(a.terms.back().exponent, b.terms.back().exponent, low))
        return Status::exponentRange;
    const double ta = double(a.terms.size()), tb = double(b.terms.size());
    const double slots = double(span(a.terms)) + double(span(b.terms)) + 1;
    const double denominatorDigits = log10Of(a.denominator) + log10Of(b.denominator);
    const double digits = maxLog10(a.terms) + maxLog10(b.terms) + std::log10(std::min(ta, tb)) + 1;
    if (!fitsResult(std::min(slots, ta * tb), digits, denominatorDigits)) return Status::tooBig;
    const size_t width = maxLimbs(a.terms) + maxLimbs(b.terms) + 1;
    QPoly r;
    r.denominator = nat::mul(a.denominator, b.denominator);
    if (slots <= 4 * ta * tb + 64 && slots * double(width) <= double(kMaxKroneckerLimbs)) {
        Int pa = pack(a.terms, a.terms.back().exponent, width, span(a.terms) + 1);
        Int packed = &a == &b ? makeInt(nat::sqr(pa.magnitude), false)
                              : mul(pa, pack(b.terms, b.terms.back().exponent, width, span(b.terms) + 1));
        unpack(packed, low, width, size_t(slots), r.terms);
    } else if (ta * tb <= kMaxSparsePairs) {
        sparseProduct(a.terms, b.terms, r.terms);
    } else {
        return Status::tooBig;
    }
    reduceContent(r);
    product = std::move(r);
    return Status::ok;
}

Status power(const QPoly &a, int32_t n, QPoly &result) {
    const __int128 high = __int128(a.terms.front().exponent) * n, low = __int128(a.terms.back().exponent) * n;
    if (high > INT64_MAX || low < INT64_MIN) return Status::exponentRange;
    const double t = double(a.terms.size());
    const double terms = std::min(double(span(a.terms)) * n + 1, std::pow(t, double(n)));
    const double digits = n * (maxLog10(a.terms) + std::log10(t)) + 1;
    if (!fitsResult(terms, digits, n * log10Of(a.denominator))) return Status::tooBig;
    if (a.terms.size() <= kMaxRecurrenceTerms && double(span(a.terms)) < 4 * t) {
        result = powerByRecurrence(a, n);
        return Status::ok;
    }
    std::vector<int32_t> halves;
    for (int32_t m = n; m > 0; m /= 2) halves.push_back(m);
    QPoly r = a, next;
    for (size_t i = halves.size() - 1; i-- > 0;) {
        if (Status s = multiply(r, r, next); s != Status::ok) return s;
        r = std::move(next);
        if (halves[i] % 2 == 0) continue;
        if (Status s = multiply(r, a, next); s != Status::ok) return s;
        r = std::move(next);
    }
    result = std::move(r);
    return Status::ok;
}

// Long division with the remainder kept as an integer polynomial R over lc^k * da (k the
// steps so far): each step cancels the leading term with lc*R - t*x^shift*Nb, and the
// quotient term is t*db / (lc^(k+1) * da).
Status divide(const QPoly &a, const QPoly &b, poly *&quotient, poly *&remainder) {
    quotient = remainder = nullptr;
    const int64_t degA = a.terms.front().exponent, degB = b.terms.front().exponent;
    if (degA < degB) {
        remainder = toList(a);
        quotient = new_term("0", 0);
        return Status::ok;
    }
    const Int &lc = b.terms.front().value;
    const Int db = makeInt(b.denominator, false);
    poly *q = nullptr, *last = nullptr;
    TermList owned;
    Budget budget;
    auto quotientTerm = [&](const Int &t, const Nat &lcPower, bool negative, int64_t exponent) {
        Int num = mul(t, db);
        if (negative) num = negatedInt(num);
        Nat den = nat::mul(lcPower, a.denominator);
        budget.spend(num.magnitude, den);
        append_term(q, last, new_term(fractionText(num, den), exponent), false);
        if (!owned) owned.reset(q);
    };
    if (degB == 0) {  // a constant divisor divides every term and leaves nothing
        for (const Term &t : a.terms) quotientTerm(t.value, lc.magnitude, lc.negative, t.exponent);
        quotient = owned.release();
        remainder = new_term("0", 0);
        return Status::ok;
    }
    std::vector<Term> rest = a.terms;
    Nat lcPower{1};
    bool negativePower = false;
    double digits = 0;
    int64_t steps = 0;
    while (!rest.empty() && rest.front().exponent >= degB) {
        int64_t shift = 0;
        if (__builtin_sub_overflow(rest.front().exponent, degB, &shift)) return Status::exponentRange;
        if (++steps > kMaxQuotientTerms) return Status::tooBig;
        engineStopPoint();
        lcPower = nat::mul(lcPower, lc.magnitude);
        negativePower = negativePower != lc.negative;
        const Int t = rest.front().value;
        quotientTerm(t, lcPower, negativePower, shift);
        digits += double(last ? last->coefficient.size() : 0);
        if (digits > kMaxResultDigits || !cancelLeading(rest, lc, t, shift, b.terms, budget)) return Status::tooBig;
    }
    const Nat den = nat::mul(lcPower, a.denominator);
    for (const Term &t : rest) budget.spend(t.value.magnitude, den);
    if (budget.left < 0) return Status::tooBig;
    poly *r = nullptr, *rLast = nullptr;
    TermsFreedOnUnwind unfinished(r);
    for (const Term &t : rest)
        append_term(r, rLast, new_term(fractionText(negativePower ? negatedInt(t.value) : t.value, den), t.exponent), false);
    quotient = owned.release();
    remainder = r ? r : new_term("0", 0);
    return Status::ok;
}

Status gcd(const QPoly &a, const QPoly &b, poly *&result) {
    result = nullptr;
    Scaled x{a.terms, makeInt(Nat{1}, false), a.denominator};
    Scaled y{b.terms, makeInt(Nat{1}, false), b.denominator};
    // The first division of a polynomial by one of higher degree leaves it as it is: the
    // two change places.
    if (x.p.front().exponent < y.p.front().exponent) std::swap(x, y);
    if (y.p.front().exponent > 0 && hasNoNegativeExponent(x.p) && hasNoNegativeExponent(y.p))
        if (std::optional<Status> s = gcdByImages(x, y, result)) return *s;
    Subresultant st;
    Budget budget;
    Scaled r;
    if (Status s = remainder(x, y, st, r, budget); s != Status::ok) return s;
    for (int64_t steps = 0;; steps++) {
        if (r.p.empty()) {
            result = scaledToList(y, budget);
            return result ? Status::ok : Status::tooBig;
        }
        if (isOneRemainder(r)) {
            result = new_term("1", 0);
            return Status::ok;
        }
        if (steps >= kMaxGcdSteps) return Status::tooBig;
        engineStopPoint();
        x = std::move(y);
        y = std::move(r);
        r = Scaled{};
        if (Status s = remainder(x, y, st, r, budget); s != Status::ok) return s;
    }
}

}  // namespace polyn::exact
