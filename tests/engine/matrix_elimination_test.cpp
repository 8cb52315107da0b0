// Elimination with printed steps: the rank by rows or columns, and the general solution of
// a linear system from its augmented matrix.
#include <gtest/gtest.h>

#include <sstream>

#include "engine/matrix_test_support.h"
#include "matrix.h"

namespace {

KV_Matrix cells(std::vector<std::string> texts, uint64_t rows, uint64_t cols) { return KV_Matrix(texts, rows, cols); }

const std::string rule = "\n------------\n";

struct RankCase {
    KV_Matrix m;
    int32_t mode;
    uint64_t rank;
    std::string text;    // what is written
    const char *reduced; // the matrix afterwards
};

TEST(MatrixElimination, RankWithSteps) {
    const std::vector<RankCase> table = {
        {cells({"1", "2", "2", "4"}, 2, 2), 1, 1,
         "r2+r1*(-2) ==>\n\n1\t2\t\n0\t0\t\n" + rule + "\nThe linearly independent column vectors are:\nc1.\n",
         "[1,2;0,0]"},
        // column 1 has no pivot; the pivot of column 2, found in row 2, moves to row 1
        {cells({"0", "0", "5", "0", "1", "0", "0", "1", "0"}, 3, 3), 0, 2, "", "[0,1,0;0,0,1;0,0,0]"},
        {cells({"0", "0", "5", "0", "1", "0", "0", "1", "0"}, 3, 3), 1, 2,
         "r2<-->r1==>\n\n0\t1\t0\t\n0\t0\t5\t\n0\t1\t0\t\n" + rule +
             "r3+r1*(-1) ==>\n\n0\t1\t0\t\n0\t0\t5\t\n0\t0\t0\t\n" + rule +
             "r2*1|5 ==>\n\n0\t1\t0\t\n0\t0\t1\t\n0\t0\t0\t\n" + rule +
             "\nThe linearly independent column vectors are:\nc2,c3.\n",
         "[0,1,0;0,0,1;0,0,0]"},
        {cells({"0", "1", "1", "0"}, 2, 2), 1, 2,
         "r2<-->r1==>\n\n1\t0\t\n0\t1\t\n" + rule + "\nThe linearly independent column vectors are:\nc1,c2.\n",
         "[1,0;0,1]"},
        // the scale factor as the reciprocal writes it, in brackets when negative
        {cells({"-2", "1", "1", "1"}, 2, 2), 1, 2,
         "r1*(-1|2) ==>\n\n1\t-1|2\t\n1\t1\t\n" + rule + "r2+r1*(-1) ==>\n\n1\t-1|2\t\n0\t3|2\t\n" + rule +
             "r2*2|3 ==>\n\n1\t-1|2\t\n0\t1\t\n" + rule + "\nThe linearly independent column vectors are:\nc1,c2.\n",
         "[1,-1|2;0,1]"},
        // mode 3 on a tall matrix reduces columns and names rows
        {cells({"1", "2", "3", "4", "5", "6"}, 3, 2), 3, 2,
         "c2+c1*(-2) ==>\n\n1\t0\t\n3\t-2\t\n5\t-4\t\n" + rule + "c2*(-1|2) ==>\n\n1\t0\t\n3\t1\t\n5\t2\t\n" + rule +
             "\nThe linearly independent row vectors are:\nr1,r2.\n",
         "[1,0;3,1;5,2]"},
        // ... and rows of a wide one
        {cells({"2", "4", "6", "1", "2", "3"}, 2, 3), 3, 1,
         "r1*1|2 ==>\n\n1\t2\t3\t\n1\t2\t3\t\n" + rule + "r2+r1*(-1) ==>\n\n1\t2\t3\t\n0\t0\t0\t\n" + rule +
             "\nThe linearly independent column vectors are:\nc1.\n",
         "[1,2,3;0,0,0]"},
        {cells({"0", "1", "2", "0"}, 2, 2), 2, 2,
         "c1<-->c2 ==>\n\n1\t0\t\n0\t2\t\n" + rule + "c2*1|2 ==>\n\n1\t0\t\n0\t1\t\n" + rule +
             "\nThe linearly independent row vectors are:\nr1,r2.\n",
         "[1,0;0,1]"},
        // The column steps are not reduced: a zero comes out as 0|1, and it is no pivot.
        {cells({"1", "1", "0", "0"}, 2, 2), 2, 1,
         "c2+c1*(-1) ==>\n\n1\t0\t\n0\t0|1\t\n" + rule + "\nThe linearly independent row vectors are:\nr1.\n",
         "[1,0;0,0|1]"},
        // a zero matrix has no pivot: the heading alone
        {cells({"0", "0", "0", "0"}, 2, 2), 1, 0, "\nThe linearly independent column vectors are:\n", "[0,0;0,0]"},
        // zero written as a fraction or a decimal is no pivot
        {cells({"0|5", "1", "0.0", "2"}, 2, 2), 0, 1, "", "[0|5,1;0,0]"},
        {cells({"3"}, 1, 1), 1, 1, "r1*1|3 ==>\n\n1\t\n" + rule + "\nThe linearly independent column vectors are:\nc1.\n",
         "[1]"},
    };
    for (const RankCase &c : table) {
        KV_Matrix m = c.m;
        std::ostringstream out;
        EXPECT_EQ(row_echelon_steps(m, out, c.mode), c.rank) << literal(c.m) << " mode " << c.mode;
        EXPECT_EQ(out.str(), c.text) << literal(c.m) << " mode " << c.mode;
        EXPECT_EQ(literal(m), c.reduced) << literal(c.m) << " mode " << c.mode;
    }
}

// Elimination always runs in fractions, whatever the matrix mode.
TEST(MatrixElimination, FractionsInEveryMode) {
    ModeScope decimals(0);
    KV_Matrix m = cells({"3", "1", "1", "1"}, 2, 2);
    std::ostringstream out;
    EXPECT_EQ(row_echelon_steps(m, out, 0), 2u);
    EXPECT_EQ(literal(m), "[1,1|3;0,1]");
}

TEST(MatrixElimination, LimitsEndTheProcedureWithTheirMessage) {
    KV_Matrix big(33, 32, "1");
    const KV_Matrix before = big;
    std::ostringstream out;
    EXPECT_EQ(row_echelon_steps(big, out, 0), kNoRank);
    EXPECT_EQ(out.str(), std::string(kStepsRefused) + "\n");
    EXPECT_EQ(big, before);
    EXPECT_EQ(out.str(), "error> Elimination takes matrices of at most 1024 cells.\n");

    // Letters are not simplified: each step nests the texts of the step before.
    std::vector<std::string> letters;
    for (int i = 0; i < 64; i++) letters.push_back((i * 5) % 3 ? "x" : (i % 2 ? "y" : std::to_string(i)));
    KV_Matrix symbolic(letters, 8, 8);
    std::ostringstream stopped;
    EXPECT_EQ(row_echelon_steps(symbolic, stopped, 1), kNoRank);
    EXPECT_TRUE(stopped.str().ends_with(std::string(kStepsStopped) + "\n"));
    EXPECT_EQ(std::string(kStepsStopped), "error> A cell grows past 1024 characters: the elimination stops.");

    // Number texts may grow as long as the exact arithmetic makes them.
    KV_Matrix numbers = cells({std::string(1500, '7'), "1", "1", std::string(1400, '3')}, 2, 2);
    std::ostringstream fine;
    EXPECT_EQ(row_echelon_steps(numbers, fine, 0), 2u);
}

struct SystemCase {
    KV_Matrix ab;
    int32_t mode;
    uint64_t rankA, rankAb;
    std::string text;
    std::vector<std::string> solution;
};

const std::string solutionHeading = "\nThe solution is:\n";
const std::string basisLines =
    "where E_0 is the special solution and the others form the base of the solution:\n---------------\n";

TEST(MatrixElimination, GeneralSolutionOfASystem) {
    const std::vector<SystemCase> table = {
        // x + y + z = 1
        {cells({"1", "1", "1", "1"}, 1, 4), 0, 1, 1,
         solutionHeading + "x= E_0 + C_1*E_1 + C_2*E_2\n" + basisLines +
             "E_0\tE_1\tE_2\t\n------------------------\n1\t-1\t-1\t\n0\t1\t0\t\n0\t0\t1\t\n",
         {"1", "-1", "-1", "0", "1", "0", "0", "0", "1"}},
        // x + y = 2 and x + y = 3
        {cells({"1", "1", "2", "1", "1", "3"}, 2, 3), 1, 1, 2,
         "r2+r1*(-1) ==>\n\n1\t1\t2\t\n0\t0\t1\t\n" + rule + "r1+r2*(-2) ==>\n\n1\t1\t0\t\n0\t0\t1\t\n" + rule +
             "\nThe linearly independent column vectors are:\nc1,c3.\n"
             "rank(A) < rank([A|b])\nwhere[A | b] is the augmentation matrix.\n"
             "Therefore the linear equations have NO solution.\n",
         {"untouched"}},
        // no free unknown: the line ends after "= E_0 + "
        {cells({"1", "0", "1", "0", "1", "2"}, 2, 3), 0, 2, 2,
         solutionHeading + "x= E_0 + \n" + basisLines + "E_0\t\n------------------------\n1\t\n2\t\n", {"1", "2"}},
        {cells({"1", "0", "1", "0", "1", "2"}, 2, 3), 2, 2, 2,
         "\nThe linearly independent column vectors are:\nc1,c2.\n" + solutionHeading + "x= E_0 + \n" + basisLines +
             "E_0\t\n------------------------\n1\t\n2\t\n",
         {"1", "2"}},
        // The pivot sits in the second column: y = 1 and x is free, in both constructions
        // (modes 1 and 2 write the zero of the basis vector negated).
        {cells({"0", "1", "1"}, 1, 3), 0, 1, 1,
         solutionHeading + "x= E_0 + C_1*E_1\n" + basisLines + "E_0\tE_1\t\n------------------------\n0\t1\t\n1\t0\t\n",
         {"0", "1", "1", "0"}},
        {cells({"0", "1", "1"}, 1, 3), 2, 1, 1,
         "\nThe linearly independent column vectors are:\nc2.\n" + solutionHeading + "x= E_0 + C_1*E_1\n" + basisLines +
             "E_0\tE_1\t\n------------------------\n0\t1\t\n1\t-0\t\n",
         {"0", "1", "1", "-0"}},
        // pivots in the first and third columns
        {cells({"2", "4", "1", "6", "1", "2", "1", "3"}, 2, 4), 0, 2, 2,
         solutionHeading + "x= E_0 + C_1*E_1\n" + basisLines +
             "E_0\tE_1\t\n------------------------\n3\t-2\t\n0\t1\t\n0\t0\t\n",
         {"3", "-2", "0", "1", "0", "0"}},
    };
    for (const SystemCase &c : table) {
        KV_Matrix ab = c.ab;
        std::ostringstream out;
        uint64_t rankA = 99, rankAb = 99;
        std::vector<std::string> solution = {"untouched"};
        uint64_t pivots = gauss_eliminate_steps(ab, "A", "x", "b", rankA, rankAb, solution, out, c.mode);
        EXPECT_EQ(pivots, c.rankAb) << literal(c.ab);
        EXPECT_EQ(rankA, c.rankA) << literal(c.ab);
        EXPECT_EQ(rankAb, c.rankAb) << literal(c.ab);
        EXPECT_EQ(out.str(), c.text) << literal(c.ab) << " mode " << c.mode;
        EXPECT_EQ(solution, c.solution) << literal(c.ab) << " mode " << c.mode;
    }
}

TEST(MatrixElimination, SystemsBeyondTheLimitsAreRefused) {
    KV_Matrix ab(32, 33, "1");
    std::ostringstream out;
    uint64_t rankA = 0, rankAb = 0;
    std::vector<std::string> solution = {"untouched"};
    EXPECT_EQ(gauss_eliminate_steps(ab, "A", "x", "b", rankA, rankAb, solution, out, 3), kNoRank);
    EXPECT_EQ(rankA, kNoRank);
    EXPECT_EQ(rankAb, kNoRank);
    EXPECT_EQ(solution, std::vector<std::string>{"untouched"});
    EXPECT_EQ(out.str(), std::string(kStepsRefused) + "\n");
    // An augmented matrix without columns has nothing to solve.
    KV_Matrix none(0, 0, "0");
    std::ostringstream quiet;
    EXPECT_EQ(gauss_eliminate_steps(none, "A", "x", "b", rankA, rankAb, solution, quiet, 0), 0u);
    EXPECT_EQ(rankA, 0u);
    EXPECT_TRUE(solution.empty());
}

}  // namespace
