// E, DetExpansion and CofactorMatrix as transcripts: the typed call, the answer, and the
// matrix variables left behind.
#include <gtest/gtest.h>

#include "calculator_test_support.h"
#include "matrix/matrix_commands.h"
#include "matrix_test_support.h"
#include "tools.h"

namespace {

using Handler = void (*)(Calculator &);

struct Row {
    const char *line;
    std::string shown;
};

class ElementaryCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        elementary_matrix_counter = 0;
        calculator.setOperatorChars();
        defineMatrix(calculator, "A", {"1", "2", "3", "4"}, 2, 2);
        defineMatrix(calculator, "M", {"1", "2", "3", "4", "5", "6", "7", "8", "9"}, 3, 3);
        defineMatrix(calculator, "Z", {"0", "2", "0", "-5", "1", "0.0", "3", "1", "1"}, 3, 3);
        defineMatrix(calculator, "W", {"1", "2", "3", "4", "5", "6"}, 2, 3);
        SymbolEntry &k = calculator.variables["k"];
        k.typeName = "int";
        k.name = "k";
        k.valueText = "4";
    }
    // The line as typed goes to the input line; the command text has its blanks removed.
    void run(Handler handler, const std::vector<Row> &rows) {
        for (const Row &row : rows) {
            calculator.inputLine = row.line;
            std::string command = row.line;
            deleteBlanks(command);
            calculator.commandText = command;
            calculator.output << "stale answer";
            EXPECT_EQ(captureStdout([&] { handler(calculator); }), "") << row.line;
            EXPECT_EQ(calculator.output.str(), row.shown) << row.line;
        }
    }
    Calculator calculator;
};

const std::string heading = "Elementary matrix>\n\n";

TEST_F(ElementaryCommands, ElementaryMatrices) {
    run(cmd_E, {
                   {"E(3,1,2)", heading + "0\t1\t0\t\n1\t0\t0\t\n0\t0\t1\t\n\n\n>> "},
                   {"E(3,2(5))", heading + "1\t0\t0\t\n0\t5\t0\t\n0\t0\t1\t\n\n\n>> "},
                   {"E(3,2(5))", heading + "1\t0\t0\t\n0\t5\t0\t\n0\t0\t1\t\n\n\n>> "},
                   {"E(2,1,2(1/2))", heading + "1\t1/2\t\n0\t1\t\n\n\n>> "},
                   // the addition form with i = j scales
                   {"E(3,2,2(7))", heading + "1\t0\t0\t\n0\t7\t0\t\n0\t0\t1\t\n\n\n>> "},
                   // exchanging a row with itself leaves the identity
                   {"E(2,2,2)", heading + "1\t0\t\n0\t1\t\n\n\n>> "},
                   {"E(03,01,2(-3|4))", heading + "1\t-3|4\t0\t\n0\t1\t0\t\n0\t0\t1\t\n\n\n>> "},
               });
    const std::pair<const char *, const char *> kept[] = {
        {"E3_1_2", "[0,1,0;1,0,0;0,0,1]"}, {"E3_2x0", "[1,0,0;0,5,0;0,0,1]"}, {"E3_2x1", "[1,0,0;0,5,0;0,0,1]"},
        {"E2_1_2x2", "[1,1/2;0,1]"},       {"E3_2_2x3", "[1,0,0;0,7,0;0,0,1]"}, {"E2_2_2", "[1,0;0,1]"},
        {"E03_01_2x4", "[1,-3|4,0;0,1,0;0,0,1]"},
    };
    for (auto [name, value] : kept) EXPECT_EQ(valueTextOf(calculator, name), value) << name;
    EXPECT_EQ(elementary_matrix_counter, 5);
}

TEST_F(ElementaryCommands, ElementaryMatrixRefusals) {
    run(cmd_E, {
                   {"E(3,4,1)", "The index i: 4 is out of range.\n"},
                   {"E(3,1,0)", "The index j: 0 is out of range.\n"},
                   {"E(3,0(2))", "The index i: 0 is out of range.\n"},
                   {"E(0,1,1)", "The index i: 1 is out of range.\n"},
                   {"E(3,99999999999999999999,1)", "The index i: 99999999999999999999 is out of range.\n"},
                   // an order whose cells would not be held is refused before anything is built
                   {"E(257,1,2)", "error> E(): the order n is limited to 256.\n"},
                   {"E(99999999999999999999999,1,2(3))", "error> E(): the order n is limited to 256.\n"},
                   // no form: no answer
                   {"E(3, 1, 2)", ""},
                   {"E(3,1,2(x))", ""},
                   {"E(3,1,2(5)", ""},
                   {"E(3,1,2)x", ""},
                   {"E(3,a,2)", ""},
                   {"E(3,1,2,4)", ""},
               });
    EXPECT_EQ(elementary_matrix_counter, 0);
    EXPECT_EQ(valueTextOf(calculator, "E257_1_2"), "(none)");
}

const std::string expansion = "expansion>\n\n";

TEST_F(ElementaryCommands, DetExpansion) {
    run(cmd_DetExpansion,
        {
            {"DetExpansion(A,r1)", expansion + "1*(-1)^(1+1)*|A1_1| + 2*(-1)^(1+2)*|A1_2| \nwhere\n\n"
                                               "A1_1:\n------------\n4\t\n\nA1_2:\n------------\n3\t\n\n\n>> "},
            {"DetExpansion(A,c2)", expansion + "2*(-1)^(1+2)*|A1_2| + 4*(-1)^(2+2)*|A2_2| \nwhere\n\n"
                                               "A1_2:\n------------\n3\t\n\nA2_2:\n------------\n1\t\n\n\n>> "},
            // zero cells have no term, the " + " of a later term stays
            {"DetExpansion(Z,r1)",
             expansion + " + 2*(-1)^(1+2)*|Z1_2| \nwhere\n\nZ1_2:\n------------\n-5\t0.0\t\n3\t1\t\n\n\n>> "},
            {"DetExpansion(Z,r2)", expansion + "(-5)*(-1)^(2+1)*|Z2_1| + 1*(-1)^(2+2)*|Z2_2| \nwhere\n\n"
                                               "Z2_1:\n------------\n2\t0\t\n1\t1\t\n\n"
                                               "Z2_2:\n------------\n0\t0\t\n3\t1\t\n\n\n>> "},
            // every term after the first ends in "| ", and the next begins with " + "
            {"DetExpansion(M,r02)", expansion + "4*(-1)^(02+1)*|M02_1| + 5*(-1)^(02+2)*|M02_2|  + "
                                                "6*(-1)^(02+3)*|M02_3| \nwhere\n\n"
                                                "M02_1:\n------------\n2\t3\t\n8\t9\t\n\n"
                                                "M02_2:\n------------\n1\t3\t\n7\t9\t\n\n"
                                                "M02_3:\n------------\n1\t2\t\n7\t8\t\n\n\n>> "},
            {"DetExpansion(M,r0)", expansion + "The index i: 0 is out of range.\n\n>> "},
            {"DetExpansion(M,c9)", expansion + "The index i: 9 is out of range.\n\n>> "},
            {"DetExpansion(M,r99999999999999999999)",
             expansion + "The index i: 99999999999999999999 is out of range.\n\n>> "},
            {"DetExpansion(M,x1)", expansion},
            {"DetExpansion(M,r)", expansion},
            {"DetExpansion(M,r1x)", expansion},
            {"DetExpansion(M)", expansion},
            {"DetExpansion(B,r1)", expansion + "B\n"},
            {"DetExpansion(k,r1)", expansion + "\n>> "},
            // a minor of a matrix that is not square would read past its cells
            {"DetExpansion(W,r1)", expansion + "error> DetExpansion(): the matrix is not square.\n\n>> "},
            // a literal reaches the expansion whole with one column
            {"DetExpansion([5],r1)",
             expansion + ">> __Matrix__\n5\t\n\n---------------------\n>>5*(-1)^(1+1)*|__Matrix__1_1|\nwhere\n\n"
                         "__Matrix__1_1:\n------------\n\n"},
            {"DetExpansion([5;6],r1)", expansion + ">> __Matrix__\n5\t\n6\t\n\n---------------------\n>>"
                                                   "error> DetExpansion(): the matrix is not square.\n"},
            {"DetExpansion([5],r2)",
             expansion + ">> __Matrix__\n5\t\n\n---------------------\n>>The index i: 2 is out of range.\n"},
        });
    EXPECT_EQ(valueTextOf(calculator, "A1_1"), "[4]");
    EXPECT_EQ(valueTextOf(calculator, "Z1_2"), "[-5,0.0;3,1]");
    EXPECT_EQ(valueTextOf(calculator, "Z1_1"), "(none)");
    EXPECT_EQ(valueTextOf(calculator, "M02_3"), "[1,2;7,8]");
    storeMatrixVariable(calculator, "Big", KV_Matrix(33, "1"));
    run(cmd_DetExpansion,
        {{"DetExpansion(Big,r1)", expansion + "error> DetExpansion(): the order of the matrix is limited to 32.\n\n>> "}});
}

TEST_F(ElementaryCommands, CofactorMatrix) {
    const std::string wrong = "hint> the input is wrong.\n\n------------------------\n\n>> ";
    run(cmd_CofactorMatrix,
        {
            {"CofactorMatrix(M,2,3)", "cofactor matrix at (2,3) :\n\n1\t2\t\n7\t8\t\n\n>> "},
            {"CofactorMatrix(M,-1,2)", "cofactor matrix at (-1,2) :\n\nThe index i: -1 is out of range.\n\n>> "},
            {"CofactorMatrix(M,2,4)", "cofactor matrix at (2,4) :\n\nThe index j: 4 is out of range.\n\n>> "},
            {"CofactorMatrix(M,x,1)", "cofactor matrix at (x,1) :\n\nThe index i: 0 is out of range.\n\n>> "},
            {"CofactorMatrix(M,99999999999999999999,1)",
             "cofactor matrix at (99999999999999999999,1) :\n\nThe index i: 9223372036854775807 is out of range.\n\n>> "},
            {"CofactorMatrix(M,2)", "cofactor matrix at (2),) :\n\n" + wrong},
            {"CofactorMatrix)M,1,2(", "cofactor matrix at (,) :\n\n" + wrong},
            {"CofactorMatrix(B,1,1)", "cofactor matrix at (1,1) :\n\nB\n"},
            {"CofactorMatrix(k,1,1)", "cofactor matrix at (1,1) :\n\n\n>> "},
            {"CofactorMatrix(W,1,1)", "cofactor matrix at (1,1) :\n\nerror> CofactorMatrix(): the matrix is not square.\n\n>> "},
            {"CofactorMatrix([5],1,1)", "cofactor matrix at (1,1) :\n\n>> __Matrix__\n5\t\n\n---------------------\n>>"
                                        "the cofactor matrix at(1, 1) is:\n\n------------------------\n\n>> "},
            {"CofactorMatrix([5],1,2)", "cofactor matrix at (1,2) :\n\n>> __Matrix__\n5\t\n\n---------------------\n>>"
                                        "The index j: 2 is out of range.\n"},
        });
    EXPECT_EQ(valueTextOf(calculator, "M_2_3"), "[1,2;7,8]");
    VariableBase *minor = nullptr;
    ASSERT_TRUE(getMatrixVariable(calculator, "M_2_3", minor));
    EXPECT_EQ(minor->getText(), "-6");
    EXPECT_EQ(valueTextOf(calculator, "__Matrix__"), "[]\n");
}

}  // namespace
