// The matrix value: construction, shape, cell access, comparison, the identity pattern,
// the transpose, sorting of the cells, and the process-wide matrix mode.
#include "matrix.h"

#include <utility>

#include "BigNumber.h"

int32_t matrix_mode = 0;

void setMatrixMode(int32_t mode) { matrix_mode = mode; }
int32_t getMatrixMode() { return matrix_mode; }

namespace {

// rows * cols when it fits under the cell limit; otherwise the shape becomes 0 x 0.
uint64_t checkedShape(uint64_t &rows, uint64_t &cols) {
    if (rows != 0 && cols > KV_Matrix::kMaxCells / rows) rows = cols = 0;
    return rows * cols;
}

}  // namespace

KV_Matrix::KV_Matrix() = default;

KV_Matrix::KV_Matrix(uint64_t r, uint64_t c, const std::string &fill) { resizeFill(r, c, fill); }

KV_Matrix::KV_Matrix(uint64_t n, const std::string &fill) : KV_Matrix(n, n, fill) {}

KV_Matrix::KV_Matrix(const std::vector<std::string> &flat, uint64_t r, uint64_t c) : KV_Matrix(r, c, "0") {
    for (uint64_t k = 0; k < size && k < flat.size(); k++) cells[k] = flat[k];
}

KV_Matrix::KV_Matrix(const std::vector<std::vector<std::string>> &rowLists, uint64_t r, uint64_t c)
    : KV_Matrix(r, c, "0") {
    for (uint64_t i = 0; i < rows && i < rowLists.size(); i++)
        for (uint64_t j = 0; j < cols && j < rowLists[i].size(); j++) cells[i * cols + j] = rowLists[i][j];
}

KV_Matrix::KV_Matrix(KV_Matrix &&other) noexcept
    : rows(std::exchange(other.rows, 0)), cols(std::exchange(other.cols, 0)),
      size(std::exchange(other.size, 0)), reserved(other.reserved), cells(std::move(other.cells)) {
    other.cells.clear();
}

KV_Matrix &KV_Matrix::operator=(KV_Matrix &&other) noexcept {
    if (this != &other) {
        rows = std::exchange(other.rows, 0);
        cols = std::exchange(other.cols, 0);
        size = std::exchange(other.size, 0);
        cells = std::move(other.cells);
        other.cells.clear();
    }
    return *this;
}

void KV_Matrix::resizeFill(uint64_t r, uint64_t c, const std::string &fill) {
    size = checkedShape(r, c);
    rows = r;
    cols = c;
    cells.assign(size, fill);
}

std::string KV_Matrix::get(uint64_t i, uint64_t j) const { return inside(i, j) ? cells[i * cols + j] : std::string(); }

void KV_Matrix::set(uint64_t i, uint64_t j, const std::string &text) {
    if (inside(i, j)) cells[i * cols + j] = text;
}

std::string matrixCell(const KV_Matrix &m, uint64_t i, uint64_t j) { return m.get(i, j); }

uint64_t KV_Matrix::rowMinFrom(uint64_t r, std::string &out, uint64_t s) const {
    out.clear();
    if (r >= rows || cols == 0) return 0;
    if (s >= cols) s = cols - 1;
    BigNumber bn;
    auto less = [&bn](const std::string &a, const std::string &b) {
        bool fractions = a.find_first_of("|/") != std::string::npos || b.find_first_of("|/") != std::string::npos;
        return fractions ? bn.isFractionLess(a, b) : bn.isLessThan(a, b);
    };
    uint64_t best = s;
    for (uint64_t c = s + 1; c < cols; c++)
        if (less(cells[r * cols + c], cells[r * cols + best])) best = c;
    out = cells[r * cols + best];
    return best;
}

KV_Matrix KV_Matrix::identity() {
    for (uint64_t i = 0; i < rows; i++)
        for (uint64_t j = 0; j < cols; j++) cells[i * cols + j] = i == j ? "1" : "0";
    return *this;
}

KV_Matrix KV_Matrix::transposeMatrix() const {
    KV_Matrix t(cols, rows, "0");
    for (uint64_t i = 0; i < rows; i++)
        for (uint64_t j = 0; j < cols; j++) t.cells[j * rows + i] = cells[i * cols + j];
    return t;
}

bool KV_Matrix::operator==(const KV_Matrix &other) const {
    return size == other.size && rows == other.rows && cols == other.cols && cells == other.cells;
}

void sortMatrixEntries(KV_Matrix &m, bool ascending, int32_t mode) {
    BigNumber bn;
    bn.setMode(mode);
    if (ascending) bn.sort_numbers_asc(m.cells);
    else bn.sort_numbers_desc(m.cells);
}
