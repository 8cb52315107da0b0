// Evaluation of comma-separated postfix texts in fraction mode: every number becomes a
// fraction before it is pushed and every operator works on fractions, so results stay
// exact; powers with fractional exponents give exact roots or radical texts.
#include <algorithm>
#include <iostream>

#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "nat/nat.h"
#include "tools.h"

using namespace engine;

namespace {

const char *const kDegreeZero = "Error> a root of degree 0 is not defined.";

bool isFractionOperator(const std::string &f, bool traced) {
    static const char *const ops[] = {"+", "-", "*", "/", "%", "@", "^", "!", "<", ">", "[", "]", "~"};
    for (const char *op : ops)
        if (f == op) return true;
    return traced && (f == "sin" || f == "cos" || f == "|");
}

// Numerator without sign and denominator ("1" without a bar).
void parts(const std::string &t, std::string &num, std::string &den) {
    size_t bar = t.find('|');
    num = t.substr(0, bar);
    if (startsWith(num, '-') || startsWith(num, '+')) num.erase(0, 1);
    den = bar == std::string::npos ? "1" : t.substr(bar + 1);
}

bool hasBar(const std::string &t) { return t.find('|') != std::string::npos; }

}  // namespace

// x^y of two digit texts as the numerical evaluator computes it; other texts go through
// the evaluator itself.
std::string BigNumber::evaluatePowerText(const std::string &x, const std::string &y) {
    if (isAllDigits(x) && isAllDigits(y) && !x.empty() && !y.empty()) {
        if (x == "0" && y == "0") return "undefined";
        if (y == "0" || x == "1") return "1";
        return power(x, y);
    }
    std::string v;
    EvalInfixExprNoOutput(x + "^" + y, v, 0);
    return v;
}

std::string BigNumber::fractionPower(const std::string &a, const std::string &b) {
    std::string aw, av, au, at;
    parts(a, aw, av);
    parts(b, au, at);
    bool aNeg = isNegative(a), bNeg = isNegative(b);
    // Zero to a negative power is one divided by zero, answered as the division answers it.
    if ((a == "0" || a == "0|1") && bNeg && au != "0") return fr_division("1", "0");
    if (a == "0") return b == "0" ? "undefined" : "0";
    if (b == "0") return "1";
    if (hasBar(a)) {
        if (a == "0|1") return au == "0" ? "0^0 is undefined" : "0|1";
        if (a == "1|1" || au == "0") return "1|1";
        auto wholePower = [&](const std::string &k) -> std::string {
            // Every later step reduces by a gcd, whose cost grows with the square of the
            // digits: a fraction past that size stays written as a power (still exact).
            int64_t n;
            if (av != "1" && isAllDigits(k) && checkedInt64(k, 0, 999999999999999999, n) &&
                double(n) * double(aw.size() + av.size()) > kMaxExactFractionDigits)
                return "(" + a + ")^" + (bNeg ? "(" + b + ")" : b);
            std::string N = evaluatePowerText(aw, k), D = evaluatePowerText(av, k);
            std::string r = bNeg ? D + "|" + N : N + "|" + D;
            return aNeg && !isEven(k) ? "-" + r : r;
        };
        if (!hasBar(b)) return wholePower(bNeg ? b.substr(1) : b);
        // A numerator with letters has no gcd or root: whole powers are expanded, others written.
        if (!isAllDigits(aw) || !isAllDigits(av)) {
            if (at == "1" && isAllDigits(au)) return wholePower(au);
            return "(" + a + ")^(" + b + ")";
        }
        return fractionToFractionPower(aw, av, au, at, aNeg, bNeg);
    }
    if (hasBar(b)) {
        if (au == "0") return a == "0" ? "undefined" : "1|1";
        if (at == "1") {
            if (au == "1") return a;
            std::string P = evaluatePowerText(aw, au);
            return aNeg && !isEven(au) ? "-" + P : P;
        }
        if (!aNeg) return a + "^(" + au + "|" + at + ")";
        if (at == "0" || !isAllDigits(at)) return kDegreeZero;
        int64_t degree;
        if (!checkedInt64(at, 0, INT64_MAX, degree)) return integerRangeMessage(at, 0, INT64_MAX);
        std::string P = evaluatePowerText(aw, au);
        if (isEven(au)) return simplifySqrtn(P, degree);
        std::string S;
        EvalInfixExprNoOutput(a + "^" + au, S, 0);
        if (!isEven(at)) return S + "^" + "1|" + at;
        return isNegative(S) ? "(" + S + ")^(1|" + at + ")" : S + "^(1|" + at + ")";
    }
    std::string P = evaluatePowerText(aw, au);
    if (isMessageText(P)) return P;
    // Integers on both sides: the power is exact, and a negative exponent gives the fraction
    // 1|P, a number text that the walk computes on. With letters the power stays written.
    bool exact = isAllDigits(P) && !P.empty() && isAllDigits(aw) && isAllDigits(au);
    std::string one = exact ? "1|" : "1/";
    if (aNeg) {
        if (bNeg) return (isEven(au) ? "" : "-") + one + P;
        return isEven(au) ? P : "-" + P;
    }
    if (bNeg) return one + P;
    if (aw == "0" && au == "0") return "undefined";
    if (aw == "0") return "0";
    if (au == "0") return "1";
    return exact ? P : a + "^" + b;
}

// (aw/av)^(au/at) with both sides fractions: reduced, powered by the numerator, and the
// root of the denominator's degree taken exactly where it exists, as a radical otherwise.
std::string BigNumber::fractionToFractionPower(const std::string &aw, const std::string &av, const std::string &au,
                                               const std::string &at, bool aNeg, bool bNeg) {
    std::string g = gcd(aw, av);
    std::string n = int_quotient(aw, g), d = int_quotient(av, g);
    std::string h = gcd(au, at);
    std::string p = int_quotient(au, h), q = int_quotient(at, h);
    if (!isAllDigits(p) || !isAllDigits(q) || p.empty() || q.empty()) return "NaN";
    if (q.find_first_not_of('0') == std::string::npos) return kDegreeZero;
    // Beyond the exact road's sizes the power stays written as it is: still exact.
    int64_t pv, qv;
    if (!checkedInt64(p, 0, 999999999, pv) || !checkedInt64(q, 0, int64_t(kMaxExactRootDegree), qv) ||
        double(pv) * double(n.size() + d.size()) > kMaxExactPowerDigits) {
        std::string base = d == "1" ? n : n + "|" + d;
        return (aNeg ? "(-" + base + ")" : base) + "^(" + p + "|" + q + ")";
    }
    std::string T = int_power(n, pv);
    std::string O = d == "1" ? "1" : int_power(d, pv);
    if (!isRealNumber(T) || !isRealNumber(O)) return isRealNumber(T) ? O : T;  // a message of the power
    if (q == "1") {
        std::string r;
        if (O == "1") r = bNeg ? "1|" + T : T;
        else r = bNeg ? O + "|" + T : T + "|" + O;
        return !isEven(p) && aNeg ? "-" + r : r;
    }
    // The integer root where the value is a perfect power (found on machine words, whatever
    // the precision), the simplified radical otherwise.
    auto exactRoot = [&](const std::string &value) {
        nat::Nat v = nat::from_decimal(value), m = nat::root(v, uint64_t(qv));
        if (nat::pow(m, uint64_t(qv)) == v) return nat::to_decimal(m, 1);
        return simplifySqrtn(value, qv);
    };
    std::string m = exactRoot(T), l = exactRoot(O);
    if (aNeg && !isEven(au)) {
        if (bNeg) l = complexRootsText("-" + O, qv, false);
        else m = complexRootsText("-" + T, qv, false);
    }
    if (bNeg) return m == "1" ? l : l + "|" + m;
    return l == "1" ? m : m + "|" + l;
}

std::string BigNumber::fractionBinaryOp(const OperandSlots &slots) {
    const std::string &op = slots[0], &b = slots[1], &a = slots[2];
    if (op == "+") return fr_addition(a, b);
    if (op == "-") return fr_subtraction(a, b);
    if (op == "*") return fr_multiplication(a, b);
    if (op == "/") return fr_division(a, b);
    if (op == "!") return fr_factorial_operator(a, b);
    if (op == "^") return fractionPower(a, b);
    if (op == "<") return isFractionLess(a, b) ? "1" : "0";
    if (op == ">") return isFractionGreater(a, b) ? "1" : "0";
    if (op == "~") return isFractionEqual(a, b) ? "1" : "0";
    if (op == "[") {
        std::string factor = fr_addition(b, "1|1");
        return fr_multiplication(a, factor);
    }
    if (op == "]") {
        std::string part = fr_multiplication(b, "-1|1");
        std::string factor = fr_addition("1|1", part);
        return fr_multiplication(a, factor);
    }
    if (op == "%") return fractionQuotient(a, b);
    if (op == "@") return fractionRemainder(a, b);
    return "";
}

// The integer quotient a/b truncated toward zero, as '%' gives it for integers.
std::string BigNumber::fractionQuotient(const std::string &a, const std::string &b) {
    std::string q = fr_division(a, b);
    if (isSpecialWord(q) || q == "-Inf") return q;
    size_t bar = q.find('|');
    if (bar == std::string::npos) return q;
    std::string r = int_quotient(q.substr(0, bar), q.substr(bar + 1));
    return r == "-0" ? "0" : r;
}

// The remainder in [0, |b|), as '@' gives it for integers: a - |b| * floor(a / |b|).
std::string BigNumber::fractionRemainder(const std::string &a, const std::string &b) {
    std::string m = isNegative(b) ? b.substr(1) : b;
    std::string q = fr_division(a, m);
    if (isSpecialWord(q) || q == "-Inf") return "Inf";
    size_t bar = q.find('|');
    std::string fl = q;
    if (bar != std::string::npos) {
        std::string num = q.substr(0, bar), den = q.substr(bar + 1);
        fl = int_quotient(num, den);
        if (isNegative(num)) fl = real_subtraction(fl, "1");  // floor, not truncation
    }
    std::string t = fr_multiplication(m, fl);
    std::string r = fr_subtraction(a, t);
    return r;
}

// The shared walk: operands are pushed, operators take one or two values. The answer is
// the one value the walk leaves; a postfix that leaves none or several is malformed and
// answers an error text.
std::string BigNumber::walkFractionPostfix(const std::vector<std::string> &fields, bool traced) {
    std::vector<std::string> stack;
    const std::string who = traced ? "EvalFractionPostfixExpression" : "EvalFractionPostfixExprNoOutput";
    for (const std::string &field : fields) {
        if (!isFractionOperator(field, traced)) {
            stack.push_back(field);
            continue;
        }
        OperandSlots slots{field, "", ""};
        if (stack.empty()) {
            std::string error = "Error(" + who + ")> The stack is empty.";
            std::cout << "temp[0]=" << field << "\n" << error << std::endl;
            return error;
        }
        slots[1] = stack.back();
        stack.pop_back();
        if (stack.empty() || (traced && (field == "sin" || field == "cos"))) {
            // A lone operand under '-' is negated as a fraction (the general product would
            // treat n|d as a term with letters).
            if (field == "-") slots[1] = fr_multiplication(slots[1], "-1");
            else if (field == "sin") slots[1] = sine(slots[1]);
            else if (field == "cos") slots[1] = cosine(slots[1]);
            else if (field != "+") slots[1] = field + "(" + slots[1] + ")";
            stack.push_back(slots[1]);
            if (isMessageText(slots[1])) return slots[1];
            continue;
        }
        slots[2] = stack.back();
        stack.pop_back();
        stack.push_back(fractionBinaryOp(slots));
        if (isMessageText(stack.back())) return stack.back();
    }
    if (stack.size() == 1) return stack.back();
    return "Error(" + who + ")> The expression leaves " + std::to_string(stack.size()) +
           " values on the stack instead of one.";
}

std::string BigNumber::EvalFractionPostfixExprNoOutput(std::string postfixText) {
    std::vector<std::string> fields;
    size_t start = 0;
    for (size_t comma; (comma = postfixText.find(',', start)) != std::string::npos; start = comma + 1) {
        std::string f = postfixText.substr(start, comma - start);
        if (isRealNumber(f) && f != "+" && f != "-") f = decimal_to_fraction(f);
        fields.push_back(f);
    }
    if (fields.size() == 1) return fields[0];
    return walkFractionPostfix(fields, false);
}

std::string BigNumber::EvalFractionPostfixExpression(std::string postfixText) {
    std::vector<std::string> fields;
    size_t comma = postfixText.find(',');
    if (comma != std::string::npos) {
        std::string first = postfixText.substr(0, comma);
        fields.push_back(isRealNumber(first) ? decimal_to_fraction(first) : first);
        size_t n = size_t(std::count(postfixText.begin(), postfixText.end(), ','));
        size_t start = comma + 1;
        while (fields.size() < n) {
            size_t next = postfixText.find(',', start);
            std::string f = postfixText.substr(start, next == std::string::npos ? std::string::npos : next - start);
            if (isRealNumber(f) && f != "+" && f != "-") f = decimal_to_fraction(f);
            fields.push_back(f);
            if (next == std::string::npos) break;
            start = next + 1;
        }
    }
    std::string answer = fields.size() == 1 ? fields[0] : fields.empty() ? "" : walkFractionPostfix(fields, true);
    outStream << answer << std::endl;
    return answer;
}
