// a1*X1 + ... + aK*XK = b in integers by successive reduction. Invariant of the working
// equation: sum(coefficient_i * name_i) = b + terms, where the terms are the parts already
// moved to the right side, and the gcd of the coefficients is 1 (the equation is divided by
// it first). A reduction step with the smallest magnitude Z at position p writes every
// coefficient as q*Z + r and names u_p = sum(q_i * name_i), so the coefficients become the
// remainders and Z; a variable with a coefficient of magnitude 1 either becomes a free
// parameter (while the other coefficients stay coprime) or is expressed by the others.
#include "BigNumber.h"
#include "solvers.h"
#include "solvers/solver_texts.h"

using namespace engine;
using solvers::turnedSign;

namespace {

struct ReductionStep {
    std::vector<std::string> quotients;
    std::vector<std::string> names; // the variable names right after the step
    size_t pivot = 0;
    std::string replaced; // the name at the pivot before the step
};

class Reduction {
  public:
    Reduction(std::vector<std::string> coefficients, std::string b)
        : work(std::move(coefficients)), rhs(std::move(b)) {
        for (size_t k = 0; k < work.size(); k++) names.push_back("X" + std::to_string(k + 1));
        reductionsAt.assign(work.size(), 0);
    }

    // Runs the steps to the end; afterwards finalLine and the record lines are ready. Every
    // step ends the run, zeroes a coefficient, or leaves the other coefficients below the
    // pivot's magnitude, and with coprime coefficients a magnitude 1 is reached.
    void run() {
        for (;;) {
            size_t p = smallestPosition();
            std::string Z = magnitude(work[p]);
            if (Z == "1") {
                if (unitStepEnds(p)) return;
            } else if (reductionStepEnds(p, Z)) {
                return;
            }
        }
    }

    std::string finalLine;

    // The substitutions back to X1 ... XK, from the last step to the first.
    std::vector<std::string> recordLines() const {
        std::vector<std::string> lines;
        for (size_t k = records.size(); k-- > 0;) lines.push_back(recordLine(records[k]));
        return lines;
    }

  private:
    std::string magnitude(const std::string &t) { return std::string(unsignedPart(t)); }
    bool isZero(const std::string &t) const { return t == "0"; }
    bool isUnit(const std::string &t) { return magnitude(t) == "1"; }

    size_t countWhere(bool (Reduction::*test)(const std::string &)) {
        size_t n = 0;
        for (const std::string &c : work) n += (this->*test)(c);
        return n;
    }
    bool isNonZero(const std::string &t) { return !isZero(t); }

    // The first position with the smallest non-zero magnitude.
    size_t smallestPosition() {
        size_t best = work.size();
        for (size_t l = 0; l < work.size(); l++) {
            if (isZero(work[l])) continue;
            if (best == work.size() || bn.isLessThan(magnitude(work[l]), magnitude(work[best]))) best = l;
        }
        return best;
    }

    // True when the non-zero coefficients other than position p have the gcd 1.
    bool othersCoprime(size_t p) {
        std::string g = "0";
        for (size_t l = 0; l < work.size(); l++)
            if (l != p && !isZero(work[l]))
                g = g == "0" ? magnitude(work[l]) : std::string(bn.gcd(g, magnitude(work[l])));
        return g == "1";
    }

    // The coefficient at p is +1 or -1.
    bool unitStepEnds(size_t p) {
        size_t units = countWhere(&Reduction::isUnit), nonZero = countWhere(&Reduction::isNonZero);
        if (units > 1 || (nonZero >= 3 && othersCoprime(p))) {
            // The variable becomes a free parameter on the right side.
            ReductionStep step{std::vector<std::string>(work.size(), "0"), names, p, names[p]};
            step.quotients[p] = "1";
            terms.push_back((isNegative(work[p]) ? "+" : "-") + names[p]);
            work[p] = "0";
            records.push_back(std::move(step));
            return false;
        }
        express(p);
        return true;
    }

    bool reductionStepEnds(size_t p, const std::string &Z) {
        ReductionStep step{std::vector<std::string>(work.size(), "0"), {}, p, names[p]};
        for (size_t m = 0; m < work.size(); m++) {
            if (isZero(work[m])) continue;
            step.quotients[m] = bn.int_quotient(work[m], Z);
            std::string qZ = bn.multiplication(step.quotients[m], Z);
            work[m] = solvers::plainInteger(bn.real_subtraction(work[m], qZ));
        }
        // A position reduced again gets a name of its own: its earlier u stays a variable.
        names[p] = "u" + std::to_string(p);
        if (++reductionsAt[p] > 1) names[p] += "_" + std::to_string(reductionsAt[p]);
        step.names = names;
        records.push_back(std::move(step));
        work[p] = Z; // the coefficient of the new variable
        size_t remainders = 0, last = p;
        for (size_t m = 0; m < work.size(); m++)
            if (m != p && !isZero(work[m])) remainders++, last = m;
        if (remainders != 1 || !isUnit(work[last])) return false;
        express(last);
        return true;
    }

    // Ends with the variable at f (coefficient e = +1 or -1) expressed by the others:
    // name_f = e * (b + terms - sum of the other coefficients times their names).
    void express(size_t f) {
        bool plus = !isNegative(work[f]);
        finalLine = names[f] + "=" + (plus ? rhs : solvers::plainInteger(bn.negate(rhs)));
        for (const std::string &t : terms) finalLine += plus ? t : turnedSign(t);
        for (size_t l = 0; l < work.size(); l++) {
            if (l == f || isZero(work[l])) continue;
            finalLine +=
                (plus ? turnedSign(work[l]) : (isNegative(work[l]) ? "" : "+") + work[l]) + "*" + names[l];
        }
    }

    std::string recordLine(const ReductionStep &step) const {
        size_t p = step.pivot;
        const std::string &cp = step.quotients[p];
        std::string line = step.replaced + " = ";
        bool pivotNegative = isNegative(cp);
        for (size_t c = 0; c < step.quotients.size(); c++) {
            const std::string &q = step.quotients[c];
            if (c == p || isZeroInteger(q)) continue;
            if (pivotNegative)
                line += (isNegative(q) || startsWith(q, '+') ? q : "+" + q) + "*" + step.names[c];
            else
                line += turnedSign(q) + "*" + step.names[c];
        }
        return line + (pivotNegative ? "-" : "+") + step.names[p];
    }

    BigNumber bn;
    std::vector<std::string> work;
    std::string rhs;
    std::vector<std::string> names;
    std::vector<std::string> terms;
    std::vector<ReductionStep> records;
    std::vector<int> reductionsAt; // reduction steps so far with their pivot at each position
};

void printEquation(const std::vector<std::string> &coefficients, const std::string &b, std::ostream &out) {
    out << "Solve the indefinite equation :\n" << coefficients[0] << "*X1";
    for (size_t k = 1; k < coefficients.size(); k++) {
        const std::string &c = coefficients[k];
        out << (startsWith(c, '-') || startsWith(c, '+') ? "" : "+") << c << "*X" << k + 1;
    }
    out << " = " << b << "\n\n";
}

} // namespace

int solve_indefinite_equation(const std::vector<std::string> &coefficients, const std::string &b,
                              std::vector<std::string> &lines, std::ostream &out) {
    lines.clear();
    if (coefficients.empty()) return 0;
    for (const std::string &c : coefficients)
        if (c.empty()) return 0;
    for (const std::string &c : coefficients)
        if (!isIntegerText(c)) return out << solvers::kNotIntegers, 0;
    if (!isIntegerText(b)) return out << solvers::kNotIntegers, 0;

    BigNumber bn;
    std::vector<std::string> work;
    std::string g = "0", rhs = solvers::plainInteger(b);
    size_t nonZero = 0, single = 0;
    for (size_t k = 0; k < coefficients.size(); k++) {
        work.push_back(solvers::plainInteger(coefficients[k]));
        if (work[k] == "0") continue;
        nonZero++;
        single = k;
        std::string m(unsignedPart(work[k]));
        g = g == "0" ? m : std::string(bn.gcd(g, m));
    }
    bool solvable = nonZero == 0 ? rhs == "0" : bn.int_remainder(rhs, g) == "0";
    if (nonZero == 1) {
        if (solvable)
            out << "X" << single + 1 << " = " << bn.int_division(rhs, work[single]) << "\n";
        else
            out << "No solution.\n";
        return 1;
    }
    printEquation(coefficients, b, out);
    if (!solvable) {
        out << "No solution.\n";
        return 1;
    }
    if (nonZero == 0) { // 0 = 0: every variable is free
        for (size_t k = 0; k < work.size(); k++)
            lines.push_back("X" + std::to_string(k + 1) + " = +X" + std::to_string(k + 1));
        return 1;
    }
    if (g != "1") {
        for (std::string &c : work) c = bn.int_division(c, g);
        rhs = bn.int_division(rhs, g);
    }
    Reduction reduction(work, rhs);
    reduction.run();
    out << reduction.finalLine << "\n";
    lines = reduction.recordLines();
    return 1;
}
