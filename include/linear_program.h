// Linear programs solved by the simplex method, every tableau printed.
//
// A program is typed as "max z=3x_1+2x_2,x_1+x_2<=4,x_1+3x_2<=6;": the objective after
// the '=', then constraints with "<=" or ">=" separated by ',', and a ';' at the end. Each
// accepted constraint gets a row of the tableau and a slack variable s_k; the tableau is
// pivoted until row 0 has no negative coefficient, and the value of every variable and of
// the objective is printed. Cells are number texts, computed in fractions when the mode
// word is exactly 1 and in decimals at the default precision otherwise.
//
// A variable's column is found by its name, so variables may be named in any order and may
// occur only in the constraints. "min" is solved as "max" of the negated objective and the
// value is negated back. The ratio test keeps rows whose pivot entry is positive and whose
// ratio is at or above 0; after the first degenerate pivot the entering and leaving choices
// follow the smallest index, so the iterations cannot cycle.
//
// Implemented in src/linear_program/ (reading, simplex).
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "matrix.h"
#include "mode_word.h"

// A linear expression read from text: coefficients of named variables in order of first
// appearance, and the sum of the constant terms. `linear` is false when a term is not of
// degree 1 or 0 (a power, a product of variables) or the text is no sum of such terms.
struct LinearForm {
    std::vector<std::string> names;
    std::vector<std::string> coefficients;
    std::string constant = "0";
    bool linear = true;
};

// One constraint: `form` holds the variable terms and `rhs` the right-hand side of
// form <= rhs.
struct LpConstraint {
    std::string text;
    int32_t kind = -1; // -1 no "<=" or ">=", 0 not linear, 1 accepted, 2 sign constraint x>=0
    bool lessEqual = true;
    LinearForm form;
    std::string rhs = "0";
};

// How a run ended.
// Ready: the tableau is built and the iterations may start.
enum class LpOutcome { Ready, Optimal, Unbounded, NotLinear, Refused, InfeasibleStart, IterationCap };

class LpProblem {
  public:
    // The iterations stop after this many pivots (the smallest-index rule already ends
    // them; this bounds what a decimal tableau drifting by rounding can print).
    static constexpr int32_t kMaxIterations = 500;
    // Tableaux beyond this many cells are refused: each pivot prints the whole tableau three
    // times.
    static constexpr uint64_t kMaxTableauCells = 4096;

    LpProblem(int32_t isMax, const std::string &objectiveName);

    void setArithmeticMode(int32_t word) { mode = word; }
    int32_t getArithmeticMode() const { return mode; }
    bool fractionArithmetic() const { return mode == kFractionBit; }
    std::string getObjectiveName() const { return objectiveName; }
    std::string getObjective() const { return objective; }
    uint64_t getConstraintCount() const { return constraintCount; }
    void setObjective(const std::string &text) { objective = text; }
    void setProblemText(const std::string &text) { problemText = text; }
    // Reads, classifies and appends one constraint text.
    void addConstraint(const std::string &text);
    // "[i] text" a line for each constraint, i from 1.
    void printConstraints(std::ostream &out) const;
    // The row whose basic variable is `name`, or -1.
    int64_t findBasicRow(const std::string &name) const;
    // The column labels, then "Solution", each after a tab.
    void printHeader(std::ostream &out) const;

    int32_t isMax;
    uint64_t constraintCount = 0;
    int32_t mode = 0;
    std::string objectiveName;
    std::string objective;
    std::string problemText;
    // Labels of tableau columns 1, 2, ...: the objective's name, the decision variables
    // (those of the objective in order, then those only in constraints), then the slacks.
    std::vector<std::string> columnNames;
    std::vector<std::string> slackNames;
    std::vector<LpConstraint> constraints;
    LinearForm objectiveTerms;
    KV_Matrix tableau;
    // The same cells as exact values (reduced fraction texts) in every mode: signs and ratios
    // are decided on these, so a rounding leftover of the printed decimals is never a pivot.
    KV_Matrix exactTableau;
    // Set by the first pivot whose ratio is 0: from then on the smallest index decides.
    bool smallestIndexRule = false;
};

// Reads a linear expression (blanks ignored): terms such as 3x_1, -x_2, 1/2x_3, 2*y, 5,
// joined by '+' and '-'. Coefficients are computed in fractions or decimals.
LinearForm lp_read_linear(const std::string &text, bool fraction);
// The form as text: 3x_1-x_2+1|2x_3 (a zero form is "0").
std::string lp_linear_text(const LinearForm &form);

// Cuts the problem text into the objective (before the first ',') and the constraints
// (between that ',' and the first ';'). False, with nothing read, when the text holds no
// ';': a program is always typed whole.
bool lp_parse_problem(LpProblem &problem, const std::string &objectiveName, const std::string &text,
                      const std::string &prefix);
// Prints the analysis and sizes the tableau (Ready); NotLinear or Refused, after its
// message, when no tableau can be built.
LpOutcome lp_analysis(LpProblem &problem, std::ostream &out);
// Fills the constraint rows and prints the tableau; returns the number of constraints found
// not linear.
uint64_t lp_build_constraints(LpProblem &problem, std::ostream &out);
// True when no coefficient of row 0 (the right-hand side aside) is negative.
bool lp_is_optimal(LpProblem &problem);
// The entering column minus 1 (0 when none), its cell's text through `value`: the most
// negative coefficient of row 0 (the leftmost on ties), or once the smallest-index rule
// holds, the leftmost negative one.
uint64_t lp_entering_column(LpProblem &problem, uint64_t row, std::string &value);
// The leaving row for the entering column c + 1, or 0 when no row limits it: of the rows
// with a positive entry there, the smallest ratio right-hand side / entry (0 included),
// ties going to the basic variable of the smallest index.
uint64_t lp_leaving_row(LpProblem &problem, uint64_t c);
void lp_pivot_step(LpProblem &problem, uint64_t r, uint64_t c, std::ostream &out);
void lp_print_solution(const LpProblem &problem, std::ostream &out);

// The whole method on a parsed problem: the problem summary, the analysis, the tableau,
// every iteration and the solution (or the reason there is none), ending with the END line.
LpOutcome lp_run(LpProblem &problem, std::ostream &out);

// The value of a variable at the current tableau ("0" when it is not basic), and the
// objective's value (negated back for "min").
std::string lp_variable_value(const LpProblem &problem, const std::string &name);
std::string lp_objective_value(const LpProblem &problem);
