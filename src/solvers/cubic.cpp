// Monic cubic equations x^3 + a*x^2 + b*x + c = 0 by Cardano's formula, with the derivation
// printed as a worked solution. All arithmetic is exact fraction arithmetic; the roots of the
// reduced equation are written with the cube roots u, v and the cube root of unity w.
#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "solvers/solver_texts.h"
#include "tools.h"

using namespace engine;
using solvers::coefficientAt;

namespace {

const char *const kUnityRoot = "-1/2+i*sqrt(3)/2";

// The calculation mode the caller had, given back on every return.
class ModeRestore {
  public:
    explicit ModeRestore(BigNumber &bn) : bn(bn), saved(bn.getMode()) {}
    ~ModeRestore() { bn.setMode(saved); }
    ModeRestore(const ModeRestore &) = delete;
    ModeRestore &operator=(const ModeRestore &) = delete;

  private:
    BigNumber &bn;
    int32_t saved;
};

// The undoing of the substitution y = x + a/3, appended to a root text: "-" s, or "+" |s|.
std::string shiftBack(const std::string &s) {
    return isNegative(s) ? "+" + s.substr(1) : "-" + s;
}

bool isPlainNumber(const std::string &t) { return BigNumber::isRealNumber(t) || BigNumber::isFraction(t); }

std::string reducedEquation(const std::string &p, const std::string &q) {
    std::string e = "y^3" + (isNegative(p) ? p : "+" + p) + "y";
    if (isNegative(q)) return e + q + " == 0";
    if (q == "0") return e + " == 0";
    return e + "+" + q + " == 0";
}

} // namespace

int BigNumber::solve_cubic_equation(const std::vector<std::string> &coefficients,
                                    std::vector<std::string> &roots, std::ostream &out) {
    const std::string a = coefficientAt(coefficients, 2), b = coefficientAt(coefficients, 1),
                      c = coefficientAt(coefficients, 0);
    ModeRestore restore(*this);
    out << "Answer:\n";
    std::string p = b, q = c;
    bool shifted = a != "0";
    if (shifted) {
        out << (isNegative(a) ? "\tLet y=x" + a : "Let y=x+" + a) << "/3\n\n";
        std::string aa = fr_multiplication(a, a);
        std::string aaa = fr_multiplication(aa, a);
        std::string aaa2 = fr_multiplication(aaa, "2");
        std::string ab = fr_multiplication(a, b);
        std::string aa3 = fr_division(aa, "3");
        p = fr_subtraction(b, aa3);
        std::string cubeTerm = fr_division(aaa2, "27");
        std::string withCube = fr_addition(c, cubeTerm);
        std::string abTerm = fr_division(ab, "3");
        q = fr_subtraction(withCube, abTerm);
        out << "We get equation of y: y^3+py+q==0\nwhere\n\n\tp=b-a^2/3,    q=c-ab/3+2a^3/27,\n\n"
            << "and a,b,c,d are coefficients of the equation ax^3+bx^2+cx+d==0\n\n"
            << "By computation,\n";
    }
    out << "\tp = " << p << "\n"
        << "\tq = " << q << "\n";
    if (shifted) out << "Now the equation is: \n\n\t" << reducedEquation(p, q) << "\n";
    setMode(kFractionBit); // square and cube roots in simplified exact form from here on

    std::string s = fr_division(a, "3");
    if (q == "0") { // y^3 + p*y = 0: y is 0 or a square root of -p
        std::string P = negate(p);
        std::string r = sqrt_signed(P, false);
        std::string x1 = fr_subtraction("0", s);
        std::string x2 = fr_subtraction(r, s);
        std::string x3 = fr_subtraction("-" + r, s);
        roots.insert(roots.end(), {x1, x2, x3, ""});
        return 0;
    }

    std::string t = fr_division(p, "3");
    std::string tt = fr_multiplication(t, t);
    std::string P3 = fr_multiplication(t, tt);
    std::string h = fr_division(q, "2");
    std::string hh = fr_multiplication(h, h);
    std::string Delta = fr_addition(hh, P3);
    out << "\n\tDelta = (q/2)^2+(p/3)^3 = " << Delta << "\n";
    std::string r = sqrt_signed(Delta, false);
    out << "\n\tsqrt(Delta) = sqrt((q/2)^2+(p/3)^3) = " << r << "\n\n";
    int code = isNegative(Delta) ? -1 : Delta == "0" ? 0 : 1;

    std::string A = fr_subtraction(r, h);
    out << "\tq/2 = " << h << "\n"
        << "\t-q/2 + sqrt(Delta) = " << A << "\n";
    std::string rh = fr_addition(r, h);
    std::string B = negate(rh);
    out << "\t-q/2 - sqrt(Delta) = " << B << "\n";
    std::string H = negate(h);

    std::string u, v, x1, x2, x3;
    bool rational = false;
    if (isInfixValid(A)) { // sqrt(Delta) is rational
        u = complexRootsText(A, 3, false);
        if (u != "0") {
            std::string pu = fr_division(p, u);
            std::string pu3 = fr_division(pu, "3");
            v = fr_multiplication(pu3, "-1");
        } else {
            v = complexRootsText(B, 3, false);
        }
        // The w-forms and their Cartesian forms compute with u and v: only when both are
        // numbers, or one is 0 and the other stands alone. Two irrational cube roots take
        // the cube-root form below.
        rational = (isPlainNumber(u) && isPlainNumber(v)) || u == "0" || v == "0";
    }
    if (rational) {
        std::string Y = fr_addition(u, v);
        std::string join = isNegative(v) ? "" : "+";
        x2 = u + "w" + join + v + "w^2";
        x3 = u + "w^2" + join + v + "w";
        std::string L = fr_division(Y, "-2");
        std::string uv = fr_subtraction(u, v);
        std::string K = fr_division(uv, "2");
        x1 = fr_subtraction(Y, s);
        x2 += shiftBack(s);
        x3 += shiftBack(s);
        L = fr_subtraction(L, s);
        if (isNegative(K)) {
            x2 += " = " + L + K + "*sqrt(3)*i";
            x3 += " = " + L + "+" + K.substr(1) + "*sqrt(3)*i";
        } else {
            x2 += " = " + L + "+" + K + "*sqrt(3)*i";
            x3 += " = " + L + "-" + K + "*sqrt(3)*i";
        }
    } else {
        u = "sqrtn(" + H + "+" + r + ", 3)";
        v = "sqrtn(" + H + "-" + r + ", 3)";
        x1 = u + "+" + v + shiftBack(s);
        x2 = u + "w+" + v + "w^2" + shiftBack(s);
        x3 = u + "w^2+" + v + "w" + shiftBack(s);
    }
    out << "\tu = " << u << "\n"
        << "\tv = " << v << "\n";
    roots.insert(roots.end(), {x1, x2, x3, kUnityRoot});
    return code;
}
