// The matrix value: a grid of rows x cols cells, each cell a text (a number text of the
// engine, a fraction "n|d", a special word, or a polynomial text of the symbolic row and
// column operations). Every matrix computation reads and writes this one type, and the
// command interpreter keeps matrices in typed variables whose value text is the literal
// form written by printLiteral ("[1,2;3,4]").
//
// The operations are implemented by topic in src/matrix/ (the file names follow the groups
// below). Indices are 0-based.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "mode_word.h"

class KV_Matrix {
public:
    // The stepwise procedures (elimination, QR, cofactor expansion) work and print a whole
    // matrix per step: they take matrices of at most this many cells (order 32).
    static constexpr uint64_t kMaxStepCells = 1024;
    static constexpr uint64_t kMaxStepOrder = 32;

    // Shapes whose cell count passes this are refused: the constructors and resizeFill
    // give the empty 0 x 0 matrix instead of trying to allocate them.
    static constexpr uint64_t kMaxCells = uint64_t(1) << 22;

    // ---- construction and shape (matrix/matrix_value.cpp) ----
    KV_Matrix();  // 1 x 1 holding "0"
    KV_Matrix(uint64_t rows, uint64_t cols, const std::string &fill);
    KV_Matrix(uint64_t n, const std::string &fill);  // n x n
    // Cells in row order from a flat list: surplus texts are ignored, missing cells are "0".
    KV_Matrix(const std::vector<std::string> &flat, uint64_t rows, uint64_t cols);
    // Cell (i, j) from text j of row list i; short or missing rows leave "0". Row lists
    // beyond `rows` and texts beyond `cols` are dropped.
    KV_Matrix(const std::vector<std::vector<std::string>> &rowLists, uint64_t rows, uint64_t cols);
    KV_Matrix(const KV_Matrix &other) = default;
    KV_Matrix &operator=(const KV_Matrix &other) = default;
    // A matrix moved from is left 0 x 0, so its fields still agree with its cells.
    KV_Matrix(KV_Matrix &&other) noexcept;
    KV_Matrix &operator=(KV_Matrix &&other) noexcept;
    ~KV_Matrix() = default;

    // New shape, every cell (old or new) set to the fill text.
    void resizeFill(uint64_t rows, uint64_t cols, const std::string &fill);
    bool isEmpty() const { return size == 0; }
    // Cell (i, j). Outside the shape, get answers "" and set stores nothing.
    std::string get(uint64_t i, uint64_t j) const;
    void set(uint64_t i, uint64_t j, const std::string &text);
    // Column of the smallest cell of row r from column s on (s past the end means the last
    // column; ties keep the leftmost), its text through `out`. Fractions compare as
    // fractions. A row outside the shape, or a matrix without columns, answers 0 and "".
    uint64_t rowMinFrom(uint64_t r, std::string &out, uint64_t s) const;
    // Overwrites this matrix with "1" on the diagonal and "0" elsewhere (any shape) and
    // returns a copy of it.
    KV_Matrix identity();
    KV_Matrix transposeMatrix() const;
    // Same shape and byte-identical cell texts ("1" and "1.0" differ).
    bool operator==(const KV_Matrix &other) const;

    // ---- arithmetic (matrix/matrix_arithmetic.cpp) ----
    KV_Matrix elementwiseProduct(const KV_Matrix &b) const;

    // ---- determinant family (matrix/determinant.cpp) ----
    // "NaN" when not square. In fraction mode the cells are first rewritten as fractions
    // (this matrix changes). A 1 x 1 determinant is its cell's text; 0 x 0 gives "0".
    std::string determinant();
    // Signed cofactor (0-based), the determinant of the minor negated by text in the odd
    // places (a zero reads "-0" there). The cofactor of a 1 x 1 matrix is 1.
    std::string cofactor(uint64_t i, uint64_t j) const;
    // Transposed cofactor matrix; 0 x 0 when not square.
    KV_Matrix adjugate() const;
    // The adjugate times the reciprocal of the determinant. A determinant that is zero by
    // value prints "行列式为0, 矩阵不可逆." on the standard output stream and answers 0 x 0.
    KV_Matrix inverse();

    // ---- QR decomposition (matrix/qr.cpp) ----
    // A = Q R by classical Gram-Schmidt on the columns of this square matrix: Q with
    // orthonormal columns, R upper triangular; QR in decimals at the default precision,
    // QRFraction in fractions with square roots as radicals (on number cells each factor is
    // exact: a rational times one square root, c*sqrt(k)|d). A dependent column gives a zero norm and whatever the division by zero
    // answers in its column of Q. A matrix that is not square, or of an order beyond
    // kMaxStepOrder, or a text that is no number and grows past kMaxStepCellText, prints
    // its error on the standard output stream and leaves Q and R; the error is also the
    // answer (empty when Q and R were written).
    std::string QR(KV_Matrix &Q, KV_Matrix &R) const;
    std::string QRFraction(KV_Matrix &Q, KV_Matrix &R) const;

    // ---- printing (matrix/matrix_print.cpp) ----
    // "[1,2;3,4]" without a line end; the empty matrix writes "[]" and a line end.
    void printLiteral(std::ostream &out) const;
    // The tabbed form of writeMatrixCells, or "error> This matrix is empty." and a line end.
    void printTo(std::ostream &out) const;
    void print() const;  // printTo on the standard output stream

    // Fields in the value's layout. Invariants: size == rows * cols == cells.size(); the
    // matrix that operations return on failure is 0 x 0. `reserved` is always null.
    uint64_t rows = 1;
    uint64_t cols = 1;
    uint64_t size = 1;
    void *reserved = nullptr;
    std::vector<std::string> cells{"0"};

private:
    bool inside(uint64_t i, uint64_t j) const { return i < rows && j < cols && i * cols + j < cells.size(); }
};

// ---- free operations on the value (matrix/matrix_value.cpp) ----
std::string matrixCell(const KV_Matrix &m, uint64_t i, uint64_t j);
// Sorts all cells as numbers (one list in row order) with the engine's sorts under the
// given mode word, and refills them in row order; the shape stays.
void sortMatrixEntries(KV_Matrix &m, bool ascending, int32_t mode);

// ---- arithmetic (matrix/matrix_arithmetic.cpp) ----
// Cells by the matrix mode at the moment of the call. A shape mismatch prints its message
// and the two sizes on the standard output stream and answers the 0 x 0 matrix.
KV_Matrix operator+(const KV_Matrix &a, const KV_Matrix &b);
KV_Matrix operator-(const KV_Matrix &a, const KV_Matrix &b);
KV_Matrix operator*(const KV_Matrix &a, const KV_Matrix &b);
// k times every cell, the scalar on the left of each cell product whichever side it was
// written on.
KV_Matrix scalarTimesMatrix(const std::string &k, const KV_Matrix &m);
KV_Matrix matrixTimesScalar(const KV_Matrix &m, const std::string &k);
// Every cell divided by k; the 0 x 0 matrix for the text "0".
KV_Matrix matrixDivScalar(const KV_Matrix &m, const std::string &k);

// ---- determinant family (matrix/determinant.cpp) ----
// The determinant text of the n x n cells in row order, as the cofactor expansion along the
// first column writes it ("NaN" when the list does not hold n x n cells).
std::string determinantCofactor(uint64_t n, const std::vector<std::string> &cells);
// Every cell replaced by the engine's fraction form of it.
void entriesToFractions(std::vector<std::string> &cells);
// The matrix without row i and column j, 1-based; all "0" when i or j lies outside.
KV_Matrix matrix_minor(const KV_Matrix &m, uint64_t i, uint64_t j);

// A number text of value zero: an integer or decimal ("0", "-0", "0.00") or a fraction with
// a zero numerator over a non-zero denominator ("0|3"). Any other text is not zero.
bool isZeroNumber(const std::string &text);

// ---- elementary row and column operations (matrix/elementary_operations.cpp) ----
// In place, with 0-based line indices. Each returns false and leaves the matrix unchanged
// when an index is not below the row count (row operations) or the column count (column
// operations). `kind` 1 adds line j to line i, 2 subtracts it, any other kind changes
// nothing. `mode` is the caller's mode word: bit 0 selects fractions. k is a number text,
// a fraction "3|4" or a parenthesised expression "(1/2)". The cells are computed by the
// engine's evaluator from the texts "(a)*(k)" and "(a)+(b)*(k)", so cells that are no
// numbers stay expression texts.
bool rowSwap(KV_Matrix &m, uint64_t i, uint64_t j);
bool colSwap(KV_Matrix &m, uint64_t i, uint64_t j);
bool rowAddRow(KV_Matrix &m, uint64_t i, int32_t kind, uint64_t j, int32_t mode);
bool colAddCol(KV_Matrix &m, uint64_t i, int32_t kind, uint64_t j, int32_t mode);
bool rowScale(KV_Matrix &m, uint64_t i, const std::string &k, int32_t mode);
bool colScale(KV_Matrix &m, uint64_t i, const std::string &k, int32_t mode);
bool rowAddMultiple(KV_Matrix &m, uint64_t i, uint64_t j, const std::string &k, int32_t mode);
bool colAddMultiple(KV_Matrix &m, uint64_t i, uint64_t j, const std::string &k, int32_t mode);
// The same on cells that hold polynomials in the main variable: each result is stored as
// its normalised polynomial text.
bool rowAddRowSymbolic(KV_Matrix &m, uint64_t i, int32_t kind, uint64_t j, int32_t mode);
bool colAddColSymbolic(KV_Matrix &m, uint64_t i, int32_t kind, uint64_t j, int32_t mode);
bool rowScaleSymbolic(KV_Matrix &m, uint64_t i, const std::string &k, int32_t mode);
bool colScaleSymbolic(KV_Matrix &m, uint64_t i, const std::string &k, int32_t mode);
bool rowAddMultipleSymbolic(KV_Matrix &m, uint64_t i, uint64_t j, const std::string &k, int32_t mode);
bool colAddMultipleSymbolic(KV_Matrix &m, uint64_t i, uint64_t j, const std::string &k, int32_t mode);

// ---- elimination with printed steps (matrix/elimination.cpp) ----
// Both procedures reduce the matrix they are given, in place and always in fractions, and
// write each step ("r2+r1*(-2) ==>", the whole matrix, a dashed line) into `out`.
//
// The answer of a procedure that did not finish: a matrix of more than kMaxStepCells
// cells, or a cell that is no number text and grows past kMaxStepCellText characters
// (such texts are not simplified: each step nests them in the next), writes kStepsRefused
// or kStepsStopped into `out`, whatever the mode, and returns kNoRank.
constexpr uint64_t kNoRank = UINT64_MAX;
constexpr size_t kMaxStepCellText = 1024;
// True for the texts that the step limits leave alone: integers, decimals and fractions.
bool isNumberText(const std::string &text);
extern const char *const kStepsRefused;
extern const char *const kStepsStopped;
// The rank of the matrix. Modes: 0 rows reduced, nothing written; 1 rows reduced with
// the steps; 2 columns reduced with the steps; 3 rows when the matrix has no more rows
// than columns, columns otherwise, with the steps. A mode that writes ends with the list
// of the independent columns (or rows): "c1,c2,c4.".
uint64_t row_echelon_steps(KV_Matrix &m, std::ostream &out, int32_t mode);
// Gauss-Jordan on the augmented matrix [A|b] of A x = b (the last column is b). Returns
// the number of pivots of [A|b] and both ranks through the out values; when the system is
// solvable `solution` receives, in row order, the cells of X: one row per unknown, column
// 0 a particular solution E_0 and columns 1..k a basis E_1..E_k of the solutions of
// A x = 0, each free unknown taking 1 in its own basis vector, and X is written after the
// line "x= E_0 + C_1*E_1 + ..."; otherwise the verdict of no solution is written and
// `solution` is left as it was. Modes: odd modes write the steps,
// modes above 0 the independent columns; modes 1 and 2 write a zero of the basis vectors
// negated ("-0").
uint64_t gauss_eliminate_steps(KV_Matrix &ab, const std::string &nameA, const std::string &nameX,
                               const std::string &nameB, uint64_t &rankA, uint64_t &rankAb,
                               std::vector<std::string> &solution, std::ostream &out, int32_t mode);

// ---- literals (matrix/matrix_literals.cpp) ----
// A literal typed at the prompt, from its "[": blank runs become one comma, an empty cell
// between two commas "0". When the literal does not close on the given text it goes on
// with moreLines from index nextLine (which is advanced past the lines taken): a line
// after an unfinished row continues that row. False when those lines run out before the
// literal closes with every row complete (an input error); the outputs then hold what was
// read. The row and column counts are those of the rows read, the widest row giving the
// columns.
bool splitMatrixRows(std::vector<std::vector<std::string>> &rows, const std::string &literal,
                     std::string &normalised, int32_t &rowCount, int32_t &colCount,
                     const std::vector<std::string> &moreLines, size_t &nextLine);
// "name=[...]" read in one pass (a CR LF inside the brackets ends a row; empty cells and
// rows are dropped). Returns 2 for a matrix assignment, 1 for another assignment (name and
// the text after "="), 0 for no assignment, -1 for a name that is not an identifier. The
// assignment list receives the rewritten text.
int parseMatrixAssignment(const std::string &text, std::string &name, std::string &literal, uint64_t &rowCount,
                          uint64_t &colCount, std::vector<std::string> &assignments,
                          std::vector<std::vector<std::string>> &rows);
// The separators of one line of a literal normalised (previous: the last character of the
// line before, or a blank); the FillZeros form also writes "0" between two commas.
std::string normalizeMatrixLine(const std::string &text, char separator, char previous, std::string &out);
std::string normalizeMatrixLineFillZeros(const std::string &text, char separator, char previous,
                                         std::string &out);

// The tabbed form shared by every printer of the cells: each cell followed by a tab, a
// line end after each row; nothing for an empty matrix.
std::ostream &writeMatrixCells(std::ostream &out, const KV_Matrix &m);

// ---- the matrix mode (matrix/matrix_value.cpp) ----
// Bit 0 set: the matrix operations compute in exact fractions; clear: in decimals. The
// interpreter and the matrix commands copy the engine's mode word here before matrix work.
extern int32_t matrix_mode;
void setMatrixMode(int32_t mode);
int32_t getMatrixMode();
inline bool matrixFractionMode() { return (getMatrixMode() & kFractionBit) != 0; }
