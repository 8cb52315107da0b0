// Exact arithmetic on fraction texts (numerator '|' denominator, the sign on the
// numerator), and the helpers that reduce fractions and split coefficients off terms.
#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "tools.h"

using namespace engine;

int BigNumber::split_coefficient(const std::string &term, std::string &coefficient, std::string &rest) {
    if (term.find_first_of("+*-/^") != std::string::npos) {
        coefficient = "1";
        rest = term;
        return -1;
    }
    size_t n = 0;
    while (n < term.size() && (isDigit(term[n]) || term[n] == '.')) n++;
    coefficient = n == 0 ? "1" : term.substr(0, n);
    rest = term.substr(n);
    return int(n);
}

std::string reduce_fraction(const std::string &text) {
    size_t n = text.size();
    if (n >= 3 && (text[n - 2] == '|' || text[n - 2] == '/') && text[n - 1] == '1') return text.substr(0, n - 2);
    size_t bar = text.find('|');
    if (bar == std::string::npos) bar = text.find('/');
    if (bar == std::string::npos) return text;
    std::string num = text.substr(0, bar), den = text.substr(bar + 1);
    if (den == "1") return num;
    if (isAllDigits(num) && isAllDigits(den) && !num.empty() && !den.empty()) {
        BigNumber bn;
        std::string g = bn.gcd(num, den);
        if (g != "0" && g != "Inf" && isAllDigits(g)) {
            num = bn.int_division(num, g);
            den = bn.int_division(den, g);
        }
    }
    return den == "1" ? num : num + "|" + den;
}

namespace {

// numerator|denominator split at the first '|' outside brackets only (the bar of
// "3^(1000000|1)" is its exponent's); no such '|' stands over "1".
void splitAtBar(const std::string &t, std::string &n, std::string &d) {
    size_t bar = std::string::npos;
    int depth = 0;
    for (size_t k = 0; k < t.size() && bar == std::string::npos; k++) {
        depth += t[k] == '(' ? 1 : t[k] == ')' ? -1 : 0;
        if (t[k] == '|' && depth == 0) bar = k;
    }
    if (bar == std::string::npos) {
        n = t;
        d = "1";
    } else {
        n = t.substr(0, bar);
        d = t.substr(bar + 1);
    }
}

bool isOneOf(const std::string &t, std::initializer_list<const char *> words) {
    for (const char *w : words)
        if (t == w) return true;
    return false;
}

void unwrapParentheses(std::string &t) {
    if (t.size() >= 2 && t.front() == '(' && t.back() == ')') t = t.substr(1, t.size() - 2);
}

bool hasDigit(const std::string &t) { return t.find_first_of("0123456789") != std::string::npos; }

}  // namespace

std::string &BigNumber::fr_division(const std::string &a0, const std::string &b0) {
    bool na = isNegative(a0), nb = isNegative(b0);
    std::string a = na ? a0.substr(1) : a0, b = nb ? b0.substr(1) : b0;
    std::string aN, aD, bN, bD;
    splitAtBar(a, aN, aD);
    splitAtBar(b, bN, bD);
    std::string N = multiplication(aN, bD);
    std::string M = multiplication(aD, bN);
    std::string q;
    if (isEqualTo(M, "1")) {
        q = N;
    } else if (isEqualTo(M, "0")) {
        q = isEqualTo(N, "0") ? "NaN" : "Inf";
    } else if (isEqualTo(N, "0")) {
        q = "0";
    } else if (isAllDigits(N) && isAllDigits(M)) {
        std::string g = gcd(N, M);
        N = int_division(N, g);
        M = int_division(M, g);
        q = M == "1" ? N : N + "|" + M;
    } else {
        // A side that holds a bar of its own is bracketed: one bar must part the two.
        if (!isRealNumber(N) && N.find('|') != std::string::npos) N = "(" + N + ")";
        if (!isRealNumber(M) && M.find('|') != std::string::npos) M = "(" + M + ")";
        q = N + "|" + M;
    }
    return result = (na != nb ? "-" : "") + q;
}

std::string &BigNumber::fr_multiplication(const std::string &a0, const std::string &b0) {
    if (isOneOf(b0, {"0|1", "0", "0/1", ""}) || isOneOf(a0, {"0|1", "0", "0/1", ""})) return result = "0";
    if (a0 == "1" || a0 == "1|1") return result = b0;
    if (b0 == "1" || b0 == "1|1") return result = a0;
    std::string a = a0, b = b0;
    if (isRealNumber(a) && isRealNumber(b)) {
        a = decimal_to_fraction(a0);
        b = decimal_to_fraction(b0);
    }
    std::string aN, aD, bN, bD;
    splitFraction(a, aN, aD);
    splitFraction(b, bN, bD);
    std::string N = multiplication(aN, bN);
    std::string M = multiplication(aD, bD);
    if (M == "1") return result = N;
    bool negN = isNegative(N), negM = isNegative(M);
    if (negN || startsWith(N, '+')) N.erase(0, 1);
    if (negM || startsWith(M, '+')) M.erase(0, 1);
    std::string q;
    if (isAllDigits(N) && isAllDigits(M)) {
        std::string g = gcd(N, M);
        if (isAllDigits(g) && g != "0") {
            N = int_division(N, g);
            M = int_division(M, g);
        }
        q = M == "1" ? N : N + "|" + M;
    } else {
        if (!isRealNumber(N)) N = "(" + N + ")";
        if (!isRealNumber(M)) M = "(" + M + ")";
        q = N + "|" + M;
    }
    return result = (negN != negM ? "-" : "") + q;
}

// Value of the numerator text P op Q: plain numbers are combined directly (the same
// operations the evaluator would apply), anything else goes through the evaluator.
std::string BigNumber::fractionNumerator(const std::string &T, const std::string &P, const std::string &Q,
                                         bool subtract) {
    if (isRealNumber(P) && isRealNumber(Q) && hasDigit(P) && hasDigit(Q) && !startsWith(P, '+') &&
        !startsWith(Q, '+'))
        return subtract ? real_subtraction(P, Q) : addition(P, Q);
    if (!isInfixValid(T)) return "(" + T + ")";
    std::string E;
    EvalInfixExprNoOutput(T, E, 0);
    return E;
}

std::string &BigNumber::fr_subtraction(const std::string &a0, const std::string &b0) {
    if (isOneOf(b0, {"0", "0|1", ""})) return result = a0;
    if (isOneOf(a0, {"0", "0|1", ""})) return fr_multiplication("-1", b0);
    std::string a = isRealNumber(a0) ? decimal_to_fraction(a0) : a0;
    std::string b = isRealNumber(b0) ? decimal_to_fraction(b0) : b0;
    std::string aN, aD, bN, bD;
    splitFraction(a, aN, aD);
    splitFraction(b, bN, bD);
    std::string P = fr_multiplication(aN, bD);
    std::string Q = fr_multiplication(aD, bN);
    std::string D = fr_multiplication(aD, bD);
    std::string T;
    if (!hasPlusOrMinus(Q) || (Q.size() >= 2 && Q.front() == '(' && Q.back() == ')')) T = P + "-" + Q;
    else T = P + "-(" + Q + ")";
    std::string E = fractionNumerator(T, P, Q, true);
    return fr_division(E, D);
}

std::string &BigNumber::fr_addition(const std::string &a, const std::string &b) {
    if (a == "0") return result = b;
    if (b == "0") return result = a;
    std::string aN, aD, bN, bD;
    splitAtBar(a, aN, aD);
    splitAtBar(b, bN, bD);
    for (std::string *part : {&aN, &aD, &bN, &bD}) unwrapParentheses(*part);
    std::string P = fr_multiplication(aN, bD);
    std::string Q = fr_multiplication(aD, bN);
    std::string D = fr_multiplication(aD, bD);
    std::string T;
    if (Q.empty()) T = P;
    else if (startsWith(Q, '-') || startsWith(Q, '+')) T = P + Q;
    else T = P + "+" + Q;
    std::string E = Q.empty() ? T : fractionNumerator(T, P, Q, false);
    if (Q.empty() && isInfixValid(T)) EvalInfixExprNoOutput(T, E, 0);
    else if (Q.empty()) E = "(" + T + ")";
    return fr_division(E, D);
}

std::string &BigNumber::reciprocal(const std::string &x, int kind) {
    if (kind == 0) return real_division("1", x);
    if (kind == 1) return fr_division("1", x);
    return result;
}
