// Real division to the engine's precision, the division of terms, and the integer
// quotient operator '%' (in this calculator '%' is integer division; '@' is the remainder).
#include "BigNumber.h"
#include "engine/engine_internal.h"

using namespace engine;

namespace {

const char *const kInfinity = "\xE2\x88\x9E";

// The special answer for a divisor written "0" or "-0".
std::string signedZeroDivision(const std::string &a, bool divisorNegative) {
    if (a == "0" || a == "-0") return "-NaN";
    bool dividendNegative = isNegative(a);
    return (dividendNegative == divisorNegative ? "+" : "-") + std::string("Inf");
}

std::string joinTerms(const std::vector<std::string> &terms, bool dropLeadingPlus) {
    std::string s;
    for (const std::string &t : terms) s += t;
    if (dropLeadingPlus && startsWith(s, '+')) s.erase(0, 1);
    return s;
}

// Cut before every '+' and '-' after the first character, regardless of parentheses.
std::vector<std::string> cutAtSigns(const std::string &operand) {
    std::string t = startsWith(operand, '+') || startsWith(operand, '-') ? operand : "+" + operand;
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t i = 1; i < t.size(); i++)
        if (t[i] == '+' || t[i] == '-') {
            pieces.push_back(t.substr(start, i - start));
            start = i;
        }
    pieces.push_back(t.substr(start));
    return pieces;
}

}  // namespace

// Symbolic terms first, then the numeric terms folded into one value (signed).
std::vector<std::string> BigNumber::foldNumericTerms(const std::string &operand, bool &hadSymbolic,
                                                     bool &hadNumeric) {
    std::vector<std::string> terms;
    std::string numeric;
    for (std::string &t : cutAtSigns(operand)) {
        if (isRealNumber(t)) numeric += t;
        else terms.push_back(t);
    }
    hadSymbolic = !terms.empty();
    hadNumeric = !numeric.empty();
    if (hadNumeric) {
        std::string value;
        EvalInfixExprNoOutput(numeric, value, 0);
        if (!startsWith(value, '+') && !startsWith(value, '-')) value = "+" + value;
        terms.push_back(value);
    }
    return terms;
}

std::string &BigNumber::real_division(const std::string &a, const std::string &b) {
    if (isRealNumber(a) && isRealNumber(b)) {
        if (b == "0" || b == "-0") return result = signedZeroDivision(a, b == "-0");
        bool negative = isNegative(a) != isNegative(b);
        size_t da, db;
        std::string x = scaledDigits(std::string(unsignedPart(a)), da);
        std::string y = scaledDigits(std::string(unsignedPart(b)), db);
        // A zero dividend over a divisor that is not zero has one answer, "0", whatever decimals
        // either operand was written with (the integer division would keep the zeros that line
        // the points up, or write the precision's decimals).
        bool zero = x.find_first_not_of('0') == std::string::npos && y.find_first_not_of('0') != std::string::npos;
        if (da < db) x.append(db - da, '0');
        else y.append(da - db, '0');
        std::string q = zero ? "0" : int_division(x, y);
        return result = negative ? "-" + q : q;
    }
    return divideTerms(a, b);
}

std::string &BigNumber::divideTerms(const std::string &a, const std::string &b) {
    bool aSymbolic, aNumeric, bSymbolic, bNumeric;
    std::vector<std::string> x = foldNumericTerms(a, aSymbolic, aNumeric);
    std::vector<std::string> y = foldNumericTerms(b, bSymbolic, bNumeric);
    if (bSymbolic || !bNumeric) {
        std::string Y = x.size() == 1 ? x[0] : "(" + joinTerms(x, true) + ")";
        std::string W = joinTerms(y, true);
        if (y.size() > 1) W = "(" + W + ")";
        if (x.size() == 1) return result = Y + "/" + W;
        return result = Y + (startsWith(W, '-') ? "/(" + W + ")" : "/" + W);
    }
    std::string V = y.back();
    if (V == "+0" || V == "0") return result = "Inf";
    std::string answer;
    auto lastNumeric = [&](const std::string &L, const std::string &divisor) {
        std::string value;
        EvalInfixExprNoOutput(L + "/(" + divisor + ")", value, 0);
        return !value.empty() && isDigit(value[0]) ? "+" + value : value;
    };
    if (isNegative(V)) {
        std::string v = V.substr(1);
        for (size_t i = 0; i < x.size(); i++) {
            const std::string &T = x[i];
            if (i + 1 == x.size() && isRealNumber(T)) {
                answer += lastNumeric(T, V);
                continue;
            }
            std::string piece = T.substr(1) + "/" + v;
            if (startsWith(T, '+')) piece = "-" + piece;
            else if (!answer.empty()) piece = "+" + piece;
            answer += piece;
        }
        return result = answer;
    }
    std::string v = startsWith(V, '+') ? V.substr(1) : V;
    for (size_t i = 0; i < x.size(); i++) {
        std::string T = x[i];
        if (i == 0 && startsWith(T, '+')) T.erase(0, 1);
        if (i + 1 == x.size() && isRealNumber(x[i])) answer += lastNumeric(T, v);
        else answer += T + "/" + v;
    }
    return result = answer;
}

std::string &BigNumber::quotient_operator(const std::string &a, const std::string &b) {
    result.clear();
    // A zero divisor is recognised by value for integer texts ("00" is as much zero as "0").
    if (b == "0" || b == "+0" || b == "-0" || isZeroInteger(b)) {
        if (a == "0" || a == "+0" || a == "-0" || isZeroInteger(a)) return result = "NaN";
        bool divisorNegative = isNegative(b);
        bool plus = isNegative(a) ? divisorNegative : !divisorNegative;
        return result = (plus ? "+" : "-") + std::string(kInfinity);
    }
    for (const std::string *operand : {&a, &b})
        if (operand->find('.') != std::string::npos) {
            errorMessage = "\nhint> ===*=== syntax error ===*===\n    > the operand `" + *operand +
                           "` of % must be integers.";
            return errorMessage;
        }
    return int_quotient(a, b);
}
