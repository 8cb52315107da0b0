// Exponential, logarithm, sine and cosine in fixed point, by the bit-burst method: the
// argument is cut into pieces of 9, 18, 36, ... digits, and each piece, a short rational,
// is summed by binary splitting; the pieces are combined by e^(a+b) = e^a e^b and the
// angle-addition formulas. The logarithm runs the same pieces backwards: it divides its
// argument by e^r for ever longer approximations r of its own logarithm until what is left
// is 1 to the scale.
// ln 10 and ln 5/4 (and ln 2 where they are kept already) come from one basis of three series,
//   ln 2  = 14 atanh(1/31) + 10 atanh(1/49) +  6 atanh(1/161)
//   ln 10 = 46 atanh(1/31) + 34 atanh(1/49) + 20 atanh(1/161)
//   ln 5/4 = 4 atanh(1/31) +  4 atanh(1/49) +  2 atanh(1/161)
// and ln 2 asked alone from series that converge faster and need one division in all,
//   ln 2 = 18 atanh(1/26) - 2 atanh(1/4801) + 8 atanh(1/8749).
#include "elementary/real_elementary.h"

#include <cmath>
#include <limits>

#include "globals.h"

namespace realfn {

using nat::Nat;

Nat shiftDown(const Nat &x, size_t digits) { return nat::shift_decimal_down(x, digits); }

Nat mulScaled(const Nat &a, const Nat &b, size_t scale) { return shiftDown(nat::mul(a, b), scale); }

Nat divScaled(const Nat &a, const Nat &b, size_t scale) {
    Nat q, r;
    nat::divmod(nat::shift_decimal(a, scale), b, q, r);
    return q;
}

Scaled addSigned(const Scaled &a, const Scaled &b) {
    Scaled r{{}, a.scale, a.negative};
    if (a.negative == b.negative) {
        r.magnitude = nat::add(a.magnitude, b.magnitude);
    } else if (nat::compare(a.magnitude, b.magnitude) >= 0) {
        r.magnitude = nat::sub(a.magnitude, b.magnitude);
    } else {
        r.magnitude = nat::sub(b.magnitude, a.magnitude);
        r.negative = b.negative;
    }
    if (r.magnitude.empty()) r.negative = false;
    return r;
}

double leadingLog10(const Nat &x) {
    if (x.empty()) return -std::numeric_limits<double>::infinity();
    double lead = 0;
    size_t n = std::min<size_t>(x.size(), 3);
    for (size_t i = 0; i < n; i++) lead = lead * double(nat::BASE) + double(x[x.size() - 1 - i]);
    return std::log10(lead) + double(nat::LIMB_DIGITS) * double(x.size() - n);
}

namespace {

// The three arctangents behind ln 2, ln 10 and ln 5/4, kept at the largest scale asked
// for so far: a smaller scale is a cut of them.
struct LogBasis {
    size_t scale = 0;
    Nat a31, a49, a161;
};

LogBasis &keptBasis() {
    static LogBasis basis;
    return basis;
}

// ln 2 from its own series, kept like the basis.
struct KeptLn2 {
    size_t scale = 0;
    Nat value;
};

KeptLn2 &keptLn2() {
    static KeptLn2 kept;
    return kept;
}

const LogBasis &logBasis(size_t scale) {
    LogBasis &basis = keptBasis();
    if (basis.scale < scale) {
        size_t s = std::max(scale, basis.scale * 3 / 2);  // grow geometrically
        basis.a31 = atanhOfInverse(31, s);
        basis.a49 = atanhOfInverse(49, s);
        basis.a161 = atanhOfInverse(161, s);
        basis.scale = s;
    }
    return basis;
}

Nat logCombination(size_t scale, uint32_t c31, uint32_t c49, uint32_t c161) {
    size_t s = scale + 2;  // the cut and the weights stay below one unit of the answer
    const LogBasis &b = logBasis(s);
    size_t drop = b.scale - s;
    Nat x = shiftDown(b.a31, drop), y = shiftDown(b.a49, drop), z = shiftDown(b.a161, drop);
    nat::mul_small(x, c31);
    nat::mul_small(y, c49);
    nat::mul_small(z, c161);
    return shiftDown(nat::add(nat::add(x, y), z), 2);
}

// The digits of t (t < 10 at the scale) as one integer digit and `scale` decimals.
std::string digitsOf(const Nat &t, size_t scale) { return nat::to_decimal(t, scale + 1); }

// The pieces of the argument: decimals (0, 9], (9, 18], (18, 36], ... as a / 10^d; the
// first piece also takes the integer digit.
template <typename Use> void forEachPiece(const Nat &t, size_t scale, Use use) {
    std::string digits = digitsOf(t, scale);
    size_t done = 0;
    for (size_t d = 9;; d *= 2) {
        size_t upto = std::min(d, scale);
        std::string piece = done == 0 ? digits.substr(0, 1 + upto) : digits.substr(1 + done, upto - done);
        Nat a = nat::from_decimal(piece);
        if (!a.empty()) use(a, upto);
        done = upto;
        if (done >= scale) break;
    }
}

// e^t for 0 <= t < 1 at the scale.
Nat expOfSmall(const Nat &t, size_t scale) {
    Nat value = nat::pow10(scale);
    forEachPiece(t, scale, [&](const Nat &a, size_t d) { value = mulScaled(value, expOfRatio(a, d, scale), scale); });
    return value;
}

size_t digitCount(uint64_t v) {
    size_t n = 1;
    while (v >= 10) {
        v /= 10;
        n++;
    }
    return n;
}

}  // namespace

void forgetKeptConstants() {
    keptBasis() = LogBasis{};
    keptLn2() = KeptLn2{};
}

Nat ln2Series(size_t scale) { return atanhSum({{18, 26}, {-2, 4801}, {8, 8749}}, scale); }

Nat ln2At(size_t scale) {
    KeptLn2 &kept = keptLn2();
    if (kept.scale < scale && keptBasis().scale >= scale + 2) return logCombination(scale, 14, 10, 6);
    if (kept.scale < scale) {
        size_t s = std::max(scale, kept.scale * 3 / 2);  // grow geometrically
        kept.value = ln2Series(s);
        kept.scale = s;
    }
    return shiftDown(kept.value, kept.scale - scale);
}
Nat ln10At(size_t scale) { return logCombination(scale, 46, 34, 20); }
Nat ln5over4At(size_t scale) { return logCombination(scale, 4, 4, 2); }

size_t storedPiDecimals() { return __pi__.size() - 2; }

bool piAt(size_t scale, Nat &pi) {
    if (scale > storedPiDecimals()) return false;
    pi = nat::from_decimal("3" + __pi__.substr(2, scale));
    return true;
}

Nat eAt(size_t scale) { return expOfRatio(Nat{1}, 0, scale); }

Nat expAt(const Scaled &x, size_t scale) {
    // x = k ln 2 + r with |r| <= ln 2 / 2, e^x = 2^k e^r
    double approx = std::pow(10.0, leadingLog10(x.magnitude) - double(x.scale));
    int64_t k = x.magnitude.empty() ? 0 : int64_t(std::llround(approx / std::log(2.0)));
    if (x.negative) k = -k;
    uint64_t absK = uint64_t(k < 0 ? -k : k);
    // 2^k multiplies the error of e^r: carry its digits as well
    size_t s = scale + 4 + (k > 0 ? size_t(double(k) * 0.30103) + 1 : 0);
    size_t sl = s + digitCount(absK) + 1;
    Nat kln2 = shiftDown(nat::mul(ln2At(sl), nat::from_u64(absK)), sl - s);
    Scaled xs{x.scale <= s ? nat::shift_decimal(x.magnitude, s - x.scale) : shiftDown(x.magnitude, x.scale - s), s,
              x.negative};
    Scaled r = addSigned(xs, Scaled{kln2, s, k > 0});
    Nat er = expOfSmall(r.magnitude, s);
    if (r.negative) er = divScaled(nat::pow10(s), er, s);
    Nat two = nat::from_u64(2);
    if (k >= 0) return shiftDown(nat::mul(er, nat::pow(two, absK)), s - scale);
    Nat q, rem;
    nat::divmod(er, nat::pow(two, absK), q, rem);
    return shiftDown(q, s - scale);
}

Scaled lnAt(const Nat &mantissa, int64_t exponent, size_t scale) {
    // m = 2^j y with y in [0.7, 1.42]; ln(m 10^e) = e ln 10 + j ln 2 + ln y
    size_t s = scale + 4;
    Nat m = nat::shift_decimal(mantissa, 4);
    double md = std::pow(10.0, leadingLog10(m) - double(s));
    uint64_t j = uint64_t(std::llround(std::log2(md)));
    Nat y;
    Nat rem;
    nat::divmod(m, nat::pow(nat::from_u64(2), j), y, rem);
    // the pieces of ln y: r0 from a double, then ever longer cuts of y - 1
    Nat one = nat::pow10(s);
    double yd = std::pow(10.0, leadingLog10(y) - double(s));
    int64_t r0 = std::llround(std::log(yd) * 1e9);
    Scaled total{nat::shift_decimal(nat::from_u64(uint64_t(r0 < 0 ? -r0 : r0)), s - 9), s, r0 < 0};
    auto divideOut = [&](const Nat &a, size_t d, bool negative) {  // y = y / e^(+-a/10^d)
        Nat e = expOfRatio(a, d, s);
        y = negative ? mulScaled(y, e, s) : divScaled(y, e, s);
    };
    if (r0 != 0) divideOut(nat::from_u64(uint64_t(r0 < 0 ? -r0 : r0)), 9, r0 < 0);
    for (size_t d = 18;; d *= 2) {
        Scaled delta = addSigned(Scaled{y, s, false}, Scaled{one, s, true});
        if (d >= s) {  // ln y = (y - 1) - (y - 1)^2 / 2 ..., and (y - 1)^2 is below the scale
            total = addSigned(total, delta);
            break;
        }
        Nat a = shiftDown(delta.magnitude, s - d);
        if (a.empty()) continue;
        divideOut(a, d, delta.negative);
        total = addSigned(total, Scaled{nat::shift_decimal(a, s - d), s, delta.negative});
    }
    uint64_t absE = exponent < 0 ? uint64_t(-exponent) : uint64_t(exponent);
    if (absE > 0) {
        size_t sl = s + digitCount(absE) + 1;
        Nat eln10 = shiftDown(nat::mul(ln10At(sl), nat::from_u64(absE)), sl - s);
        total = addSigned(total, Scaled{eln10, s, exponent < 0});
    }
    if (j > 0) {
        Nat jln2 = ln2At(s);
        nat::mul_small(jln2, nat::Limb(j));
        total = addSigned(total, Scaled{jln2, s, false});
    }
    bool negative = total.negative;
    Nat magnitude = shiftDown(total.magnitude, 4);
    return Scaled{magnitude, scale, negative && !magnitude.empty()};
}

void sinCosAt(const Nat &t, size_t scale, Nat &sine, Nat &cosine) {
    size_t s = scale + 4;
    Nat ts = nat::shift_decimal(t, 4);
    Nat sn, cs = nat::pow10(s);
    forEachPiece(ts, s, [&](const Nat &a, size_t d) {
        Nat ps, pc;
        sinCosOfRatio(a, d, s, ps, pc);
        Nat nextSin = nat::add(mulScaled(sn, pc, s), mulScaled(cs, ps, s));
        Nat cc = mulScaled(cs, pc, s), ss = mulScaled(sn, ps, s);
        cs = nat::compare(cc, ss) >= 0 ? nat::sub(cc, ss) : Nat{};
        sn = nextSin;
    });
    sine = shiftDown(sn, 4);
    cosine = shiftDown(cs, 4);
}

bool decideText(const Approx &x, size_t decimals, LastDigit mode, std::string &out) {
    const Scaled &v = x.value;
    if (v.scale < decimals) return false;
    size_t drop = v.scale - decimals;
    Nat half = drop > 0 ? nat::shift_decimal(nat::from_u64(5), drop - 1) : Nat{};
    auto key = [&](const Nat &m) { return shiftDown(mode == LastDigit::Rounded ? nat::add(m, half) : m, drop); };
    Nat lo = nat::compare(v.magnitude, x.error) > 0 ? nat::sub(v.magnitude, x.error) : Nat{};
    Nat hi = nat::add(v.magnitude, x.error);
    Nat q = key(lo);
    if (nat::compare(q, key(hi)) != 0) return false;
    // a value that may lie on either side of zero is decided only when it prints as zero
    if (nat::compare(v.magnitude, x.error) <= 0 && !q.empty()) return false;
    std::string digits = nat::to_decimal(q, decimals + 1);
    out = v.negative && !q.empty() ? "-" : "";
    out += digits.substr(0, digits.size() - decimals);
    if (decimals > 0) out += "." + digits.substr(digits.size() - decimals);
    return true;
}

bool decideWithGuards(size_t decimals, LastDigit mode, const std::function<bool(size_t, Approx &)> &compute,
                      std::string &out) {
    Approx best;
    bool have = false;
    for (size_t guard = 16; guard <= 1024; guard *= 2) {
        Approx next;
        if (!compute(guard, next)) break;
        best = next;
        have = true;
        if (decideText(best, decimals, mode, out)) return true;
    }
    if (!have) return false;
    // Still open after 1024 guard digits (or pi ran out): print the approximation itself.
    best.error.clear();
    return decideText(best, decimals, mode, out);
}

}  // namespace realfn
