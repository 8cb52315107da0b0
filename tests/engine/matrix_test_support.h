// Helpers of the matrix tests: the literal form of a matrix, and the matrix mode set for a
// scope.
#pragma once

#include <sstream>
#include <string>

#include "matrix.h"

inline std::string literal(const KV_Matrix &m) {
    std::ostringstream os;
    m.printLiteral(os);
    return os.str();
}

struct ModeScope {
    explicit ModeScope(int32_t mode) : saved(getMatrixMode()) { setMatrixMode(mode); }
    ~ModeScope() { setMatrixMode(saved); }
    ModeScope(const ModeScope &) = delete;
    ModeScope &operator=(const ModeScope &) = delete;
    int32_t saved;
};
