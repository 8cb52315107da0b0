// Exact arithmetic on fraction texts (numerator '|' denominator, the sign on the
// numerator), and the helpers that reduce fractions and split coefficients off terms.
#include "BigNumber.h"
#include "engine_internal.h"
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
