#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "BigNumber.h"

TEST(Goldbach, SumsOfPrimesFromTheTable) {
    struct {
        int64_t n, count;
        const char *text;
    } cases[] = {
        {10, 2, "10 == 3 + 7\n10 == 5 + 5\n"},
        {6, 1, "6 == 3 + 3\n"},
        {9, 1, "9 == 3 + 3 + 3\n"},
        {7, 0, ""},
        {15, 2, "15 == 3 + 5 + 7\n15 == 5 + 5 + 5\n"},
        {4, 1, "4 = 2 + 2 \n"},
        {5, 1, "5 = 2 + 3 \n"},
        {3, 0, "The input number should be greater than 4.\n"},
        {-8, 0, "The input number should be greater than 4.\n"},
        {6000000000, 0, "hint> The bound 6000000000 is too large: primes are sieved below 4294967296.\n"},
    };
    for (auto &c : cases) {
        BigNumber bn;
        std::ostringstream out;
        EXPECT_EQ(bn.goldbach_decompose(c.n, out), c.count) << c.n;
        EXPECT_EQ(out.str(), c.text) << c.n;
    }
    BigNumber bn;
    std::ostringstream out;
    EXPECT_EQ(bn.goldbach_decompose(1000000, out), 5402);  // the count of the pairs
    EXPECT_EQ(bn.primeTable.back(), 999983u);              // the table that later commands read
}

TEST(Goldbach, SumsOfPrimesOnTexts) {
    struct {
        const char *n;
        int64_t count;
        const char *text;
    } cases[] = {
        {"10", 2, "3 + 7\n5 + 5\n"},
        {"9", 1, "3 + 3 + 3\n\n"},
        {"15", 2, "3 + 5 + 7\n\n5 + 5 + 5\n\n"},
        {"4", 1, "4 = 2 + 2\n"},
        {"5", 1, "5 = 2 + 3\n"},
        {"2", 0, "The input number should be greater than 4.\n"},
        {"3", 0, "The input number should be greater than 4.\n"},
        {"-10", 0, "Error> `-10` is not a non-negative integer.\n"},
    };
    for (auto &c : cases) {
        BigNumber bn;
        std::ostringstream out;
        EXPECT_EQ(bn.goldbach_decompose_big(c.n, false, "3", out), c.count) << c.n;
        EXPECT_EQ(out.str(), c.text) << c.n;
    }
    // twenty digits: the first pairs, then the stop of the candidate walk
    BigNumber bn;
    std::ostringstream out;
    int64_t count = bn.goldbach_decompose_big("100000000000000000000", false, "3", out);
    std::string text = out.str();
    EXPECT_EQ(text.substr(0, 52), "11 + 99999999999999999989\n59 + 99999999999999999941\n");
    const std::string stop = "Stopped after 200000 candidates: the list is not complete.\n";
    EXPECT_EQ(text.substr(text.size() - stop.size()), stop);
    EXPECT_EQ(int64_t(std::count(text.begin(), text.end(), '\n')), count + 1);
}
