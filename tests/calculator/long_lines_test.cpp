// Lines that compute long or answer long: a stop asked for from another thread ends the line
// with "Stopped." and leaves the calculator as the line found it; a long answer is shown whole,
// and only past the limit a text can hold is it cut, with a line that says how long it was.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "calculator_test_support.h"
#include "nat/nat.h"
#include "stop_request.h"

namespace {

class LongLinesTest : public ::testing::Test {
  protected:
    void TearDown() override { clearEngineStop(); }

    std::string enter(const std::string &line) {
        captureStdout([&] { processInputLine(line, calculator); });
        return shownText(calculator);
    }

    // The line, with a stop asked for once it has run a while.
    std::string enterStopped(const std::string &line) {
        std::thread stopper([] {
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
            requestEngineStop();
        });
        const std::string shown = enter(line);
        stopper.join();
        clearEngineStop();
        return shown;
    }

    Calculator calculator;
};

TEST_F(LongLinesTest, AStoppedLineAnswersStoppedAndTheNextLineComputes) {
    ASSERT_EQ(enter("b=5"), "5\n--------------------\n>> ");
    calculator.core.setPrecision(20);
    const std::string lines[] = {
        "Primes(4000000000)",                       // the sieve (tried as a script call first)
        "nextprime(1" + std::string(5000, '0') + ")", // prime stepping on a long number
        // the factor searches, on a product of two 30-digit primes
        "factorise(30000000000000000000000003787000000000000000000000010163227)",
    };
    for (const std::string &line : lines) {
        const std::string lastAnswer = enter("_");
        EXPECT_EQ(enterStopped(line), "Stopped.\n>> ") << line;
        EXPECT_EQ(enter("_"), lastAnswer) << "after " << line;
        EXPECT_EQ(calculator.core.getPrecision(), 20) << "after " << line;
        EXPECT_EQ(enter("b"), texts::scriptAnswer("5")) << "after " << line;
        EXPECT_EQ(enter("1+2"), texts::scriptAnswer("3")) << "after " << line;
    }
}

// The long loops of polynomials (one variable and several), matrices and calculus look at
// the request too: each line ends "Stopped." with no terms left behind (the sanitizer's leak
// check sees those of a stopped product), and the calculator answers the next line.
TEST_F(LongLinesTest, PolynomialMatrixAndCalculusLinesStop) {
    // a 60 by 60 matrix of small numbers: its exact inverse takes seconds
    std::string matrix = "[";
    for (int i = 0; i < 60; i++)
        for (int j = 0; j < 60; j++)
            matrix += std::to_string((i * 37 + j * j * 11 + i * j) % 201 - 100) + (j < 59 ? "," : i < 59 ? ";" : "]");
    struct Family {
        const char *what;
        std::vector<std::string> before, after; // lines that enter and leave its mode
        std::string line;
    };
    const Family families[] = {
        {"polynomial", {":mode polyn"}, {":mode polyn"}, "(x+1)^3000*(x+2)^3000"},
        {"calculus", {}, {}, "lim(((x+1)^3000-1)/((x+2)^2999),x,0)"},
        {"matrix", {}, {}, "inv(" + matrix + ")"},
        // last: the declared variables stay for the rest of the calculator's run
        {"several variables", {"symbol(y,z)", ":mode polyn"}, {":mode polyn"}, "(x+y+z+1)^30"},
    };
    for (const Family &family : families) {
        for (const std::string &line : family.before) enter(line);
        EXPECT_EQ(enterStopped(family.line), "Stopped.\n>> ") << family.what;
        for (const std::string &line : family.after) enter(line);
        EXPECT_EQ(enter("1+2"), texts::scriptAnswer("3")) << "after " << family.what;
    }
}

// 2^100000 has 30103 digits: all of them are shown, not the script print buffer's 15000.
TEST_F(LongLinesTest, ALongAnswerIsShownWhole) {
    const std::string digits = nat::to_decimal(nat::pow(nat::from_u64(2), 100000));
    ASSERT_EQ(digits.size(), 30103u);
    EXPECT_EQ(enter("2^100000"), digits + "\n>> ");
    EXPECT_EQ(enter("1+2"), texts::scriptAnswer("3"));
}

TEST(WholeOrCut, TheCutKeepsWholeCharactersAndSaysHowLongTheTextWas) {
    struct Case {
        std::string text;
        size_t limit;
        uint64_t total;
        std::string shown;
    };
    const std::string yuan = "\xe5\x85\x83"; // one character of three bytes
    const Case cases[] = {
        {"12345", 5, 5, "12345"},
        {"12345", 10, 5, "12345"},
        {"123456", 4, 6, "1234" + cutNote(4, 6)},
        {"1234", 4, 9000, "1234" + cutNote(4, 9000)}, // the text held only the start of the whole
        {"ab" + yuan + "cd", 4, 7, "ab" + cutNote(2, 7)},
        {"ab" + yuan + "cd", 5, 7, "ab" + yuan + cutNote(5, 7)},
    };
    for (const Case &c : cases) EXPECT_EQ(wholeOrCut(c.text, c.limit, c.total), c.shown) << c.text << " " << c.limit;
    EXPECT_EQ(cutNote(4, 6), "\n(输出过长, 只显示前 4 字节; 共 6 字节)\n");
}

} // namespace
