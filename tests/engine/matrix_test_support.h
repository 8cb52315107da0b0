// Helpers of the matrix tests: the literal form of a matrix, the matrix mode set for a
// scope, and what a call writes on the standard output stream.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
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

inline std::string captureStandardOutput(const std::function<void()> &body) {
    ::testing::internal::CaptureStdout();
    body();
    std::fflush(stdout);
    return ::testing::internal::GetCapturedStdout();
}
