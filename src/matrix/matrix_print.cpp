// The printed forms of a matrix: the literal that a matrix variable keeps as its value
// text, and the tabbed rows of the answers. Cell texts are written as they stand.
#include <iostream>

#include "matrix.h"

void KV_Matrix::printLiteral(std::ostream &out) const {
    if (isEmpty()) {
        out << "[]" << std::endl;
        return;
    }
    out << '[';
    for (uint64_t i = 0; i < rows; i++) {
        if (i > 0) out << ';';
        for (uint64_t j = 0; j < cols; j++) out << (j > 0 ? "," : "") << cells[i * cols + j];
    }
    out << ']';
}

std::ostream &writeMatrixCells(std::ostream &out, const KV_Matrix &m) {
    if (m.isEmpty()) return out;
    for (uint64_t i = 0; i < m.rows; i++) {
        for (uint64_t j = 0; j < m.cols; j++) out << m.cells[i * m.cols + j] << '\t';
        out << std::endl;
    }
    return out;
}

void KV_Matrix::printTo(std::ostream &out) const {
    if (isEmpty()) out << "error> This matrix is empty." << std::endl;
    else writeMatrixCells(out, *this);
}

void KV_Matrix::print() const { printTo(std::cout); }
