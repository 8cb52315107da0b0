// Elimination with every step printed: the rank by row or column reduction, and the
// Gauss-Jordan reduction of an augmented matrix [A|b] with the general solution of A x = b.
// All arithmetic is exact: the steps run in fraction mode whatever the matrix mode says.
#include <functional>
#include <ostream>

#include "BigNumber.h"
#include "matrix.h"
#include "matrix/exact.h"
#include "stop_request.h"

const char *const kStepsRefused = "error> Elimination takes matrices of at most 1024 cells.";
const char *const kStepsStopped = "error> A cell grows past 1024 characters: the elimination stops.";

namespace {

constexpr int32_t kFractions = 1;
static_assert(KV_Matrix::kMaxStepCells == 1024 && kMaxStepCellText == 1024, "the messages name the limits");

const char kStepRule[] = "------------";

// The lines that a reduction combines: rows (row reduction) or columns (column reduction).
struct Orientation {
    char letter;
    bool (*swap)(KV_Matrix &, uint64_t, uint64_t);
    bool (*scale)(KV_Matrix &, uint64_t, const std::string &, int32_t);
    bool (*addMultiple)(KV_Matrix &, uint64_t, uint64_t, const std::string &, int32_t);
    bool rows;
};

const Orientation kRows{'r', rowSwap, rowScale, rowAddMultiple, true};
const Orientation kColumns{'c', colSwap, colScale, colAddMultiple, false};

// A cell the pivot search passes over. Texts that are no numbers count as pivots.
bool isZeroCell(const std::string &cell) { return cell.empty() || isZeroNumber(cell); }

// A number as the reduced fraction of its value ("0.4" is 2|5), so that the steps compute
// on reduced fractions; any other text as it is.
std::string exactText(const std::string &text) {
    matrix_exact::Rational value;
    return matrix_exact::parseCell(text, value) ? matrix_exact::rationalText(value) : text;
}

// A factor written into a step line: in brackets when it is negative.
std::string shownFactor(const std::string &k) { return !k.empty() && k[0] == '-' ? "(" + k + ")" : k; }

class Reduction {
public:
    Reduction(KV_Matrix &m, std::ostream &out, const Orientation &o, bool printSteps)
        : m(m), out(out), o(o), printSteps(printSteps) {}

    // Reduces the lines; with `clearAll` every other line is cleared at each pivot (Gauss-
    // Jordan), otherwise only the lines after it. False when a cell grew too long.
    bool run(bool clearAll) {
        uint64_t lines = o.rows ? m.rows : m.cols, positions = o.rows ? m.cols : m.rows;
        for (uint64_t i = 0; i < positions && p < lines; i++) {
            uint64_t j = p;
            while (j < lines && isZeroCell(cell(j, i))) j++;
            if (j == lines) continue;
            if (j > p) {
                o.swap(m, j, p);
                step(o.rows ? std::string("r") + num(j) + "<-->r" + num(p) + "==>\n"
                            : std::string("c") + num(p) + "<-->c" + num(j) + " ==>\n");
            }
            const uint64_t pivotLine = p++;
            pivots.push_back(i + 1);
            const std::string pivot = cell(pivotLine, i);
            if (pivot != "1") {
                std::string k = exactText(bn.reciprocal(pivot, 1));
                o.scale(m, pivotLine, k, kFractions);
                step(o.letter + num(pivotLine) + "*" + shownFactor(k) + " ==>\n");
                if (tooLong(pivotLine)) return false;
            }
            for (uint64_t line = clearAll ? 0 : p; line < lines; line++) {
                if (line == pivotLine || isZeroCell(cell(line, i))) continue;
                engineStopPoint();
                std::string t = bn.negate(cell(line, i));
                o.addMultiple(m, line, pivotLine, t, kFractions);
                step(o.letter + num(line) + "+" + o.letter + num(pivotLine) + "*" + shownFactor(t) + " ==>\n");
                if (tooLong(line)) return false;
            }
        }
        return true;
    }

    // The number of pivots so far: the rank once `run` has finished.
    uint64_t p = 0;
    // The 1-based positions (columns of a row reduction) where the pivots were found.
    std::vector<uint64_t> pivots;

private:
    const std::string &cell(uint64_t line, uint64_t position) const {
        return o.rows ? m.cells[line * m.cols + position] : m.cells[position * m.cols + line];
    }
    static std::string num(uint64_t index) { return BigNumber::ull2string(index + 1); }

    void step(const std::string &text) {
        if (!printSteps) return;
        out << text << std::endl;
        m.printTo(out);
        out << "\n" << kStepRule << "\n";
    }

    bool tooLong(uint64_t line) const {
        uint64_t positions = o.rows ? m.cols : m.rows;
        for (uint64_t t = 0; t < positions; t++)
            if (cell(line, t).size() > kMaxStepCellText && !isNumberText(cell(line, t))) return true;
        return false;
    }

    KV_Matrix &m;
    std::ostream &out;
    const Orientation &o;
    bool printSteps;
    BigNumber bn;
};

// "c1,c2,c4." and a line end, after the heading.
void writeIndependent(std::ostream &out, const char *what, char letter, const std::vector<uint64_t> &numbers) {
    out << "\nThe linearly independent " << what << " vectors are:\n";
    for (size_t k = 0; k < numbers.size(); k++)
        out << letter << numbers[k] << (k + 1 == numbers.size() ? ".\n" : ",");
}

// A cell typed as a quotient "a/b" or a decimal becomes the reduced fraction of its value
// before the first step: the steps' fraction arithmetic would take "1/2" apart as text, and
// carries a decimal along as an unreduced quotient of decimals.
void exactQuotients(KV_Matrix &m) {
    for (std::string &cell : m.cells)
        if (cell.find_first_of("/.") != std::string::npos) cell = exactText(cell);
}

uint64_t refused(std::ostream &out, const char *message) {
    out << message << "\n";
    return kNoRank;
}

// The unknown (column of A) that each pivot row solves for, and the free unknowns.
struct Unknowns {
    std::vector<uint64_t> pivotColumn; // by pivot row
    std::vector<uint64_t> free;
};

Unknowns unknownsOf(const std::vector<uint64_t> &pivots, uint64_t n) {
    Unknowns u;
    std::vector<bool> isPivot(n, false);
    for (uint64_t c : pivots) {
        u.pivotColumn.push_back(c - 1);
        isPivot[c - 1] = true;
    }
    for (uint64_t c = 0; c < n; c++)
        if (!isPivot[c]) u.free.push_back(c);
    return u;
}

// X: column 0 the particular solution, column v the basis vector of the v-th free unknown.
// Each pivot row r solves for its own unknown: x = M(r, n) - sum over the free unknowns of
// M(r, f) x_f. `negate` writes the entries -M(r, f).
KV_Matrix solutionMatrix(const KV_Matrix &reduced, const Unknowns &u, uint64_t n,
                         const std::function<std::string(const std::string &)> &negate) {
    const uint64_t k = u.free.size();
    KV_Matrix x(n, k + 1, "0");
    for (uint64_t r = 0; r < u.pivotColumn.size(); r++) {
        const uint64_t unknown = u.pivotColumn[r];
        x.set(unknown, 0, reduced.get(r, n));
        for (uint64_t v = 1; v <= k; v++) x.set(unknown, v, negate(reduced.get(r, u.free[v - 1])));
    }
    for (uint64_t v = 1; v <= k; v++) x.set(u.free[v - 1], v, "1");
    return x;
}

void writeSolution(std::ostream &out, const std::string &nameX, const KV_Matrix &x) {
    const uint64_t k = x.cols - 1;
    out << "\nThe solution is:\n" << nameX << "= E_0 + ";
    for (uint64_t v = 1; v <= k; v++) out << (v > 1 ? " + " : "") << "C_" << v << "*E_" << v;
    out << std::endl;
    out << "where E_0 is the special solution and the others form the base of the solution:\n";
    out << "---------------" << std::endl;
    for (uint64_t v = 0; v <= k; v++) out << "E_" << v << "\t";
    out << "\n------------------------\n";
    x.printTo(out);
}

}  // namespace

uint64_t row_echelon_steps(KV_Matrix &m, std::ostream &out, int32_t mode) {
    if (m.size > KV_Matrix::kMaxStepCells) return refused(out, kStepsRefused);
    exactQuotients(m);
    const bool columns = mode == 2 || (mode == 3 && m.rows > m.cols);
    Reduction reduction(m, out, columns ? kColumns : kRows, mode > 0);
    if (!reduction.run(false)) return refused(out, kStepsStopped);
    if (mode > 0) writeIndependent(out, columns ? "row" : "column", columns ? 'r' : 'c', reduction.pivots);
    return reduction.p;
}

uint64_t gauss_eliminate_steps(KV_Matrix &ab, const std::string &nameA, const std::string &nameX,
                               const std::string &nameB, uint64_t &rankA, uint64_t &rankAb,
                               std::vector<std::string> &solution, std::ostream &out, int32_t mode) {
    rankA = rankAb = kNoRank;
    if (ab.size > KV_Matrix::kMaxStepCells) return refused(out, kStepsRefused);
    exactQuotients(ab);
    Reduction reduction(ab, out, kRows, mode % 2 != 0);
    if (!reduction.run(true)) return refused(out, kStepsStopped);
    const uint64_t p = reduction.p;
    if (mode > 0) writeIndependent(out, "column", 'c', reduction.pivots);
    if (ab.cols == 0) { // no unknowns and no b: nothing to solve
        rankA = rankAb = 0;
        solution.clear();
        return p;
    }
    const uint64_t n = ab.cols - 1;
    if (p > 0 && reduction.pivots.back() == n + 1) {
        rankA = p - 1;
        rankAb = p;
        out << "rank(" << nameA << ") < rank([" << nameA << "|" << nameB << "])\n";
        out << "where[" << nameA << " | " << nameB << "] is the augmentation matrix.\n";
        out << "Therefore the linear equations have NO solution.\n";
        return p;
    }
    rankA = rankAb = p;
    BigNumber bn;
    // Modes 1 and 2 write a zero entry of a basis vector negated as it stands ("-0").
    const bool keepZero = mode == 0 || mode == 3;
    auto negate = [&bn, keepZero](const std::string &t) { return keepZero && t == "0" ? t : bn.negate(t); };
    KV_Matrix x = solutionMatrix(ab, unknownsOf(reduction.pivots, n), n, negate);
    solution.assign(x.cells.begin(), x.cells.end());
    writeSolution(out, nameX, x);
    return p;
}
