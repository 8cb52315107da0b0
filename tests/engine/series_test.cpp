#include <gtest/gtest.h>

#include <sstream>

#include "BigNumber.h"
#include "number_routines.h"

TEST(SeriesSum, NumericalAndFractionMode) {
    BigNumber bn;
    EXPECT_EQ(bn.sumSeries("n^2", "n", "1", "3", false, false), "14");
    EXPECT_EQ(bn.sumSeries("n", "n", "-3", "-1", false, false), "-6");
    EXPECT_EQ(bn.sumSeries("1/n", "n", "1", "3", false, false), "1.83333333");
    EXPECT_EQ(bn.sumSeries("7", "n", "2", "5", true, false), "28");
    testing::internal::CaptureStdout();
    EXPECT_EQ(bn.sumSeries("n^2", "n", "1", "3", false, true), "14");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "1^2+2^2+3^2");
    bn.setMode(1);
    EXPECT_EQ(bn.sumSeries("1/n", "n", "1", "3", false, false), "11|6");
    EXPECT_EQ(bn.sumSeries("1/2", "n", "1", "3", true, false), "3|2");
    EXPECT_EQ(bn.sumSeries("n/2", "n", "-3", "-1", false, false), "-3");
}

// Every range ends: the index is compared with the last bound by value.
TEST(SeriesSum, RangesThatEndByValue) {
    struct {
        const char *term, *from, *to;
        bool constant;
        const char *sum;
    } cases[] = {
        {"n", "5", "1", false, "0"},      // last bound below the first: no term
        {"7", "5", "1", true, "0"},       // the same for a constant term
        {"n", "05", "7", false, "18"},    // leading zeros
        {"n", "1", "007", false, "28"},
        {"n", "0.5", "3", false, "4.5"},  // 3.5 would pass 3
        {"n", "1", "2.5", false, "3"},
        {"7", "1", "2.5", true, "14"},
        {"7", "-3", "-1", true, "21"},
        {"n", "1", "x", false, "Error: the bounds of a series should be numbers."},
        {"n", "", "3", false, "Error: the bounds of a series should be numbers."},
        {"n", "1", "-", false, "Error: the bounds of a series should be numbers."},
        {"n", "1", "2000000", false, "Error: a series is limited to 1000000 terms."},
    };
    BigNumber bn;
    for (auto &c : cases)
        EXPECT_EQ(bn.sumSeries(c.term, "n", c.from, c.to, c.constant, false), c.sum) << c.term << " " << c.from;
    // a constant term needs no walk: its count may be large
    EXPECT_EQ(bn.sumSeries("2", "n", "1", "123456789012345678901234567890", true, false),
              "246913578024691357802469135780");
    // an error of a term ends the sum and is its answer
    std::string error = bn.sumSeries("(n-3)!", "n", "1", "5", false, false);
    EXPECT_EQ(error.substr(0, 6), "\nhint>");
    std::ostringstream quiet;
    EXPECT_EQ(sum_general_term(bn, "(n-3)!", "n", "1", "5", quiet, false), error);
    std::ostringstream out;
    EXPECT_EQ(bn.sumSeries("n", "n", "1", "2.5", false, true, out), "3");
    EXPECT_EQ(out.str(), "1+2");  // no "+" after the last term, though 2 is not the bound
}

TEST(SeriesPrint, DelimitersAndConstantTerms) {
    struct {
        const char *term, *from, *to, *delimiter;
        bool constant;
        int mode;
        const char *text;
    } cases[] = {
        {"n^2", "1", "5", "\\n", false, 0, "1\n4\n9\n16\n25\n\n"},
        {"n^2", "1", "5", ",", false, 0, "1,4,9,16,25,\n"},
        {"n", "1", "3", "\\t", false, 0, "1\t2\t3\t\n"},
        {"1/n", "1", "3", ",", false, 1, "1,1|2,1|3,\n"},
        {"4", "1", "3", ",", true, 0, "4,4,4\n\n"},
        {"4", "1", "3", "\\n", true, 0, "4\n4\n4\n\n"},
        {"0.5", "1", "2", ",", true, 1, "1|2,1|2\n\n"},
        {"4", "1", "1", ",", true, 0, "4\n\n"},
        {"n", "5", "1", ",", false, 0, "\n"},  // an empty range
        {"4", "5", "1", ",", true, 0, "\n"},
        {"n", "a", "1", ",", false, 0, "Error: the bounds of a series should be numbers.\n"},
    };
    for (auto &c : cases) {
        BigNumber bn;
        bn.setMode(c.mode);
        std::ostringstream out;
        bn.printSeriesTerms(c.term, "n", c.from, c.to, c.delimiter, c.constant, out);
        EXPECT_EQ(out.str(), c.text) << c.term << " " << c.delimiter;
    }
}

TEST(SeriesSum, GeneralTermWithExpansion) {
    struct {
        const char *term, *from, *to;
        int mode;
        const char *sum, *text;
    } cases[] = {
        {"n^2", "1", "3", 0, "14", "1^2+2^2+3^2\nout> 14\n"},
        {"n", "-3", "-1", 0, "-6", "-3+-2+-1\nout> -6\n"},
        {"n ^ 2", "1", "2", 0, "5", "1^2+2^2\nout> 5\n"},  // blanks go first
        {"1/n", "1", "3", 1, "11|6", "1/1+1/2+1/3\nout> 11|6\n"},
        {"n", "-3", "-1", 1, "-6", "-3+-2+-1\nout> -6\n"},  // the signs of fractions are kept
        {"1/(n-4)", "1", "3", 1, "-11|6", "1/(1-4)+1/(2-4)+1/(3-4)\nout> -11|6\n"},
        {"5", "2", "5", 0, "20", "out> 20\n"},  // a constant term
        {"n", "4", "1", 0, "0", "\nout> 0\n"},
    };
    for (auto &c : cases) {
        BigNumber bn;
        bn.setMode(c.mode);
        std::ostringstream out;
        EXPECT_EQ(sum_general_term(bn, c.term, "n", c.from, c.to, out, true), c.sum) << c.term;
        EXPECT_EQ(out.str(), c.text) << c.term;
    }
    BigNumber bn;
    std::ostringstream quiet;
    EXPECT_EQ(sum_general_term(bn, "n^2", "n", "1", "3", quiet, false), "14");
    EXPECT_EQ(quiet.str(), "");
}

namespace {

SeriesSettings settings(const char *f, const char *item, const char *initial, int items, const char *delimiter) {
    SeriesSettings s;
    s.iterationExpression = f;
    s.generalItem = item;
    s.initialValue = std::string("(") + initial + ")";
    s.numberOfItems = items;
    s.delimiter = delimiter;
    return s;
}

std::string printed(BigNumber &bn, SeriesSettings &s, bool constant) {
    std::ostringstream out;
    bn.print_recursive_series(out, s, constant, s.plain);
    return out.str();
}

}  // namespace

TEST(RecursiveSeries, EvaluatedPlainAndConstant) {
    BigNumber bn;
    SeriesSettings s = settings("(a_n+n+1)/(1+a_n*(n+1))", "a_n", "2", 4, "\\n");
    s.lineNumber = true;
    std::string text = printed(bn, s, false);
    EXPECT_EQ(text.substr(0, 10), "[1]\t2\n[2]\t");
    EXPECT_EQ(text.find("[3]\t"), text.find('\n', 10) + 1);
    EXPECT_NE(text.find("\n[4]\t"), std::string::npos);
    EXPECT_EQ(text.substr(text.size() - 2), "\n\n");
    EXPECT_EQ(s.indexStep, "n+1");  // filled in by the printer

    // each term is computed for the index it carries: a_(n+1) = a_n + n
    SeriesSettings sum = settings("a_n+n", "a_n", "0", 4, ",");
    EXPECT_EQ(printed(bn, sum, false), "0,1,3,6,\n");
    sum.startIndex = "3";
    sum.lineNumber = true;
    EXPECT_EQ(printed(bn, sum, false), "[3]\t0,[4]\t3,[5]\t7,[6]\t12,\n");

    SeriesSettings plain = settings("x/2", "x", "2", 3, "\\n");
    plain.plain = true;
    EXPECT_EQ(printed(bn, plain, false), "(2)\n(2)/2\n((2)/2)/2\n\n");

    SeriesSettings constant = settings("5", "a_n", "2", 3, ",");
    EXPECT_EQ(printed(bn, constant, true), "5,5,5\n\n");

    SeriesSettings one = settings("a_n*2", "a_n", "3", 1, ",");
    EXPECT_EQ(printed(bn, one, false), "3,\n");

    bn.setMode(1);
    SeriesSettings halves = settings("a_n/2", "a_n", "1", 3, ",");
    EXPECT_EQ(printed(bn, halves, false), "1|1,1|2,1|4,\n");
    halves.plain = true;
    EXPECT_EQ(printed(bn, halves, false), "1|1,1|2,1|4,\n");
}

TEST(RecursiveSeries, CountsBelowOneWriteNothing) {
    BigNumber bn;
    for (int items : {0, -3}) {
        for (bool plain : {false, true}) {
            SeriesSettings s = settings("a_n+1", "a_n", "1", items, ",");
            s.plain = plain;
            EXPECT_EQ(printed(bn, s, false), "") << items;
            EXPECT_EQ(printed(bn, s, true), "") << items;
        }
    }
    SeriesSettings huge = settings("a_n+1", "a_n", "1", 2000000, ",");
    EXPECT_EQ(printed(bn, huge, false), "Error: a series is limited to 1000000 terms.\n");
}
