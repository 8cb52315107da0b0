// The commands transpose, rank, inv, det and QR as transcripts: the typed call, the answer
// the terminal shows, what went to the standard output, and the variables left behind.
#include <gtest/gtest.h>

#include "calculator_test_support.h"
#include "matrix/matrix_commands.h"
#include "matrix_test_support.h"
#include "tools.h"

namespace {

using Handler = void (*)(Calculator &);

// The two texts the interpreter stores before it calls a handler: the trimmed line without
// blanks, and the command text with its rewrites (det keeps its blanks; a leading minus
// is written "0-").
void storeLine(Calculator &calculator, const std::string &line) {
    std::string compact = line;
    deleteBlanks(compact);
    calculator.inputLine = compact;
    std::string command = line.rfind("det", 0) == 0 ? line : compact;
    replace_all(command, "(-", "(0-");
    calculator.commandText = command;
}

struct Row {
    const char *line;
    const char *shown;
    const char *printed; // the standard output stream
};

class MatrixCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        calculator.setOperatorChars();
        defineMatrix(calculator, "A", {"1", "2", "3", "4"}, 2, 2);
        defineMatrix(calculator, "S", {"1", "2", "2", "4"}, 2, 2);
        SymbolEntry &k = calculator.variables["k"];
        k.typeName = "int";
        k.name = "k";
        k.valueText = "4";
        k.text = "4";
    }
    void run(Handler handler, const std::vector<Row> &rows) {
        for (const Row &row : rows) {
            storeLine(calculator, row.line);
            calculator.output << "stale answer";
            std::string printed = captureStdout([&] { handler(calculator); });
            EXPECT_EQ(calculator.output.str(), row.shown) << row.line;
            EXPECT_EQ(printed, row.printed) << row.line;
        }
    }
    Calculator calculator;
};

const std::string hint = "hint> the input is wrong.\n\n------------------------\n\n>> ";
const std::string closing = "\n------------------------\n\n>> ";

TEST_F(MatrixCommands, Transpose) {
    run(cmd_transpose, {
                           {"transpose(A)", "1\t3\t\n2\t4\t\n\n>> ", ""},
                           {"transpose(5)", "5\n>> ", ""},
                           {"transpose( 1 + 2 )", "1+2\n>> ", ""},
                           {"transpose(B)", "B\n", ""},
                           {"transpose(k)", "\n>> ", ""},
                           {"transpose(A)x", hint.c_str(), ""},
                           {"transpose", hint.c_str(), ""},
                       });
    EXPECT_EQ(valueTextOf(calculator, "A_t"), "[1,3;2,4]");
    defineMatrix(calculator, "A", {"5", "6", "7", "8"}, 2, 2);
    run(cmd_transpose, {{"transpose(A)", "5\t7\t\n6\t8\t\n\n>> ", ""}});
    EXPECT_EQ(valueTextOf(calculator, "A_t"), "[5,7;6,8]");
    VariableBase *t = nullptr;
    ASSERT_TRUE(getMatrixVariable(calculator, "A_t", t));
    EXPECT_EQ(t->getText(), "-2"); // a result variable keeps its determinant

    const std::string literal = ">> __Matrix__\n1\t2\t3\t\n\n---------------------\n>> after transpose, __Matrix__ "
                                "is:\n1\t\n2\t\n3\t\n" +
                                closing;
    run(cmd_transpose, {{"transpose([1,2,3])", literal.c_str(), ""}, {"transpose(1,2,3)", literal.c_str(), ""}});
    EXPECT_EQ(valueTextOf(calculator, "__Matrix__"), "[1;2;3]");
    // A row longer than the first is read whole by the literal reader's counts.
    run(cmd_transpose,
        {{"transpose([1;2,3])",
          (">> __Matrix__\n1\t0\t\n2\t3\t\n\n---------------------\n>> after transpose, __Matrix__ is:\n1\t2\t\n0\t3\t\n" +
           closing)
              .c_str(),
          ""}});
}

TEST_F(MatrixCommands, Rank) {
    run(cmd_rank, {
                      {"rank(0)", "0\n>> ", ""},
                      {"rank(7)", "1\n>> ", ""},
                      {"rank(B)", "1\n>> ", ""},
                      {"rank(k)", ">> ", ""},
                      {"rank(A)", "2\n>> ", ""},
                      {"rank(S)", "1\n>> ", ""},
                      {"rank(S,row)",
                       "r2+r1*(-2) ==>\n\n1\t2\t\n0\t0\t\n\n------------\n\nThe linearly independent column "
                       "vectors are:\nc1.\n1\n>> ",
                       ""},
                      {"rank(S,col)",
                       "c2+c1*(-2) ==>\n\n1\t0\t\n2\t0\t\n\n------------\n\nThe linearly independent row "
                       "vectors are:\nr1.\n1\n>> ",
                       ""},
                      {"rank(S,hint)",
                       "r2+r1*(-2) ==>\n\n1\t2\t\n0\t0\t\n\n------------\n\nThe linearly independent column "
                       "vectors are:\nc1.\n1\n>> ",
                       ""},
                      {"rank(S,other)", "1\n>> ", ""},
                      // a literal of one column reaches rank whole; the rank's variable is untouched
                      {"rank([2;4])", ("1\n" + closing).c_str(), "2\t\n4\t\n"},
                      {"rank(2;4)", ("1\n" + closing).c_str(), "2\t\n4\t\n"},
                      // the last comma ends the argument: "[1,2;3", read with its bracket as a
                      // cell, and the method "4]"
                      {"rank([1,2;3,4])", ("2\n" + closing).c_str(), "[1\t2\t\n3\t0\t\n"},
                      {"rank(A", hint.c_str(), ""},
                      {"rank)A(", hint.c_str(), ""},
                      // a comma outside the brackets leaves an empty argument
                      {"rank(A),1", "0\n>> ", ""},
                  });
}

// Elimination prints a whole matrix per step: a larger matrix is refused with the reason.
TEST_F(MatrixCommands, RankOfALargeMatrix) {
    storeMatrixVariable(calculator, "Big", KV_Matrix(33, 32, "1"));
    run(cmd_rank, {{"rank(Big,row)", "error> Elimination takes matrices of at most 1024 cells.\n>> ", ""}});
}

TEST_F(MatrixCommands, Inverse) {
    run(cmd_inv, {
                     {"inv(4)", "0.25\n>> ", ""},
                     {"inv(-4)", "-0.25\n>> ", ""},
                     {"inv(B)", "B^(-1)\n", ""},
                     {"inv(k)", "0.25\n>> ", ""},
                     {"inv(A", hint.c_str(), ""},
                     {"inv(A)", "out> \n-2.0\t1.0\t\n1.5\t-0.5\t\n\n\n------------------------\n\n\n>> ", ""},
                     {"inv(S)", "out> \nerror> This matrix is empty.\n\n\n------------------------\n\n\n>> ",
                      "行列式为0, 矩阵不可逆.\n"},
                     {"inv([1,2;3,4])", "out> \n-2.0\t1.0\t\n1.5\t-0.5\t\n\n\n------------------------\n\n",
                      "1\t2\t\n3\t4\t\n"},
                     {"inv(1,2;3,4)", "out> \n-2.0\t1.0\t\n1.5\t-0.5\t\n\n\n------------------------\n\n",
                      "1\t2\t\n3\t4\t\n"},
                 });
    calculator.core.setMode(1);
    run(cmd_inv, {{"inv(A)", "out> \n-2\t1\t\n3|2\t-1|2\t\n\n\n------------------------\n\n\n>> ", ""}});
    EXPECT_EQ(valueTextOf(calculator, "_inv_A"), "[-2,1;3|2,-1|2]");
}

TEST_F(MatrixCommands, Determinant) {
    run(cmd_det, {
                     {"det(A)", ("out> -2\n" + closing).c_str(), ""},
                     {"det(A)", "-2\n>> ", ""}, // the stored determinant
                     {"det([1,2;3,4])", ("out> -2\n" + closing).c_str(), "1\t2\t\n3\t4\t\n"},
                     {"det([1,2,3;4,5,6])", ("out> NaN\n" + closing).c_str(), "1\t2\t3\t\n4\t5\t6\t\n"},
                     // the columns are counted by the first row: longer rows are cut
                     {"det([1;2,3])", ("out> NaN\n" + closing).c_str(), "1\t\n2\t\n"},
                     {"det(5)", "5\n>> ", ""},
                     {"det(-5)", "-5\n>> ", ""},
                     {"det( 1 + 2 )", "1+2\n>> ", ""},
                     {"det(B)", "B\n", ""},
                     {"det(A)x", hint.c_str(), ""},
                     {"det)A(", hint.c_str(), ""},
                 });
    VariableBase *a = nullptr;
    ASSERT_TRUE(getMatrixVariable(calculator, "A", a));
    EXPECT_EQ(a->getText(), "-2");
    calculator.core.setMode(1);
    run(cmd_det, {{"det([1,2;3,0.5])", ("out> -11|2\n" + closing).c_str(), "1\t2\t\n3\t0.5\t\n"},
                  {"det([7])", ("out> 7|1\n" + closing).c_str(), "7\t\n"}});
}

TEST_F(MatrixCommands, QR) {
    defineMatrix(calculator, "P", {"3", "0", "4", "5"}, 2, 2);
    const std::string factors = "\n---O--------------\n0.6\t-0.8\t\n0.8\t0.6\t\n\n-----------------\n"
                                "\n---R--------------\n5.00000000\t4.0\t\n0\t3.00000000\t\n\n-----------------\n";
    run(cmd_QR, {
                    {"QR(5)", "5\n>> ", ""},
                    {"QR(B)", "B\n", ""},
                    {"QR(k)", "\n>> ", ""},
                    {"QR(P)", (factors + "\n>> ").c_str(), ""},
                    {"QR([3,0;4,5])", (factors + "\n>> ").c_str(), "3\t0\t\n4\t5\t\n"},
                    // the refusal is the answer: no factors are written
                    {"QR([1,2,3;4,5,6])", "error> QR(): parameter A is not a square matrix!\n\n>> ",
                     "1\t2\t3\t\n4\t5\t6\t\nerror> QR(): parameter A is not a square matrix!\n"},
                    {"QR(A", hint.c_str(), ""},
                });
    EXPECT_EQ(valueTextOf(calculator, "PO"), "[0.6,-0.8;0.8,0.6]");
    EXPECT_EQ(valueTextOf(calculator, "PR"), "[5.00000000,4.0;0,3.00000000]");
    // Once the names exist their factors are printed as cells alone, and a second QR
    // replaces them; fraction mode alone decomposes with fractions.
    calculator.core.setMode(1);
    const std::string exact = "\n---O--------------\n3|5\t-4|5\t\n4|5\t3|5\t\n\n-----------------\n"
                              "\n---R--------------\n5\t4\t\n0\t3\t\n\n-----------------\n\n>> ";
    run(cmd_QR, {{"QR(P)", exact.c_str(), ""}});
    EXPECT_EQ(valueTextOf(calculator, "PO"), "[3|5,-4|5;4|5,3|5]");
    EXPECT_EQ(valueTextOf(calculator, "PR"), "[5,4;0,3]");
    calculator.core.setMode(3);
    run(cmd_QR, {{"QR(P)", (factors + "\n>> ").c_str(), ""}});
    // An empty factor shows that it is empty while its name is new.
    defineMatrix(calculator, "Z", {}, 0, 0);
    run(cmd_QR, {{"QR(Z)",
                  "\n---O--------------\nerror> This matrix is empty.\n\n-----------------\n"
                  "\n---R--------------\nerror> This matrix is empty.\n\n-----------------\n\n>> ",
                  ""}});
}

// A result name held by a variable of another type becomes the matrix variable whole:
// no entry is left with an empty matrix slot.
TEST_F(MatrixCommands, ResultNamesHeldByOtherTypes) {
    for (const char *name : {"A_t", "_inv_A"}) {
        SymbolEntry &e = calculator.variables[name];
        e.typeName = "int";
        e.name = name;
        e.valueText = "7";
    }
    run(cmd_transpose, {{"transpose(A)", "1\t3\t\n2\t4\t\n\n>> ", ""}});
    run(cmd_inv, {{"inv(A)", "out> \n-2.0\t1.0\t\n1.5\t-0.5\t\n\n\n------------------------\n\n\n>> ", ""}});
    for (const char *name : {"A_t", "_inv_A"}) {
        const SymbolEntry &e = calculator.variables.at(name);
        EXPECT_EQ(e.typeCode, kMatrixType) << name;
        EXPECT_EQ(e.typeName, "matrix") << name;
        EXPECT_NE(matrixValueOf(calculator, name), nullptr) << name;
    }
    EXPECT_EQ(valueTextOf(calculator, "A_t"), "[1,3;2,4]");
    run(cmd_det, {{"det(A_t)", "-2\n>> ", ""}});
}

} // namespace
