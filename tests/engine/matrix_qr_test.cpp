// QR decomposition by Gram-Schmidt, in decimals and in fractions with radicals.
#include <gtest/gtest.h>

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
        // a norm that is no square stays a radical
        {cells({"1", "1", "1", "0"}, 2, 2), true, nullptr, nullptr},
    };
    for (const QRCase &c : table) {
        KV_Matrix q(1, 1, "unset"), r(1, 1, "unset");
        std::string printed = captureStandardOutput([&] { c.fractions ? c.a.QRFraction(q, r) : c.a.QR(q, r); });
        EXPECT_EQ(printed, "") << literal(c.a);
        if (c.q == nullptr) {
            EXPECT_EQ(q.get(0, 0), "1|sqrt(2)");
            EXPECT_EQ(r.get(0, 0), "sqrt(2)");
            EXPECT_EQ(r.get(1, 0), "0");
            continue;
        }
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
    std::vector<std::string> longRadicals;
    for (int i = 0; i < 16; i++) longRadicals.push_back(std::to_string(i % 5 + (i % 4 == 0 ? 2 : 0)));
    const std::vector<Refusal> table = {
        {cells({"1", "2", "3", "4", "5", "6"}, 2, 3), false, "error> QR(): parameter A is not a square matrix!\n"},
        {cells({"1", "2", "3", "4", "5", "6"}, 2, 3), true, "error> QR(): parameter A is not a square matrix!\n"},
        {KV_Matrix(33, "1"), false, "error> QR(): the order of A is limited to 32.\n"},
        // radicals are carried along as texts that every column repeats
        {KV_Matrix(longRadicals, 4, 4), true, "error> QR(): a cell grows past 1024 characters.\n"},
    };
    for (const Refusal &c : table) {
        KV_Matrix q(1, 1, "unset"), r(1, 1, "unset");
        std::string printed = captureStandardOutput([&] { c.fractions ? c.a.QRFraction(q, r) : c.a.QR(q, r); });
        EXPECT_EQ(printed, c.message) << literal(c.a);
        EXPECT_EQ(literal(q), "[unset]");
        EXPECT_EQ(literal(r), "[unset]");
    }
}

}  // namespace
