// a*x + b*y = c in integers, with the worked solution printed: Euclid's algorithm on the
// coefficients, the quotients, a sign test on last digits, a check of the particular
// solution and the general solution in t. The particular solution comes from the
// continuants of the quotient list: with U the larger and V the smaller magnitude,
// U*K(q1..qk) - V*K(q0..qk) is +1 or -1 once Euclid stops on the remainder 1.
#include <algorithm>

#include "BigNumber.h"
#include "number_routines.h"
#include "solvers.h"
#include "solvers/solver_texts.h"

using namespace engine;

namespace {

const char *const kEndLine = "-----------end---------\n";

// The check, x and y lines of the particular solution, by the sign test's case (M: the test
// gave -1, P: +1), the order (a-major when |a| > |b|) and the signs of a and b. Letters
// stand for texts: A and B the magnitudes, a and b the signed coefficients, I and J the
// continuants times c.
struct SolutionLines {
    bool caseM, aMajor, aNegative, bNegative;
    const char *check, *x, *y;
};

const SolutionLines kSolutionLines[] = {
    {true, true, true, true, "A*Ib*J", "x = -I+Bt\n", "y = J-At\n\n"},
    {true, true, false, true, "A*Ib*J", "x = I+Bt\n", "y = J+At\n\n"},
    {true, true, true, false, "A*I-b*J", "x = -I+Bt\n", "y = -J+At\n\n"},
    {true, true, false, false, "A*I-b*J", "x = I+Bt\n", "y = -J-At\n\n"},
    {true, false, true, true, "A*J-B*I", "x = -J+Bt\n", "y = I-At\n\n"},
    {true, false, false, true, "A*J-B*I", "x = J+Bt\n", "y = I+At\n\n"},
    {true, false, true, false, "A*J-B*I", "x = -J+Bt\n", "y = -I+At\n\n"},
    {true, false, false, false, "A*J-B*I", "x = J+Bt\n", "y = -I-At\n\n"},
    {false, true, true, true, "B*J-A*I", "x = I+Bt\n", "y = -J-At\n\n"},
    {false, true, true, false, "B*J-A*I", "x = I+Bt\n", "y = J+At\n\n"},
    {false, true, false, true, "b*(-J)-a*I", "x = -I+Bt\n", "y = -J+At\n\n"},
    {false, true, false, false, "b*J-a*I", "x = -I+Bt\n", "y = J-At\n\n"},
    {false, false, true, true, "B*I-A*J", "x = J+Bt\n", "y = -I-At\n\n"},
    {false, false, true, false, "B*I-A*J", "x = J+Bt\n", "y = I+At\n\n"},
    {false, false, false, true, "B*I-A*J", "x = -J+Bt\n", "y = -I+At\n\n"},
    {false, false, false, false, "B*I-A*J", "x = -J+Bt\n", "y = I-At\n\n"},
};

struct Texts {
    std::string A, B, a, b, I, J;
};

// The pattern with each of the letters A, B, a, b, I and J replaced by its text.
std::string filled(const char *pattern, const Texts &t) {
    std::string out;
    for (const char *p = pattern; *p; p++) {
        switch (*p) {
        case 'A':
            out += t.A;
            break;
        case 'B':
            out += t.B;
            break;
        case 'a':
            out += t.a;
            break;
        case 'b':
            out += t.b;
            break;
        case 'I':
            out += t.I;
            break;
        case 'J':
            out += t.J;
            break;
        default:
            out += *p;
        }
    }
    return out;
}

int lastDigit(const std::string &t) {
    return t.back() - '0';
}

// coefficient*value, a negative value in brackets.
std::string product(const std::string &coefficient, const std::string &value) {
    return coefficient + "*" + (isNegative(value) ? "(" + value + ")" : value);
}

// The solution written out directly when a reduced coefficient is 0 or exactly one has the
// magnitude 1: then one unknown is 0 and the other c/(+-1), and the steps are the other
// magnitude (none for a zero coefficient).
void printDirectSolution(BigNumber &bn, const Texts &t, const std::string &c, std::ostream &out) {
    bool bUnit = t.B == "1";
    std::string minusC = solvers::plainInteger(bn.negate(c));
    std::string x0 = bUnit ? "0" : isNegative(t.a) ? minusC : c;
    std::string y0 = !bUnit ? "0" : isNegative(t.b) ? minusC : c;
    bool sameSign = isNegative(t.a) == isNegative(t.b);
    std::string yStep = t.B == "0" ? "+1t" : t.A == "0" ? "" : (sameSign ? "-" : "+") + t.A + "t";
    out << product(t.a, x0) << (isNegative(t.b) ? "" : "+") << product(t.b, y0) << " == " << c << "\n"
        << "x = " << x0 << (t.B == "0" ? "" : "+" + t.B + "t") << "\n"
        << "y = " << y0 << yStep << "\n\n"
        << "\n"
        << kEndLine;
}

// The single line of A = B = 1.
void printUnitLine(const Texts &t, const std::string &c, std::ostream &out) {
    if (isNegative(t.a))
        out << (isNegative(t.b) ? "y=-x-" : "y=x+") << c << "\n";
    else
        out << (isNegative(t.b) ? "y=x-" : "y=-x+") << c << "\n";
}

} // namespace

int solve_linear_diophantine2(const std::string &a0, const std::string &b0, std::ostream &out,
                              const std::string &c0) {
    if (!isIntegerText(a0) || !isIntegerText(b0) || !isIntegerText(c0)) {
        out << solvers::kNotIntegers;
        return 0;
    }
    BigNumber bn;
    Texts t;
    t.a = solvers::plainInteger(a0);
    t.b = solvers::plainInteger(b0);
    std::string c = solvers::plainInteger(c0);
    t.A = std::string(unsignedPart(t.a));
    t.B = std::string(unsignedPart(t.b));
    if (isNegative(c)) { // the equation times -1, so that c is not negative
        c.erase(0, 1);
        t.a = isNegative(t.a) || t.A == "0" ? t.A : "-" + t.A;
        t.b = isNegative(t.b) || t.B == "0" ? t.B : "-" + t.B;
    }
    out << "Solve the equation: " << t.a << "*x" << (isNegative(t.b) ? "" : "+") << t.b << "*y = " << c
        << "\n";

    if (t.A == "0" && t.B == "0") {
        out << (c == "0" ? "Every pair of integers x, y is a solution.\n" : "No solution.\n");
        return c == "0" ? 1 : 0;
    }
    std::string g = bn.gcd(t.A, t.B);
    if (bn.int_remainder(c, g) != "0") {
        out << "No solution.\n";
        return 0;
    }
    if (g != "1") {
        for (std::string *s : {&t.A, &t.B, &t.a, &t.b, &c}) *s = bn.int_division(*s, g);
    }
    if (t.A == "0" || t.B == "0" || (t.A == "1") != (t.B == "1")) {
        printDirectSolution(bn, t, c, out);
        return 1;
    }
    bool aMajor = bn.isLessThan(t.B, t.A);
    if (!aMajor && !bn.isLessThan(t.A, t.B)) {
        printUnitLine(t, c, out);
        return 1;
    }

    // Euclid on the larger and the smaller magnitude, stopping at the remainder 1 (the
    // coefficients are coprime and neither is 1, so it comes before the remainder 0).
    std::vector<std::string> quotients;
    std::string u = aMajor ? t.A : t.B, v = aMajor ? t.B : t.A;
    for (;;) {
        std::string r = bn.int_remainder(u, v);
        std::string q = bn.int_quotient(u, v);
        quotients.push_back(q);
        out << u << "==" << q << "*" << v << "+" << r << "\n";
        if (r == "1" || r == "0") break;
        u = v;
        v = r;
    }
    for (const std::string &q : quotients) out << q << " ";
    out << "\n";

    std::vector<std::string> reversed(quotients.rbegin(), quotients.rend());
    t.J = euler_brackets(reversed);
    t.I = euler_brackets(std::vector<std::string>(quotients.begin() + 1, quotients.end()));
    int da = lastDigit(t.a), db = lastDigit(t.b), dI = lastDigit(t.I), dJ = lastDigit(t.J);
    int T;
    if (aMajor) {
        T = (db * dJ) % 10 - (da * dI) % 10;
        out << "test: " << T << "==" << db << "*" << dJ << "-" << da << "*" << dI << "\n";
    } else {
        T = (db * dI) % 10 - (da * dJ) % 10;
        out << "test: " << T << "==" << db << "*" << dI << "-" << da << "*" << dJ << "\n";
    }
    // T is congruent to -1 or +1 modulo 10 by the convergent identity.
    bool caseM = T == -1 || T == 9;
    if (c != "1") {
        t.I = bn.int_multiplication(t.I, c);
        t.J = bn.int_multiplication(t.J, c);
    }
    bool aNegative = isNegative(t.a), bNegative = isNegative(t.b);
    const SolutionLines *row =
        std::find_if(std::begin(kSolutionLines), std::end(kSolutionLines), [&](const SolutionLines &l) {
            return l.caseM == caseM && l.aMajor == aMajor && l.aNegative == aNegative &&
                   l.bNegative == bNegative;
        });
    out << filled(row->check, t) << " == " << c << "\n"
        << filled(row->x, t) << filled(row->y, t) << "\n"
        << kEndLine;
    return 1;
}
