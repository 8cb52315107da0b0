// Multiplication of any two texts. Real numbers are multiplied exactly on their digits and
// keep as many fraction digits as both factors together (0.5 * 0.2 is 0.10). Other texts
// are sums of terms, multiplied out term by term; a product of two single terms combines
// their leading numeric coefficients and chains the rest with '*'. Like terms are never
// collected.
#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "tools.h"

using namespace engine;

namespace {

constexpr size_t kMaxExpandedTerms = 4096;

// Terms of an operand: its symbolic terms in order, then its numeric terms summed into one.
std::vector<std::string> prepareTerms(BigNumber &bn, const std::string &operand) {
    std::vector<std::string> terms;
    std::string numeric;
    for (std::string &t : splitTerms(operand)) {
        if (BigNumber::isRealNumber(t)) numeric += t;
        else terms.push_back(t);
    }
    if (!numeric.empty()) {
        std::string value;
        bn.EvalInfixExprNoOutput(numeric, value, 0);
        if (!startsWith(value, '+') && !startsWith(value, '-')) value = "+" + value;
        terms.push_back(value);
    }
    return terms;
}

// "0" for a zero coefficient, the rest alone for 1, else coefficient*rest.
std::string withCoefficient(const std::string &c, const std::string &rest) {
    if (c == "0") return "0";
    if (c == "1") return rest;
    return c + "*" + rest;
}

}  // namespace

std::string &BigNumber::multiplication(const std::string &a, const std::string &b) {
    if (isRealNumber(a) && isRealNumber(b)) {
        bool negative = isNegative(a) != isNegative(b);
        size_t fa, fb;
        std::string E = scaledDigits(std::string(unsignedPart(a)), fa);
        std::string D = scaledDigits(std::string(unsignedPart(b)), fb);
        size_t t = fa + fb;
        std::string P = int_multiplication(E, D);
        if (t > 0) {
            if (P.size() >= t) {
                std::string integer = P.substr(0, P.size() - t);
                P = (integer.empty() ? "0" : integer) + "." + P.substr(P.size() - t);
            } else {
                P = "0." + std::string(t - P.size(), '0') + P;
            }
        }
        if (P == "0") return result = "0";
        return result = negative ? "-" + P : P;
    }
    std::vector<std::string> x = prepareTerms(*this, a), y = prepareTerms(*this, b);
    // Multiplying out sums this long would take quadratic time and text: kept as a product.
    if (x.size() * y.size() > kMaxExpandedTerms) return result = "(" + a + ")*(" + b + ")";
    if (x.size() == 1 && y.size() == 1) {
        bool negative = x[0][0] != y[0][0];
        std::string p = singleTermProduct(x[0].substr(1), y[0].substr(1));
        return result = negative ? "-" + p : p;
    }
    std::string expansion;
    for (const std::string &s : x)
        for (const std::string &r : y) {
            std::string G = s.substr(1), F = r.substr(1), P;
            if (isRealNumber(G) && isRealNumber(F)) {
                if (!G.empty() && !F.empty()) EvalInfixExprNoOutput("(" + G + ")*(" + F + ")", P, 0);
                else P = G + F;
            } else {
                P = multiplication(G, F);
            }
            if (P.size() >= 2 && P[0] == '0' && isLetter(P[1])) P = "0";
            else if (P.size() >= 2 && P[0] == '1' && isLetter(P[1])) P.erase(0, 1);
            expansion += (s[0] == r[0] ? '+' : '-');
            expansion += P;
        }
    if (startsWith(expansion, '+')) expansion.erase(0, 1);
    return result = expansion;
}

// Product of two unsigned single terms: leading numeric coefficients are multiplied as
// fractions, the rest are chained with '*'.
std::string BigNumber::singleTermProduct(const std::string &t, const std::string &o) {
    auto splittable = [](const std::string &term) { return !hasPlusOrMinus(term) && !hasParenthesis(term); };
    // A coefficient that is no number (a lone point, two points) leaves the term unsplit:
    // multiplying it as a fraction would come back here without end.
    auto numeric = [](const std::string &c) {
        return isRealNumber(c) && c.find_first_of("0123456789") != std::string::npos;
    };
    std::string ct, ht, co, ho;
    bool ts = splittable(t), os = splittable(o);
    if (ts) split_coefficient(t, ct, ht);
    if (os) split_coefficient(o, co, ho);
    ts = ts && numeric(ct);
    os = os && numeric(co);
    if (ts && os) {
        // The fraction evaluator would turn both into fractions and multiply them.
        std::string c = fr_multiplication(decimal_to_fraction(ct), decimal_to_fraction(co));
        c = reduce_fraction(c);
        if (ht.empty()) return withCoefficient(c, ho);
        if (ho.empty()) return withCoefficient(c, ht);
        return withCoefficient(c, ht + "*" + ho);
    }
    if (ts) return withCoefficient(ct, ht.empty() ? o : ht + "*" + o);
    if (os) return withCoefficient(co, ho.empty() ? t : ho + "*" + t);
    if (t == "0" || o == "0") return "0";
    if (t == "1") return o;
    if (o == "1") return t;
    return t + "*" + o;
}
