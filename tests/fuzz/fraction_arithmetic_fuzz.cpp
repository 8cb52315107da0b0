// fuzz-links: kavlo_engine
// Fraction arithmetic and the limb arithmetic under it, against the slow reference of
// fuzz_checks.h. The input's digit runs make two operands: signed fractions n|d or decimals
// (the first byte picks the forms). Sums, differences, products and quotients must be the
// exact values in lowest terms; the limb sums, differences, products and divisions of the
// digit runs must agree with long arithmetic by hand.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "BigNumber.h"
#include "fuzz_checks.h"
#include "nat/nat.h"

namespace {

constexpr size_t kMaxDigits = 300;  // the reference is quadratic

std::vector<std::string> digitRuns(const std::string &text) {
    std::vector<std::string> runs;
    std::string run;
    for (char c : text + " ") {
        if (c >= '0' && c <= '9') {
            if (run.size() < kMaxDigits) run += c;
        } else if (!run.empty()) {
            runs.push_back(run);
            run.clear();
        }
    }
    return runs;
}

std::string natText(const nat::Nat &a) { return nat::is_zero(a) ? "0" : nat::to_decimal(a); }

void checkLimbs(const std::string &a, const std::string &b) {
    nat::Nat x = nat::from_decimal(a), y = nat::from_decimal(b);
    std::string A = fuzz::canonical(a), B = fuzz::canonical(b);
    fuzz::require(natText(nat::add(x, y)) == fuzz::add(A, B), "limb sum of " + A + " and " + B);
    fuzz::require(natText(nat::mul(x, y)) == fuzz::mul(A, B), "limb product of " + A + " and " + B);
    int c = fuzz::compare(A, B);
    fuzz::require(nat::compare(x, y) == c, "limb comparison of " + A + " and " + B);
    if (c >= 0) fuzz::require(natText(nat::sub(x, y)) == fuzz::sub(A, B), "limb difference of " + A + " and " + B);
    if (B == "0") return;
    nat::Nat q, r;
    nat::divmod(x, y, q, r);
    std::string Q, R;
    fuzz::divmod(A, B, Q, R);
    fuzz::require(natText(q) == Q && natText(r) == R, "limb division of " + A + " by " + B);
}

// The value of a fraction answer, which must be in lowest terms (or an integer, "n|1" too).
fuzz::Rational answerValue(BigNumber &bn, const std::string &answer, const std::string &what) {
    fuzz::Rational v;
    fuzz::require(fuzz::parseRational(answer, v), what + " = " + answer + ": no number");
    if (answer.find('|') != std::string::npos)
        fuzz::require(bn.gcd(v.num, v.den) == "1", what + " = " + answer + ": not in lowest terms");
    return v;
}

fuzz::Rational exact(bool negative, const std::string &num, const std::string &den) {
    fuzz::Rational r;
    r.negative = negative;
    r.num = num;
    r.den = den;
    return r;
}

// a + b and a - b by value (signs on the numerators).
fuzz::Rational sum(const fuzz::Rational &a, const fuzz::Rational &b, bool subtract) {
    std::string x = fuzz::mul(a.num, b.den), y = fuzz::mul(b.num, a.den), den = fuzz::mul(a.den, b.den);
    bool yNegative = b.negative != subtract;
    if (a.negative == yNegative) return exact(a.negative, fuzz::add(x, y), den);
    if (fuzz::compare(x, y) >= 0) return exact(a.negative, fuzz::sub(x, y), den);
    return exact(yNegative, fuzz::sub(y, x), den);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    if (size < 1 || size > 2048) return 0;
    std::vector<std::string> runs = digitRuns(std::string(reinterpret_cast<const char *>(data + 1), size - 1));
    if (runs.size() < 2) return 0;
    checkLimbs(runs[0], runs[1]);
    if (runs.size() < 4) return 0;
    // operands: n|d with a non-zero d, or the decimal n.d; signs from the first byte
    auto operand = [&](size_t k, bool negative, bool decimal) -> std::string {
        const std::string &n = runs[2 * k], &d = runs[2 * k + 1];
        if (!decimal && fuzz::canonical(d) == "0") return "";
        return (negative ? "-" : "") + n + (decimal ? "." : "|") + d;
    };
    std::string a = operand(0, data[0] & 1, data[0] & 4), b = operand(1, data[0] & 2, data[0] & 8);
    if (a.empty() || b.empty()) return 0;
    fuzz::Rational x, y;
    if (!fuzz::parseRational(a, x) || !fuzz::parseRational(b, y)) return 0;
    BigNumber bn;
    bn.setMode(1);
    std::string fa = bn.decimal_to_fraction(a), fb = bn.decimal_to_fraction(b);
    fuzz::require(fuzz::sameValue(answerValue(bn, fa, a), x), a + " as a fraction is " + fa);
    std::string s = bn.fr_addition(fa, fb);
    fuzz::require(fuzz::sameValue(answerValue(bn, s, fa + " + " + fb), sum(x, y, false)), fa + " + " + fb + " = " + s);
    std::string t = bn.fr_subtraction(fa, fb);
    fuzz::require(fuzz::sameValue(answerValue(bn, t, fa + " - " + fb), sum(x, y, true)), fa + " - " + fb + " = " + t);
    std::string p = bn.fr_multiplication(fa, fb);
    fuzz::Rational product = exact(x.negative != y.negative, fuzz::mul(x.num, y.num), fuzz::mul(x.den, y.den));
    fuzz::require(fuzz::sameValue(answerValue(bn, p, fa + " * " + fb), product), fa + " * " + fb + " = " + p);
    if (y.num == "0") return 0;
    std::string q = bn.fr_division(fa, fb);
    fuzz::Rational quotient = exact(x.negative != y.negative, fuzz::mul(x.num, y.den), fuzz::mul(x.den, y.num));
    fuzz::require(fuzz::sameValue(answerValue(bn, q, fa + " / " + fb), quotient), fa + " / " + fb + " = " + q);
    return 0;
}
