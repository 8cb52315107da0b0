// The command solve. The path is chosen from the equation's form: A*x==b over matrix
// variables, a polynomial equation in the main variable of degree 1 to 3, else a search.
#include "solvers/solve_command.h"

#include <iostream>

#include "Calculator.h"
#include "globals.h"
#include "handlers/bound_usage.h"
#include "handlers/handler_frame.h"
#include "matrix.h"
#include "matrix/matrix_variables.h"
#include "polynomial.h"
#include "text/string_utils.h"
#include "text_helpers.h"
#include "tools.h"

namespace {

constexpr char kEquationMark = '~';
// The search tries at most this many values: a range typed by mistake ends in time.
constexpr uint64_t kMaxSearchValues = 10000;

// ---- the matrix path ----

// A run of letters and '_' from `at`; empty when there is none.
std::string readLetters(const std::string &text, size_t &at) {
    size_t start = at;
    while (at < text.size() && (engine::isLetter(text[at]) || text[at] == '_')) at++;
    return text.substr(start, at - start);
}

// The whole text is A*x==b (or A*x~b) with three names of letters and '_'. Matched by hand:
// a backtracking pattern recurses once a character and a long typed line would exhaust the
// stack.
bool matchMatrixEquation(const std::string &text, std::string &a, std::string &x, std::string &b) {
    size_t at = 0;
    a = readLetters(text, at);
    if (a.empty() || at >= text.size() || text[at++] != '*') return false;
    x = readLetters(text, at);
    if (x.empty()) return false;
    if (text.compare(at, 2, "==") == 0)
        at += 2;
    else if (at < text.size() && text[at] == kEquationMark)
        at++;
    else
        return false;
    b = readLetters(text, at);
    return !b.empty() && at == text.size();
}

// The elimination mode chosen by the two option words.
int32_t eliminationMode(const std::string &second, const std::string &third) {
    bool normal = second == "normal", hint = third == "hint";
    return normal ? (hint ? 1 : 2) : (hint ? 3 : 0);
}

void solveMatrixEquation(Calculator &calculator, const std::string &nameA, const std::string &nameX,
                         const std::string &nameB, const std::string &second, const std::string &third,
                         std::ostream &out) {
    const KV_Matrix *a = matrixValueOf(calculator, nameA), *b = matrixValueOf(calculator, nameB);
    if (!a || !b || a->rows != b->rows || b->cols != 1) return;
    KV_Matrix ab(a->rows, a->cols + 1, "0");
    for (uint64_t i = 0; i < a->rows; i++) {
        for (uint64_t j = 0; j < a->cols; j++) ab.set(i, j, a->get(i, j));
        ab.set(i, a->cols, b->get(i, 0));
    }
    const uint64_t unknowns = a->cols;
    if (storeMatrixVariable(calculator, nameA + "b", ab)) {
        out << "The augmented matrix is:\n";
        writeMatrixCells(out, ab);
        out << "\n-----------------------\n";
    } else {
        ab.printTo(out);
    }
    if (matrixFractionMode()) entriesToFractions(ab.cells);
    uint64_t rankA = 0, rankAb = 0;
    std::vector<std::string> solution;
    uint64_t pivots = gauss_eliminate_steps(ab, nameA, nameX, nameB, rankA, rankAb, solution, out,
                                            eliminationMode(second, third));
    if (pivots == kNoRank || rankA != rankAb || rankA > unknowns) return;
    storeMatrixVariable(calculator, nameX + "_solution", KV_Matrix(solution, unknowns, 1 + unknowns - rankA));
}

// ---- the polynomial path ----

// The side as a polynomial list (descending), evaluating it first when it is no polynomial
// text; false when even its value is none.
bool readSide(Calculator &calculator, std::string &side, TermList &list) {
    bool ok = false;
    TermList parsed(polyn_parse(side, ok));
    if (!ok) {
        std::string value;
        calculator.core.EvalInfixExprNoOutput(side, value, calculator.core.getMode());
        side = value;
        parsed.reset(polyn_parse(side, ok));
    }
    if (!ok || !parsed) return false;
    list.reset(polyn_sort_desc(parsed.get()));
    return list != nullptr;
}

// Coefficients by power 0..degree; powers without a term keep "0".
std::vector<std::string> coefficientList(const poly *d, int64_t degree) {
    std::vector<std::string> c(size_t(degree) + 1, "0");
    for (const poly *t = d; t; t = walk_next(d, t))
        if (t->exponent >= 0 && t->exponent <= degree) c[size_t(t->exponent)] = t->coefficient;
    return c;
}

void answerLinear(Calculator &calculator, const std::vector<std::string> &c, std::ostream &out) {
    std::string root;
    calculator.core.solve_linear_equation({c[0], c[1]}, root, out);
    out << "\nsolution>\n\tx = " << root << "\n\t"
        << "\n";
}

void answerQuadratic(Calculator &calculator, const std::vector<std::string> &c, std::ostream &out) {
    std::vector<std::string> roots;
    calculator.core.solve_eqn_of_deg2(c, roots, out);
    roots.resize(2);
    out << "\nsolution>\n\t" << main_var << "1 = " << roots[0] << "\n\t" << main_var << "2 = " << roots[1]
        << "\n";
}

void answerCubic(Calculator &calculator, std::vector<std::string> c, std::ostream &out) {
    BigNumber &core = calculator.core;
    if (c[3] != "1") {
        bool fraction = (core.getMode() & kFractionBit) != 0;
        for (size_t k = 0; k < c.size(); k++)
            c[k] = fraction ? core.fr_division(c[k], c[3]) : core.real_division(c[k], c[3]);
    }
    std::vector<std::string> roots;
    core.solve_cubic_equation(c, roots, out);
    roots.resize(std::max<size_t>(roots.size(), 4));
    out << "\nsolution>\n\tx1 = " << roots[0] << "\n\tx2 = " << roots[1] << "\n\tx3 = " << roots[2] << "\n\n";
    if (!roots[3].empty()) out << "Where w is\n\t" << roots[3] << "\n\n";
}

// A term whose coefficient is no number: the reader took a quotient apart (1/x is read as
// the coefficient "1/" of x).
bool hasTextCoefficient(const poly *list) {
    for (const poly *t = list; t; t = walk_next(list, t))
        if (!isNumberText(t->coefficient) || t->coefficient.find_last_of("|/") + 1 == t->coefficient.size())
            return true;
    return false;
}

// "(N)/(D)" as the polynomial mode writes a quotient: N and D; any other text is N over 1.
void splitQuotient(const std::string &text, std::string &n, std::string &d) {
    n = text;
    d = "1";
    if (text.size() < 7 || text.front() != '(' || text.back() != ')') return;
    int depth = 0;
    for (size_t k = 0; k < text.size(); k++) {
        depth += text[k] == '(' ? 1 : text[k] == ')' ? -1 : 0;
        if (depth != 0) continue;
        if (text.compare(k + 1, 2, "/(") != 0) return;
        n = text.substr(1, k - 1);
        d = text.substr(k + 3, text.size() - k - 4);
        return;
    }
}

bool solvePolynomialEquation(Calculator &calculator, std::string &left, std::string &right, std::ostream &out);

// A side that is a quotient of polynomials: N_L D_R == N_R D_L on the reduced quotients the
// polynomial mode writes. With one side a polynomial no root of that is a pole; a constant
// other than 0 there has no root at all (1/x == 0). Quotients on both sides are left to the
// search.
bool solveQuotientEquation(Calculator &calculator, const std::string &left, const std::string &right,
                           std::ostream &out) {
    const int32_t flags = (calculator.core.getMode() & kFractionBit) | kPolynBit;
    std::string l, r, nl, dl, nr, dr, cross;
    calculator.core.EvalInfixExprNoOutput(left, l, flags);
    calculator.core.EvalInfixExprNoOutput(right, r, flags);
    splitQuotient(l, nl, dl);
    splitQuotient(r, nr, dr);
    if (dl != "1" && dr != "1") return false;
    calculator.core.EvalInfixExprNoOutput("(" + nl + ")*(" + dr + ")-(" + nr + ")*(" + dl + ")", cross, flags);
    bool ok = false;
    TermList parsed(polyn_parse(cross, ok));
    if (!ok || !parsed || hasTextCoefficient(parsed.get())) return false;
    TermList sorted(polyn_sort_desc(parsed.get()));
    TermList d(polyn_drop_zero_terms(sorted.release()));
    if (!d || d->exponent != 0) {
        std::string zero = "0";
        return solvePolynomialEquation(calculator, cross, zero, out);
    }
    if (isZeroNumber(d->coefficient)) return false;
    out << "\n" << l << " == " << r << "\n\nsolution>\n\tx = NO solution.\n\t\n";
    return true;
}

// True when it answered; false leaves the equation to the search.
bool solvePolynomialEquation(Calculator &calculator, std::string &left, std::string &right,
                             std::ostream &out) {
    TermList l, r;
    bool leftOk = readSide(calculator, left, l);
    bool rightOk = readSide(calculator, right, r);
    if (!leftOk || !rightOk) return false;
    if (hasTextCoefficient(l.get()) || hasTextCoefficient(r.get()))
        return solveQuotientEquation(calculator, left, right, out);
    TermList d(polyn_drop_zero_terms(poly_subtraction_DES(l.get(), r.get())));
    if (!d) return false;
    int64_t degree = d->exponent;
    if (degree < 1 || degree > 3) return false;
    std::vector<std::string> c = coefficientList(d.get(), degree);
    // Every term cancelled and a cube kept: the cubic formula would divide by 0, while the
    // equation is 0 == 0 (the quadratic solver answers a zero square term itself).
    if (degree == 3 && isZeroNumber(c[3])) degree = 1, c.resize(2);
    const std::string normalForm = polyn_to_string(d.get()) + " == 0";
    static const char *const kHeadings[] = {"", "\n这是一个一元一次方程.\n\n  ",
                                            "\n这是一个一元二次方程.\n\n  ",
                                            "\nIt is a univariate cubic equation.\n\n  "};
    out << kHeadings[degree] << normalForm << "\n\n";
    if (degree == 1)
        answerLinear(calculator, c, out);
    else if (degree == 2)
        answerQuadratic(calculator, c, out);
    else
        answerCubic(calculator, c, out);
    return true;
}

// ---- the search path ----

// Runs `trial` for the values from minValue on while they stay below maxValue (maxValue
// itself is not tried), writing each value that satisfies it. A range that is no pair of
// numbers, or an empty name, gets a hint instead.
template <typename Trial>
void searchRange(Calculator &calculator, const std::string &name, const std::string &minValue,
                 const std::string &maxValue, std::ostream &out, Trial trial) {
    BigNumber &core = calculator.core;
    if (name.empty() || !BigNumber::isRealNumber(minValue) || !BigNumber::isRealNumber(maxValue)) {
        out << "hint> The search needs a variable name and two numbers: "
               "solve(equation,x,minValue,maxValue).\n";
        return;
    }
    if (!core.isLessThan(minValue, maxValue)) {
        out << "hint> The range from " << minValue << " to " << maxValue
            << " is empty: minValue must be less than maxValue.\n";
        return;
    }
    uint64_t tried = 0;
    for (std::string value = minValue; core.isLessThan(value, maxValue);
         value = std::string(core.addition(value, "1"))) {
        if (tried++ == kMaxSearchValues) {
            out << "hint> The search stops after " << kMaxSearchValues << " values.\n";
            return;
        }
        if (trial(value)) out << "ans>> " << name << "=" << value << "\n";
    }
}

void searchEquation(Calculator &calculator, const std::string &left, std::string right,
                    const std::string &name, const std::string &minValue, const std::string &maxValue,
                    std::ostream &out) {
    BigNumber &core = calculator.core;
    const int32_t mode = core.getMode();
    std::string callName;
    if (!function_call_name(left, callName)) {
        const std::string work = "(" + left + ")-(" + right + ")";
        searchRange(calculator, name, minValue, maxValue, out, [&](const std::string &value) {
            std::string trial = work, v;
            string_replace_all(trial, name, "(" + value + ")");
            core.EvalInfixExprNoOutput(trial, v, mode);
            return v == "0";
        });
    } else if (has_only_expr_chars(right)) {
        searchRange(calculator, name, minValue, maxValue, out, [&](const std::string &value) {
            std::string trial = left, v;
            string_replace_all(trial, name, value);
            core.EvalInfixExprNoOutput(trial, v, mode);
            return v == right;
        });
    } else {
        std::cout << "The value is invalid." << std::endl;
    }
}

void solveUsage(std::ostream &out) {
    writeUsageLine(out, "solve(equation,x,minValue,maxValue)");
    writeClosingBlock(out);
}

} // namespace

void solveEquation(Calculator &calculator, const std::string &equation, const std::string &second,
                   const std::string &third, const std::string &fourth, std::ostream &out) {
    const size_t mark = equation.find(kEquationMark);
    std::string left = equation.substr(0, mark);
    std::string right = mark == std::string::npos ? equation : equation.substr(mark + 1);
    deleteBlanks(left);
    deleteBlanks(right);
    std::string nameA, nameX, nameB;
    if (matchMatrixEquation(equation, nameA, nameX, nameB)) {
        solveMatrixEquation(calculator, nameA, nameX, nameB, second, third, out);
        return;
    }
    bool modulo = left.find('@') != std::string::npos || right.find('@') != std::string::npos;
    if (!modulo && solvePolynomialEquation(calculator, left, right, out)) return;
    searchEquation(calculator, left, right, second, third, fourth, out);
}

void cmd_solve(Calculator &calculator) {
    deleteBlanks(calculator.commandText);  // the interpreter keeps the blanks of a call
    std::ostream &out = startAnswer(calculator);
    std::string rest;
    if (!closedRest(calculator.commandText, rest, Close::Last)) return writeShapeHintAndUsage(out, solveUsage);
    // Cut at the first three commas; a missing comma hands the text that remains on to
    // every later argument.
    std::string args[4];
    for (int k = 0; k < 4; k++) {
        const size_t comma = k < 3 ? rest.find(',') : std::string::npos;
        args[k] = rest.substr(0, comma);
        if (comma != std::string::npos) rest.erase(0, comma + 1);
    }
    solveEquation(calculator, args[0], args[1], args[2], args[3], out);
    writeClosingBlock(out);
}
