#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>

#include "BigNumber.h"
#include "solvers.h"

namespace {

std::string substituted(const std::string &pattern, const std::array<std::string, 4> &numbers) {
    std::string out;
    for (char ch : pattern) out += ch >= 'a' && ch <= 'd' ? numbers[size_t(ch - 'a')] : std::string(1, ch);
    return out;
}

struct Game {
    int count;
    std::vector<std::string> lines;
};

Game play(const std::array<std::string, 4> &numbers, const std::string &target = "24") {
    BigNumber bn;
    std::ostringstream out;
    Game g;
    g.count = bn.solve24Templates(numbers, target, out);
    std::istringstream in(out.str());
    for (std::string line; std::getline(in, line);) g.lines.push_back(line);
    return g;
}

} // namespace

TEST(Game24Templates, TableCounts) {
    const std::vector<std::string> &t = game24_templates();
    EXPECT_EQ(t.size(), 1386u);
    EXPECT_EQ(std::set<std::string>(t.begin(), t.end()).size(), t.size()); // no two equal
    std::set<std::string> shapes;
    for (const std::string &pattern : t) {
        std::string letters = pattern, shape = pattern;
        letters.erase(
            std::remove_if(letters.begin(), letters.end(), [](char c) { return c < 'a' || c > 'd'; }),
            letters.end());
        std::sort(letters.begin(), letters.end());
        EXPECT_EQ(letters, "abcd") << pattern; // each letter exactly once
        std::replace_if(
            shape.begin(), shape.end(), [](char c) { return c >= 'a' && c <= 'd'; }, 'x');
        shapes.insert(shape);
    }
    EXPECT_EQ(shapes.size(), 108u);
    EXPECT_EQ(t.front(), "a+b+c+d");
    EXPECT_EQ(t[1], "a-b+c+d");
    EXPECT_EQ(t.back(), "d/(c-b/a)");
}

TEST(Game24Templates, ValuesAsFunctionsOfTheFourLetters) {
    // Two points with no common structure tell the functions apart; exact fractions.
    const std::array<std::string, 4> points[] = {{"(37|11)", "(-53|7)", "(101|13)", "(17|5)"},
                                                 {"(-29|3)", "(71|17)", "(5|19)", "(-83|23)"}};
    BigNumber bn;
    std::map<std::string, int> timesReached;
    for (const std::string &pattern : game24_templates()) {
        std::string key;
        for (const auto &p : points) {
            std::string v;
            bn.EvalInfixExprNoOutput(substituted(pattern, p), v, 1);
            ASSERT_EQ(v.find_first_of("IN"), std::string::npos) << pattern << " gives " << v;
            key += v + ";";
        }
        timesReached[key]++;
    }
    EXPECT_EQ(timesReached.size(), 1170u);
    int twice = 0;
    for (const auto &[value, n] : timesReached) {
        EXPECT_LE(n, 2) << value;
        twice += n == 2;
    }
    EXPECT_EQ(twice, 216);
}

TEST(Game24, AnswerLinesInTableOrder) {
    Game g = play({"1", "2", "3", "4"});
    EXPECT_EQ(g.count, 4);
    EXPECT_EQ(g.lines,
              (std::vector<std::string>{"(1+3)*(2+4)==24", "1*2*3*4==24", "2*3*4/1==24", "(1+2+3)*4==24"}));

    g = play({"8", "6", "6", "4"}, "28");
    EXPECT_EQ(g.lines, (std::vector<std::string>{"(8+6)*(6-4)==28", "(8+6)*(6-4)==28", "(8-6/6)*4==28",
                                                 "(8-6/6)*4==28"}));

    g = play({"1", "3", "4", "6"});
    EXPECT_EQ(g.lines, (std::vector<std::string>{"6/(1-3/4)==24"}));
}

TEST(Game24, RepeatedLinesAreKept) {
    Game g = play({"3", "3", "8", "8"});
    EXPECT_EQ(g.lines, std::vector<std::string>(4, "8/(3-8/3)==24"));

    for (const std::array<std::string, 4> &n :
         {std::array<std::string, 4>{"1", "1", "1", "49"}, std::array<std::string, 4>{"49", "1", "1", "1"}})
        EXPECT_EQ(play(n).lines, std::vector<std::string>(3, "(49-1)/(1+1)==24"));

    EXPECT_EQ(play({"1", "5", "5", "5"}).lines, std::vector<std::string>(6, "(5-1/5)*5==24"));

    g = play({"6", "6", "6", "6"});
    EXPECT_EQ(g.count, 7);
    EXPECT_EQ(std::count(g.lines.begin(), g.lines.end(), "6+6+6+6==24"), 1);
    EXPECT_EQ(std::count(g.lines.begin(), g.lines.end(), "6*6-6-6==24"), 6);

    // one solution of distinct numbers in two written forms
    g = play({"4", "5", "3", "7"});
    EXPECT_EQ(g.count, 8);
    for (const char *line : {"4*5-3+7==24", "4*5+7-3==24", "5*(7-3)+4==24", "4-5*(3-7)==24"})
        EXPECT_EQ(std::count(g.lines.begin(), g.lines.end(), line), 1) << line;
}

TEST(Game24, BracketedNumbersAndTargets) {
    EXPECT_EQ(play({"(1/2)", "3", "4", "4"}).lines.at(0), "(1/2)*3*4*4==24");
    Game g = play({"(-3)", "1", "2", "9"});
    EXPECT_EQ(g.count, 8);
    EXPECT_EQ(g.lines.at(0), "9*(1+2)+(-3)==24");

    EXPECT_EQ(play({"1", "1", "1", "1"}).count, 0);
    EXPECT_EQ(play({"2", "2", "2", "2"}).count, 0);
    // Targets are compared by value, whatever their text.
    EXPECT_EQ(play({"1", "2", "3", "4"}, "024").count, 4);
    EXPECT_EQ(play({"1", "2", "3", "4"}, "(24)").count, 4);
    EXPECT_EQ(play({"1", "2", "3", "4"}, "(48/2)").count, 4);
}

// The exact evaluator writes 24*1*1*1 as 24|1: it is still the target 24.
TEST(Game24, ANumberEqualToTheTargetIsASolutionWhateverItsValueText) {
    Game g = play({"24", "1", "1", "1"});
    EXPECT_NE(std::find(g.lines.begin(), g.lines.end(), "24*1*1/1==24"), g.lines.end());
    EXPECT_NE(std::find(g.lines.begin(), g.lines.end(), "24*1*1*1==24"), g.lines.end());
    BigNumber bn;
    std::string v;
    bn.EvalInfixExprNoOutput("24*1*1*1", v, 1);
    EXPECT_EQ(v, "24|1");
}
