// fuzz-links: kavlo_engine
// Arbitrary text as a matrix literal through both readers (the text split at line ends
// gives the continuation lines), and the matrices built from what they read through the
// determinant and the inverse in both modes: every input must end without a crash, a hang
// or a sanitizer report.
#include <cstddef>
#include <cstdint>
#include <iostream>
#include <string>
#include <vector>

#include "matrix.h"

namespace {

void exercise(KV_Matrix m) {
    if (m.rows > 6 || m.cols > 6) return;  // bounded work a case
    for (int32_t mode : {0, 1}) {
        setMatrixMode(mode);
        KV_Matrix copy = m;
        copy.determinant();
        copy.inverse();
        (void)(m * m.transposeMatrix());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // The matrix operations report shape failures and singular matrices on standard output.
    static const bool quiet = (std::cout.rdbuf(nullptr), true);
    (void)quiet;
    if (size > 2048) return 0;
    const std::string text(reinterpret_cast<const char *>(data), size);
    std::vector<std::string> lines;
    for (size_t start = 0;;) {
        size_t end = text.find('\n', start);
        lines.push_back(text.substr(start, end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    std::vector<std::vector<std::string>> rows;
    std::string normalised;
    int32_t rowCount = 0, colCount = 0;
    size_t next = 1;
    splitMatrixRows(rows, lines[0], normalised, rowCount, colCount, lines, next);
    if (rowCount >= 0 && colCount >= 0) exercise(KV_Matrix(rows, uint64_t(rowCount), uint64_t(colCount)));

    std::string name, literal;
    uint64_t r = 0, c = 0;
    std::vector<std::string> list;
    if (parseMatrixAssignment("M=" + text, name, literal, r, c, list, rows) == 2)
        exercise(KV_Matrix(rows, r, rows.empty() ? 0 : rows[0].size()));
    return 0;
}
