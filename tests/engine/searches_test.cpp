#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "BigNumber.h"
#include "number_routines.h"

namespace {

std::string squares(const std::string &n, const std::string &m) {
    std::ostringstream out;
    squaresum_search(n, m, out);
    return out.str();
}

std::string cubes(const std::string &n, const std::string &m) {
    std::ostringstream out;
    cubicsum_search(n, m, out);
    return out.str();
}

}  // namespace

TEST(Searches, SumsOfTwoSquares) {
    EXPECT_EQ(squares("5", "25"), "3^2+(-4)^2\n3^2+(4)^2\n4^2+(-3)^2\n4^2+(3)^2\n");
    EXPECT_EQ(squares("3", "4"), "2^2+(0)^2\n");
    EXPECT_EQ(squares("4", "32"), "");  // 4^2+4^2: y stops below n
    EXPECT_EQ(squares("5", "32"), "4^2+(-4)^2\n4^2+(4)^2\n");
    EXPECT_EQ(squares("005", "025"), squares("5", "25"));  // bounds by value
    EXPECT_EQ(squares("0", "5"), "");                      // an empty range ends at once
    EXPECT_EQ(squares("5", "123456789012345678901234567890"), "");
    for (const char *n : {"-5", "5x", ""}) EXPECT_EQ(squares(n, "25"), "The parameters should be positive integers.\n");
    EXPECT_EQ(squares("10000001", "5"), "Error> 10000001 is out of range: an integer from 0 to 10000000 is needed here.\n");
}

TEST(Searches, SumsOfThreeCubesAgainstTheFullLoop) {
    for (int n : {1, 2, 5, 9}) {
        for (int m : {0, 1, 3, 29, 36, 100, 216}) {
            std::string want;
            for (int x = 1; x < n; x++)
                for (int y = -n; y < n; y++)
                    for (int z = -n; z < n; z++)
                        if (x * x * x + y * y * y + z * z * z == m)
                            want += std::to_string(x) + "^3+(" + std::to_string(y) + ")^3+(" + std::to_string(z) + ")^3\n";
            EXPECT_EQ(cubes(std::to_string(n), std::to_string(m)), want) << n << " " << m;
        }
    }
    EXPECT_EQ(cubes("0", "1"), "");
    EXPECT_EQ(cubes("1001", "1"), "Error> 1001 is out of range: an integer from 0 to 1000 is needed here.\n");
}

TEST(Searches, CubesFoundByARoot) {
    std::ostringstream out;
    cubicsum2_search("2", "1", "3", out);
    std::string text = out.str();
    const std::string tail = "1\n3-1^3-(1)^3==1\n1^3; low=1; up=2\n1^3+(1)^3+(1)^3==3\n";
    ASSERT_GE(text.size(), tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    EXPECT_EQ(text.substr(0, 45), "2.15443469\n3-1^3-(-2)^3==10\n2^3; low=1; up=3\n");
    // a negative rest has its real cube root, with the integers around it as candidates
    out.str("");
    cubicsum2_search("1", "2", "0", out);
    text = out.str();
    const std::string negative = "-1.25992105\n0-1^3-(1)^3==-2\n-1^3; low=-2; up=0\n";
    ASSERT_GE(text.size(), negative.size());
    EXPECT_EQ(text.substr(text.size() - negative.size()), negative);
}

TEST(Searches, RunsOfConsecutiveCubes) {
    struct {
        const char *a, *b;
        int64_t count;
        const char *text;
    } cases[] = {
        {"1", "10", 1, "\n3^3 + ... + 5^3 = 6^3\n"},
        {"10", "1", 1, "\n3^3 + ... + 5^3 = 6^3\n"},
        {"1", "15", 2, "\n3^3 + ... + 5^3 = 6^3\n11^3 + ... + 14^3 = 20^3\n"},
        {"5", "5", 1, "\nSolution:\n5^3 = 5^3\n"},
        {"1000000000000", "1000000000003", 0, "\n"},  // sums beyond 128 bits
        {"1", "20000", -1, "Error: the range of a search is limited to 10000.\n"},
        {"x", "3", -1, "The parameters should be positive integers.\n"},
    };
    BigNumber bn;
    for (auto &c : cases) {
        std::ostringstream out;
        EXPECT_EQ(consecutive_cube_sum_search(bn, c.a, c.b, out), c.count) << c.a << " " << c.b;
        EXPECT_EQ(out.str(), c.text) << c.a << " " << c.b;
    }
}

TEST(Searches, TwoCubesThatArePowers) {
    BigNumber bn;
    bn.setPrecision(30);
    std::ostringstream out;
    EXPECT_EQ(solve_x3plusy3_zn_search(bn, "1", "2", out), 2);
    EXPECT_EQ(out.str(), "\n1^3+2^3 == 3^2\n2^3 + 2^3 == 2^4\n2^3+2^3 == 4^2\n");
    EXPECT_EQ(bn.getPrecision(), 30);  // put back
    out.str("");
    // 9^3 + 10^3 = 1729 is no power; 2^3 + 2^3 and 4^3 + 4^3 = 2^7 (no other power)
    EXPECT_EQ(solve_x3plusy3_zn_search(bn, "4", "4", out), 0);
    EXPECT_EQ(out.str(), "\n4^3 + 4^3 == 2^7\n");
    out.str("");
    EXPECT_EQ(solve_x3plusy3_zn_search(bn, "1", "5000", out), -1);
    EXPECT_EQ(out.str(), "Error: the range of a search is limited to 300.\n");
}

TEST(Subsets, ListsInLexicographicOrder) {
    struct {
        int N, m, code;
        const char *text;
    } cases[] = {
        {4, 2, 0, "0 1 \n0 2 \n0 3 \n1 2 \n1 3 \n2 3 \n\n"},
        {4, 3, 0, "0 1 2 \n0 1 3 \n0 2 3 \n1 2 3 \n\n"},
        {3, 1, 0, "0 \n1 \n2 \n\n"},
        {3, 3, 0, "0 1 2 \n\n"},
        {2, 3, -2, ""},
        {3, 0, -1, ""},
        {0, 0, -1, ""},
        {-4, 2, -1, ""},
        {40, 20, -3, "Error: too many subsets to list here.\n"},
        {2000000000, 2000000000, -3, "Error: too many subsets to list here.\n"},  // one, but long to build
        {2000000000, 1999999999, -3, "Error: too many subsets to list here.\n"},
    };
    for (auto &c : cases) {
        std::ostringstream out;
        EXPECT_EQ(list_subsets(c.N, c.m, out), c.code) << c.N << " " << c.m;
        EXPECT_EQ(out.str(), c.text) << c.N << " " << c.m;
    }
    std::ostringstream out;
    EXPECT_EQ(list_subsets(16, 8, out), 0);  // 12870 subsets
    std::string text = out.str();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 12870 + 1);
}

TEST(Subsets, NameLists) {
    std::stringstream out;
    out << "earlier text";
    print_name_list({"gcd", "lcm"}, out);
    EXPECT_EQ(out.str(), "gcd\nlcm\n\n");
    print_name_list({}, out);
    EXPECT_EQ(out.str(), "\n");
}

TEST(Searches, FactorWalks) {
    struct {
        const char *n;
        bool join;
        int count;
        const char *text;
    } cases[] = {
        {"12", true, 2, "12==2*2*3\n223==223\n\n"},
        {"12", false, 2, "12==2*2*3\n2+2+3==7\n\n"},
        {"7", true, 1, "7==7\n\n"},
        {"7", false, 1, "7==7\n\n"},
        {"8", false, 3, "8==2*2*2\n2+2+2==2*3\n2+3==5\n\n"},
    };
    for (auto &c : cases) {
        std::ostringstream out;
        EXPECT_EQ(c.join ? duanwu_join_factors(c.n, out) : duanwu_add_factors(c.n, out), c.count) << c.n;
        EXPECT_EQ(out.str(), c.text) << c.n;
    }
    // 4 = 2*2 sums to 4 again: the walk stops at the repeat and says so
    std::ostringstream four;
    EXPECT_EQ(duanwu_add_factors("4", four), 1);
    std::string text = four.str();
    EXPECT_EQ(text, "4==2*2\nStopped at 4, met before: the walk repeats.\n\n");
    // past ten digits the walk notes the change of method once
    std::ostringstream nine;
    EXPECT_EQ(duanwu_join_factors("9", nine), 3);
    EXPECT_EQ(nine.str(), "9==3*3\n33==3*11\n311==311\n\n");
    std::ostringstream longer;
    EXPECT_EQ(duanwu_join_factors("1073741824", longer), 4);  // 2^30: thirty digits 2 when joined
    text = longer.str();
    EXPECT_NE(text.find("\nIts length=30 > 10\nWe use factorising by Miller-Rabin prime test, but not yafu. "
                        "Yafu is much faster.\n\n2*3*7*11*13*31*37*41*211*241*271*2161*9091*2906161\n"),
              std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 110),
              "Stopped after 4 steps: the next number, 317213717814655616453119271235849970436311, "
              "has more than 40 digits.\n\n");
}

TEST(Subsets, FermatPseudoprimes) {
    struct {
        int64_t n;
        int count;
        const char *text;
    } cases[] = {
        {1000, 3, "341\n561\n645\n"},
        {340, 0, ""},
        {341, 1, "341\n"},
        {10, 0, ""},
        {4, 0, ""},
        {1, -1, ""},
        {5000000000, -2, "hint> The bound 5000000000 is too large: primes are sieved below 4294967296.\n"},
    };
    for (auto &c : cases) {
        std::ostringstream out;
        EXPECT_EQ(list_pseudoprimes(c.n, out, 2), c.count) << c.n;
        EXPECT_EQ(out.str(), c.text) << c.n;
    }
    // below 10^5: the 78 Fermat pseudoprimes to base 2 but 4369, where the power meets a
    // square root of 1 other than 1 and -1 on its way
    std::ostringstream out;
    EXPECT_EQ(list_pseudoprimes(100000, out, 2), 77);
    EXPECT_EQ(out.str().find("\n4369\n"), std::string::npos);
    EXPECT_NE(out.str().find("\n4371\n"), std::string::npos);
}
