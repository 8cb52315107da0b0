// QR decomposition by Gram-Schmidt, in decimals and in fractions with radicals.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "engine/matrix_test_support.h"
#include "matrix.h"
#include "tools.h"

namespace {

KV_Matrix cells(std::vector<std::string> texts, uint64_t rows, uint64_t cols) { return KV_Matrix(texts, rows, cols); }

struct QRCase {
    KV_Matrix a;
    bool fractions;
    const char *q;
    const char *r;
};

TEST(MatrixQR, Examples) {
    const std::vector<QRCase> table = {
        {cells({"3", "0", "4", "5"}, 2, 2), false, "[0.6,-0.8;0.8,0.6]", "[5.00000000,4.0;0,3.00000000]"},
        {cells({"3", "0", "4", "5"}, 2, 2), true, "[3|5,-4|5;4|5,3|5]", "[5,4;0,3]"},
        {cells({"-2"}, 1, 1), false, "[-1]", "[2.00000000]"},
        {cells({"-2"}, 1, 1), true, "[-1]", "[2]"},
        {cells({"1", "0", "0", "1"}, 2, 2), true, "[1,0;0,1]", "[1,0;0,1]"},
        // a zero divided by a decimal norm is written "0", as every zero quotient is
        {cells({"1", "0", "0", "1"}, 2, 2), false, "[1,0;0,1]", "[1.00000000,0;0,1.00000000]"},
        // a dependent column: the zero norm's quotients fill its column of Q
        {cells({"3", "6", "4", "8"}, 2, 2), false, "[0.6,∞;0.8,∞]", "[5.00000000,10.0;0,0.00000000]"},
        // a norm that is no square stays a radical: each factor is a rational times one root
        {cells({"1", "1", "1", "0"}, 2, 2), true, "[sqrt(2)|2,sqrt(2)|2;sqrt(2)|2,-sqrt(2)|2]",
         "[sqrt(2),sqrt(2)|2;0,sqrt(2)|2]"},
        // cells typed as quotients and decimals are their exact values
        {cells({"3/5", "0", "0.8", "1|2"}, 2, 2), true, "[3|5,-4|5;4|5,3|5]", "[1,2|5;0,3|10]"},
    };
    for (const QRCase &c : table) {
        KV_Matrix q(1, 1, "unset"), r(1, 1, "unset");
        std::string printed = captureStandardOutput([&] { c.fractions ? c.a.QRFraction(q, r) : c.a.QR(q, r); });
        EXPECT_EQ(printed, "") << literal(c.a);
        EXPECT_EQ(literal(q), c.q) << literal(c.a) << (c.fractions ? " fractions" : " decimals");
        EXPECT_EQ(literal(r), c.r) << literal(c.a) << (c.fractions ? " fractions" : " decimals");
    }
}

TEST(MatrixQR, RefusalsLeaveTheFactors) {
    struct Refusal {
        KV_Matrix a;
        bool fractions;
        const char *message;
    };
    const std::vector<Refusal> table = {
        {cells({"1", "2", "3", "4", "5", "6"}, 2, 3), false, "error> QR(): parameter A is not a square matrix!\n"},
        {cells({"1", "2", "3", "4", "5", "6"}, 2, 3), true, "error> QR(): parameter A is not a square matrix!\n"},
        {KV_Matrix(33, "1"), false, "error> QR(): the order of A is limited to 32.\n"},
        // a dependent column under radicals: the cell-by-cell road, whose texts grow
        {cells({"1", "1", "2", "0", "1", "1", "1", "0", "1"}, 3, 3), true,
         "error> QR(): a cell grows past 1024 characters.\n"},
    };
    for (const Refusal &c : table) {
        KV_Matrix q(1, 1, "unset"), r(1, 1, "unset");
        std::string printed = captureStandardOutput([&] { c.fractions ? c.a.QRFraction(q, r) : c.a.QR(q, r); });
        EXPECT_EQ(printed, c.message) << literal(c.a);
        EXPECT_EQ(literal(q), "[unset]");
        EXPECT_EQ(literal(r), "[unset]");
    }
}

// The value of a factor's cell: a rational "p|q", or "[-][p*]sqrt(k)[|q]".
long double cellValue(const std::string &t) {
    size_t root = t.find("sqrt(");
    if (root == std::string::npos) {
        size_t bar = t.find('|');
        return std::stold(t.substr(0, bar)) / (bar == std::string::npos ? 1.0L : std::stold(t.substr(bar + 1)));
    }
    size_t close = t.find(')', root), bar = t.find('|', close);
    long double c = t[0] == '-' ? -1.0L : 1.0L;
    size_t star = t.find('*');
    if (star != std::string::npos && star < root) c *= std::stold(t.substr(t[0] == '-' ? 1 : 0, star));
    if (bar != std::string::npos) c /= std::stold(t.substr(bar + 1));
    return c * std::sqrt(std::stold(t.substr(root + 5, close - root - 5)));
}

// Norms that are no squares, column after column: Q R = A and Q^T Q = I on the printed texts.
TEST(MatrixQR, RadicalFactorsAreExact) {
    std::vector<std::string> longRadicals;
    for (int i = 0; i < 16; i++) longRadicals.push_back(std::to_string(i % 5 + (i % 4 == 0 ? 2 : 0)));
    ModeScope fractions(1);
    for (const KV_Matrix &a : {KV_Matrix(longRadicals, 4, 4), cells({"1", "1", "0", "1", "0", "1", "0", "1", "1"}, 3, 3),
                               cells({"1/2", "2", "-3|4", "0.5"}, 2, 2)}) {
        KV_Matrix q, r;
        EXPECT_EQ(a.QRFraction(q, r), "");
        const uint64_t n = a.rows;
        for (uint64_t i = 0; i < n; i++)
            for (uint64_t j = 0; j < n; j++) {
                long double product = 0, gram = 0;
                for (uint64_t l = 0; l < n; l++) {
                    product += cellValue(q.get(i, l)) * cellValue(r.get(l, j));
                    gram += cellValue(q.get(l, i)) * cellValue(q.get(l, j));
                }
                std::string typed = a.get(i, j);
                std::replace(typed.begin(), typed.end(), '/', '|');
                EXPECT_NEAR(double(product), double(cellValue(typed)), 1e-12)
                    << literal(a) << " Q " << literal(q) << " R " << literal(r);
                EXPECT_NEAR(double(gram), i == j ? 1.0 : 0.0, 1e-12) << literal(q);
            }
    }
}

}  // namespace
