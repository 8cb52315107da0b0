// The simplex method on the tableau of a linear program, every step printed.
//
// Layout of the tableau (m constraints, n column labels before the slacks): column 0 the
// basic variable of the row, column 1 the objective's own variable, columns 2..n the
// decision variables, n+1..n+m the slacks, the last column the right-hand side. Row 0 is
// the objective (coefficients negated), row k the k-th accepted constraint.
#include <algorithm>
#include <unordered_set>

#include "linear_program.h"
#include "linear_program/lp_arith.h"
#include "linear_program/lp_exact.h"

namespace {

constexpr char kEndLine[] = "\n====== END ======\n";
constexpr char kSlackPrefix[] = "s_";

uint64_t lastColumn(const LpProblem &p) {
    return p.tableau.cols - 1;
}

int64_t columnOf(const LpProblem &p, const std::string &name) {
    auto it = std::find(p.columnNames.begin(), p.columnNames.end(), name);
    return it == p.columnNames.end() ? -1 : it - p.columnNames.begin();
}

// Sets cell (i, j) of the printed tableau to `text` and of the exact one to its value.
void setCell(LpProblem &p, uint64_t i, uint64_t j, const std::string &text, lp::Exact &exact) {
    p.tableau.set(i, j, text);
    p.exactTableau.set(i, j, exact.exact(text));
}

// Appends a decision variable once; the objective's name at position 0 is not one of them.
void addName(std::vector<std::string> &names, std::unordered_set<std::string> &seen,
             const std::string &name) {
    if (seen.insert(name).second) names.push_back(name);
}

void printTableauBlock(const LpProblem &p, std::ostream &out) {
    out << "\n------Matrix--A----\n";
    p.printHeader(out);
    p.tableau.printTo(out);
    out << "\n-------------------\n";
}

// A decision variable whose name is the objective's or a slack's would make two columns
// with one label, and the solution could not tell them apart.
bool namesClash(const LpProblem &p, std::ostream &out) {
    std::unordered_set<std::string> slacks;
    for (uint64_t k = 1; k <= p.constraintCount; k++) slacks.insert(kSlackPrefix + std::to_string(k));
    for (size_t j = 1; j < p.columnNames.size(); j++) {
        const std::string &name = p.columnNames[j];
        if (name == p.objectiveName) {
            out << "hint> The name " << name << " is both the objective's name and a variable.\n";
            return true;
        }
        if (slacks.count(name)) {
            out << "hint> The name " << name << " is kept for a slack variable.\n";
            return true;
        }
    }
    return false;
}

} // namespace

int64_t LpProblem::findBasicRow(const std::string &name) const {
    for (uint64_t i = 0; i < tableau.rows; i++)
        if (tableau.get(i, 0) == name) return int64_t(i);
    return -1;
}

void LpProblem::printHeader(std::ostream &out) const {
    out << "\t";
    for (const auto &name : columnNames) out << name << "\t";
    out << "Solution\t\n";
}

LpOutcome lp_analysis(LpProblem &p, std::ostream &out) {
    // Every variable named gets a column: those of the objective first, in order, then
    // those that occur only in constraints.
    p.columnNames.assign(1, p.objectiveName);
    std::unordered_set<std::string> seen;
    for (const auto &name : p.objectiveTerms.names) addName(p.columnNames, seen, name);
    for (const auto &c : p.constraints)
        if (c.kind == 1 || c.kind == 2)
            for (const auto &name : c.form.names) addName(p.columnNames, seen, name);
    out << "\n======================\n"
        << "[Analysis]\n"
        << "[basic_vars]: ";
    for (size_t j = 1; j < p.columnNames.size(); j++) out << p.columnNames[j] << " ";
    out << "\n";
    if (!p.objectiveTerms.linear || !isZeroNumber(p.objectiveTerms.constant)) {
        out << "The objective is NOT linear: no tableau is built.\n";
        return LpOutcome::NotLinear;
    }
    const uint64_t n = p.columnNames.size(), m = p.constraintCount;
    if ((m + 1) * (n + m + 2) > LpProblem::kMaxTableauCells) {
        out << "hint> The linear program is too big: its tableau would pass " << LpProblem::kMaxTableauCells
            << " cells.\n";
        return LpOutcome::Refused;
    }
    if (namesClash(p, out)) return LpOutcome::Refused;
    out << "The obj polynomial is Linear: " << lp_linear_text(p.objectiveTerms) << "\n";
    lp::Arith arith(p.fractionArithmetic());
    if (!p.isMax) out << "min " << p.objectiveName << " is found as max -" << p.objectiveName << ".\n";
    p.tableau.resizeFill(m + 1, n + m + 2, "0");
    p.exactTableau.resizeFill(m + 1, n + m + 2, "0");
    lp::Exact exact;
    for (size_t i = 0; i < p.objectiveTerms.names.size(); i++) {
        const std::string &c = p.objectiveTerms.coefficients[i];
        setCell(p, 0, columnOf(p, p.objectiveTerms.names[i]) + 1, p.isMax ? arith.negated(c) : c, exact);
    }
    p.tableau.set(0, 0, p.objectiveName);
    setCell(p, 0, 1, "1", exact);
    return LpOutcome::Ready;
}

uint64_t lp_build_constraints(LpProblem &p, std::ostream &out) {
    const uint64_t n = p.columnNames.size();
    uint64_t k = 0, notLinear = 0, position = 0;
    lp::Exact exact;
    for (const auto &c : p.constraints) {
        position++;
        if (c.kind == -1) {
            out << "[" << position << "] has neither \"<=\" nor \">=\" and is left out.\n";
        } else if (c.kind == 0) {
            notLinear++;
            out << (c.lessEqual ? "[" : "<") << position << (c.lessEqual ? "]" : ">") << " is NOT linear.\n";
        } else if (c.kind == 1) {
            k++;
            const std::string slack = kSlackPrefix + std::to_string(k);
            out << "[" << k << "] " << lp_linear_text(c.form) << "\n";
            for (size_t i = 0; i < c.form.names.size(); i++)
                setCell(p, k, columnOf(p, c.form.names[i]) + 1, c.form.coefficients[i], exact);
            p.tableau.set(k, 0, slack);
            setCell(p, k, 1, "0", exact);
            setCell(p, k, n + k, "1", exact);
            setCell(p, k, lastColumn(p), c.rhs, exact);
            p.slackNames.push_back(slack);
            p.columnNames.push_back(slack);
        }
    }
    printTableauBlock(p, out);
    return notLinear;
}

bool lp_is_optimal(LpProblem &p) {
    lp::Exact exact;
    for (uint64_t j = 1; j < lastColumn(p); j++)
        if (exact.negative(p.exactTableau.get(0, j))) return false;
    return true;
}

uint64_t lp_entering_column(LpProblem &p, uint64_t row, std::string &value) {
    lp::Exact exact;
    uint64_t best = 0;
    std::string bestValue;
    for (uint64_t j = 1; j < lastColumn(p); j++) {
        std::string cell = p.exactTableau.get(row, j);
        if (!exact.negative(cell)) continue;
        if (best == 0 || exact.less(cell, bestValue)) best = j, bestValue = cell;
        if (p.smallestIndexRule) break;
    }
    if (best != 0) value = p.tableau.get(row, best);
    return best == 0 ? 0 : best - 1;
}

uint64_t lp_leaving_row(LpProblem &p, uint64_t c) {
    lp::Exact exact;
    uint64_t best = 0;
    std::string bestRatio;
    for (uint64_t i = 1; i <= p.constraintCount && i < p.tableau.rows; i++) {
        std::string entry = p.exactTableau.get(i, c + 1);
        if (!exact.positive(entry)) continue;
        std::string ratio = exact.div(p.exactTableau.get(i, lastColumn(p)), entry);
        if (exact.negative(ratio)) continue;
        bool better = best == 0 || exact.less(ratio, bestRatio) ||
                      (!exact.less(bestRatio, ratio) &&
                       columnOf(p, p.tableau.get(i, 0)) < columnOf(p, p.tableau.get(best, 0)));
        if (better) best = i, bestRatio = ratio;
    }
    // A step that gains nothing can lead back to a basis seen before: from here on the
    // smallest index decides, which never repeats one.
    if (best != 0 && exact.zero(bestRatio)) p.smallestIndexRule = true;
    return best;
}

void lp_pivot_step(LpProblem &p, uint64_t r, uint64_t c, std::ostream &out) {
    lp::Arith arith(p.fractionArithmetic());
    lp::Exact exact;
    KV_Matrix &e = p.exactTableau;
    const uint64_t col = c + 1, last = lastColumn(p);
    const std::string t = p.tableau.get(r, col);
    out << "pivot_element = A(" << r << "," << col << ") = " << t << "\n";
    printTableauBlock(p, out);
    out << "r_" << r << "/" << t << " ==>\n";
    p.tableau.set(r, 0, p.columnNames[c]);
    const std::string exactPivot = e.get(r, col);
    for (uint64_t j = 1; j <= last; j++) {
        p.tableau.set(r, j, arith.div(p.tableau.get(r, j), t));
        e.set(r, j, exact.div(e.get(r, j), exactPivot));
    }
    printTableauBlock(p, out);
    out << "Perform elementary row transformations: r_i-A(i," << col << ")* r_" << r << "\n";
    for (uint64_t i = 0; i < p.tableau.rows; i++) {
        if (i == r) continue;
        const std::string g = p.tableau.get(i, col), exactG = e.get(i, col);
        if (exact.zero(exactG)) continue;
        for (uint64_t j = 1; j <= last; j++) {
            p.tableau.set(i, j, arith.sub(p.tableau.get(i, j), arith.mul(g, p.tableau.get(r, j))));
            e.set(i, j, exact.sub(e.get(i, j), exact.mul(exactG, e.get(r, j))));
        }
    }
    printTableauBlock(p, out);
}

std::string lp_variable_value(const LpProblem &p, const std::string &name) {
    int64_t row = p.findBasicRow(name);
    return row < 0 ? std::string("0") : p.tableau.get(uint64_t(row), lastColumn(p));
}

std::string lp_objective_value(const LpProblem &p) {
    std::string v = p.tableau.get(0, lastColumn(p));
    if (p.isMax) return v;
    lp::Arith arith(p.fractionArithmetic());
    return arith.negated(v);
}

void lp_print_solution(const LpProblem &p, std::ostream &out) {
    if (p.columnNames.size() > 1) {
        out << "When ";
        for (size_t j = 1; j < p.columnNames.size(); j++)
            out << p.columnNames[j] << " = " << lp_variable_value(p, p.columnNames[j]) << ", ";
        out << "\n" << p.objectiveName << " = " << lp_objective_value(p) << "\n";
    }
    out << kEndLine;
}

namespace {

void printProblem(const LpProblem &p, std::ostream &out) {
    out << "--------------------\n"
        << "objModel> " << (p.isMax ? "max" : "min") << "\n"
        << "zname> " << p.objectiveName << "\n"
        << "objectiveFunction> " << p.objective << "\n"
        << "constraints>\n";
    p.printConstraints(out);
    out << "--------------------\n";
}

// The method starts from the point where every variable is 0: a constraint that does not
// hold there would give an infeasible answer.
bool startIsFeasible(LpProblem &p, std::ostream &out) {
    lp::Exact exact;
    for (uint64_t k = 1; k < p.tableau.rows; k++) {
        if (!exact.negative(p.exactTableau.get(k, lastColumn(p)))) continue;
        out << "hint> The constraint [" << k
            << "] does not hold when every variable is 0; the simplex method "
            << "here starts from that point and cannot solve this problem.\n";
        return false;
    }
    return true;
}

LpOutcome iterate(LpProblem &p, std::ostream &out) {
    for (int32_t n = 1; !lp_is_optimal(p); n++) {
        if (n > LpProblem::kMaxIterations) {
            out << "\nThe iterations stop after " << LpProblem::kMaxIterations << " pivots.\n";
            return LpOutcome::IterationCap;
        }
        out << "\n====== Iteration [" << n << "] ======\n"
            << "\nStep " << n << ".1\n";
        std::string value;
        uint64_t c = lp_entering_column(p, 0, value);
        if (c == 0) break;
        if (!value.empty() && value[0] == '-')
            out << "Find the minimun value of A[0]: " << value << "\n"
                << "In_var: " << p.columnNames[c] << "\n";
        out << "\nStep " << n << ".2\n";
        uint64_t r = lp_leaving_row(p, c);
        if (r == 0) {
            out << "The objective is unbounded: no constraint limits " << p.columnNames[c] << ".\n";
            return LpOutcome::Unbounded;
        }
        lp_pivot_step(p, r, c, out);
    }
    return LpOutcome::Optimal;
}

} // namespace

LpOutcome lp_run(LpProblem &p, std::ostream &out) {
    printProblem(p, out);
    LpOutcome outcome = lp_analysis(p, out);
    if (outcome == LpOutcome::Ready) {
        lp_build_constraints(p, out);
        outcome = startIsFeasible(p, out) ? iterate(p, out) : LpOutcome::InfeasibleStart;
    }
    if (outcome == LpOutcome::Optimal)
        lp_print_solution(p, out);
    else
        out << kEndLine;
    return outcome;
}
