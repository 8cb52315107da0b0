// Equations of degree 1 and 2 in closed form. The quadratic solver computes exactly in both
// calculation modes: its roots are integers, reduced fractions, texts with simplified square
// roots, or complex texts ending in "i". Neither solver prints; the caller writes the roots.
#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "solvers/solver_texts.h"
#include "tools.h"

using namespace engine;
using solvers::coefficientAt;

namespace {


bool startsWithSqrt(const std::string &t, size_t at) {
    return t.compare(at, 4, "sqrt") == 0;
}

} // namespace

int BigNumber::solve_linear_equation(const std::vector<std::string> &coefficients, std::string &root,
                                     std::ostream &) {
    const std::string &c0 = coefficientAt(coefficients, 0), &c1 = coefficientAt(coefficients, 1);
    // A zero slope in any written form: dividing by it would answer "Inf" as a root.
    if (isZeroValue(c1)) {
        bool everyNumber = isZeroValue(c0);
        root = everyNumber ? "any real number" : "NO solution.";
        return everyNumber ? 0 : -1;
    }
    std::string dividend = negate(c0);
    root = (mode & kFractionBit) ? fr_division(dividend, c1) : real_division(dividend, c1);
    return 1;
}

int BigNumber::solve_eqn_of_deg2(const std::vector<std::string> &coefficients,
                                 std::vector<std::string> &roots, std::ostream &out) {
    std::string a = coefficientAt(coefficients, 2), b = coefficientAt(coefficients, 1),
                c = coefficientAt(coefficients, 0);
    // Cancelled square terms leave b*x + c = 0: its answer stands for both roots.
    if (isZeroValue(a)) {
        std::string root;
        int code = solve_linear_equation({c, b}, root, out);
        roots.push_back(root);
        roots.push_back(root);
        return code;
    }
    if (isIntegerText(a) && isIntegerText(b) && isIntegerText(c)) {
        std::string g = gcd(a, b);
        g = gcd(g, c);
        if (g != "1" && g != "-1") {
            a = int_division(a, g);
            b = int_division(b, g);
            c = int_division(c, g);
        }
    }
    std::string bb = fr_multiplication(b, b);
    std::string ac = fr_multiplication(a, c);
    std::string ac4 = fr_multiplication(ac, "4");
    std::string D = fr_subtraction(bb, ac4);
    if (isZeroValue(D)) D = "0"; // a "-0" would read as a complex double root
    bool complex = isNegative(D);
    int code = complex ? -1 : D == "0" ? 0 : 1;

    std::string t = fr_multiplication("2", a);
    std::string divisor = t; // 2a, and the radical's denominator when it has one
    std::string absD = complex ? D.substr(1) : D;
    std::string R;
    size_t bar = absD.find('|');
    if (bar == std::string::npos) {
        R = simplifySqrt(absD);
    } else {
        std::string num = absD.substr(0, bar), den = absD.substr(bar + 1);
        std::string rootDen = simplifySqrt(den);
        if (isAllDigits(rootDen) || !isAllDigits(num) || !isAllDigits(den)) {
            std::string rootNum = simplifySqrt(num);
            R = rootNum + "|" + rootDen;
        } else {
            // sqrt(n/d) = sqrt(n*d)/d keeps the radical out of the denominator.
            std::string nd = int_multiplication(num, den);
            R = simplifySqrt(nd);
            divisor = fr_multiplication(t, den);
        }
    }
    std::string minusB = negate(b);
    std::string m = fr_division(minusB, t);

    bool radicalForm = false;
    std::string s;
    size_t star = R.find('*');
    if (star == std::string::npos) {
        if (R.size() > 6 && startsWithSqrt(R, 0)) {
            radicalForm = true;
            size_t rbar = R.find('|');
            if (!(mode & kFractionBit) && rbar != std::string::npos) {
                std::string product;
                EvalInfixExprNoOutput(R.substr(rbar + 1) + "*(" + divisor + ")", product,
                                      mode & kFractionBit);
                s = R.substr(0, rbar) + "|" + product;
            } else {
                s = R + (isAllDigits(divisor) ? "/" + divisor : "/(" + divisor + ")");
            }
        } else {
            s = fr_division(R, divisor);
        }
    } else if (R.size() > star + 4 && startsWithSqrt(R, star + 1)) {
        radicalForm = true;
        std::string coefficient = R.substr(0, star), r = R.substr(star + 1);
        std::string q = fr_division(coefficient, divisor);
        std::string N, M;
        if (splitFraction(q, N, M) && M != "1") {
            s = N == "1" ? r + "|" + M : N == "-1" ? "-" + r + "|" + M : N + r + "|" + M;
        } else {
            s = q == "1" ? r : q == "-1" ? "-" + r : q + r;
        }
    } else {
        s = R + "/(" + divisor + ")";
    }
    if (complex) s += "i";

    if (isEqualTo(m, "0")) { // the roots are +s and -s as written
        roots.push_back(s);
        roots.push_back(solvers::turnedSign(s));
        return code;
    }
    std::string x1, x2;
    if (startsWith(s, '-') || startsWith(s, '+')) {
        x1 = m + s;
        x2 = m + solvers::turnedSign(s);
    } else {
        x1 = m + "+" + s;
        x2 = m + "-" + s;
    }
    if (code >= 0 && !radicalForm) { // rational roots arrive reduced
        std::string v;
        EvalInfixExprNoOutput(x1, v, mode & kFractionBit);
        x1 = v;
        EvalInfixExprNoOutput(x2, v, mode & kFractionBit);
        x2 = v;
    }
    roots.push_back(x1);
    roots.push_back(x2);
    return code;
}
