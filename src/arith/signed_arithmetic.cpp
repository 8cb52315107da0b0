// Signed addition and subtraction. Real-number texts are added exactly on their integer
// and fraction digits, keeping the zeros the digit algorithms produce (0.5 + 0.5 is 1.0);
// every other text is a sum of terms whose numeric terms are summed and whose other terms
// are written out unchanged.
#include "BigNumber.h"
#include "engine/engine_internal.h"

using namespace engine;

namespace {

struct Parts {
    std::string integer, fraction;
    bool hasPoint;
};

// Integer and fraction digits; `emptyIntegerIsZero` reads ".5" as 0.5 (subtraction does,
// addition keeps the empty integer part).
Parts splitAtPoint(const std::string &t, bool emptyIntegerIsZero) {
    size_t p = t.find('.');
    if (p == std::string::npos) return {t, "0", false};
    std::string integer = t.substr(0, p);
    if (integer.empty() && emptyIntegerIsZero) integer = "0";
    return {integer, t.substr(p + 1), true};
}

void padRight(std::string &a, std::string &b) {
    size_t n = std::max(a.size(), b.size());
    a.append(n - a.size(), '0');
    b.append(n - b.size(), '0');
}

}  // namespace

std::string &BigNumber::addition(const std::string &a, const std::string &b) {
    if (!isRealNumber(a) || !isRealNumber(b)) return real_addition(a, b);
    bool na = isNegative(a), nb = isNegative(b);
    std::string A(unsignedPart(a)), B(unsignedPart(b));
    if (!na && !nb) return real_addition(A, B);
    if (!na && nb) return real_subtraction(A, B);
    if (na && !nb) return real_subtraction(B, A);
    std::string sum = real_addition(A, B);
    result = "-" + sum;
    return result;
}

std::string &BigNumber::real_addition(const std::string &a, const std::string &b) {
    if (a == "0") return result = b;
    if (b == "0") return result = a;
    if (isRealNumber(a) && isRealNumber(b)) {
        Parts x = splitAtPoint(a, false), y = splitAtPoint(b, false);
        if (!x.hasPoint && !y.hasPoint) return int_addition(a, b);
        padRight(x.fraction, y.fraction);
        size_t n = x.fraction.size();
        std::string I = int_addition(x.integer, y.integer);
        std::string F = int_addition(x.fraction, y.fraction);
        if (F.size() > n) {  // the fraction digits carried over
            I = int_addition(I, "1");
            F.erase(0, 1);
        }
        return result = I + "." + F;
    }
    // Sum of terms: symbolic terms stay in order, the numeric ones are summed at the end.
    std::string symbolic, numeric;
    for (const std::string *t : {&a, &b})
        for (std::string &term : splitTerms(*t)) (isRealNumber(term) ? numeric : symbolic) += term;
    std::string N;
    if (!numeric.empty()) {
        EvalInfixExprNoOutput(numeric, N, 0);
        if (!startsWith(N, '+') && !startsWith(N, '-')) N = "+" + N;
    }
    std::string sum = symbolic + N;
    if (startsWith(sum, '+')) sum.erase(0, 1);
    return result = sum;
}

std::string &BigNumber::real_subtraction(const std::string &a0, const std::string &b0) {
    if (!isRealNumber(a0) || !isRealNumber(b0)) {
        if (a0 == "0") return multiplication("-1", b0);
        if (b0 == "0") return result = a0;
        // A special word minus itself is no number: Inf - Inf is NaN, not 0.
        if (a0 == b0) return result = isSpecialWord(a0) ? "NaN" : "0";
        std::string negated = multiplication("-1", b0);
        return real_addition(a0, negated);
    }
    // A '+' carries no meaning here; it must not reach the digit arithmetic as a character.
    const std::string a = startsWith(a0, '+') ? a0.substr(1) : a0;
    const std::string b = startsWith(b0, '+') ? b0.substr(1) : b0;
    bool na = isNegative(a), nb = isNegative(b);
    if (na && nb) return real_subtraction(b.substr(1), a.substr(1));
    if (na) {
        std::string sum = real_addition(a.substr(1), b);
        return multiplication("-1", sum);
    }
    if (nb) return real_addition(a, b.substr(1));

    Parts x = splitAtPoint(a, true), y = splitAtPoint(b, true);
    if (!x.hasPoint && !y.hasPoint) return int_subtraction(a, b);
    padRight(x.fraction, y.fraction);
    size_t n = x.fraction.size();
    std::string I = int_subtraction(x.integer, y.integer);
    std::string F = int_subtraction(x.fraction, y.fraction);
    // Integer parts of equal value (the digit subtraction answers "0") decide by the fraction.
    if (isNegative(I) || (I == "0" && isNegative(F))) {
        std::string diff = real_subtraction(b, a);
        return result = "-" + diff;
    }
    if (isNegative(F)) {  // borrow from the integer part
        F = int_subtraction("1" + std::string(n, '0'), F.substr(1));
        I = int_subtraction(I, "1");
    }
    if (F.size() < n) F.insert(0, n - F.size(), '0');
    return result = I + "." + F;
}
