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

class KV_Matrix {
public:
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

// The tabbed form shared by every printer of the cells: each cell followed by a tab, a
// line end after each row; nothing for an empty matrix.
std::ostream &writeMatrixCells(std::ostream &out, const KV_Matrix &m);

// ---- the matrix mode (matrix/matrix_value.cpp) ----
// Bit 0 set: the matrix operations compute in exact fractions; clear: in decimals. The
// interpreter and the matrix commands copy the engine's mode word here before matrix work.
extern int32_t matrix_mode;
void setMatrixMode(int32_t mode);
int32_t getMatrixMode();
inline bool matrixFractionMode() { return (getMatrixMode() & 1) != 0; }
