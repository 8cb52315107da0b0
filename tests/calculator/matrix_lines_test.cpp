// Matrix literal lines: the line that reaches the interpreter, the recorded cells, and the
// normalising routines.
#include <gtest/gtest.h>

#include "calculator_test_support.h"
#include "matrix_lines/matrix_lines.h"

namespace {

using Rows = std::vector<std::vector<std::string>>;

TEST(MatrixLines, ParseInputLine) {
    struct Row {
        const char *line;
        int result;
        const char *stored, *name, *value;
        Rows cells;
        size_t rowCount, columnCount;
    };
    const Row rows[] = {
        {"A=[1 2; 3 4]", 2, "A=[1 2;3 4]", "A", "[1 2;3 4]", {{"1", "2"}, {"3", "4"}}, 2, 2},
        {"B=[1,,3;4,5,6]",
         2,
         "B=[1,0,3;4,5,6]",
         "B",
         "[1,0,3;4,5,6]",
         {{"1", "0", "3"}, {"4", "5", "6"}},
         2,
         3},
        {"B=[1,,3; 4 5 6]",
         2,
         "B=[1,0,3;4,5,6]",
         "B",
         "[1,0,3;4,5,6]",
         {{"1", "0", "3"}, {"4", "5", "6"}},
         2,
         3},
        {"C=[1 2 3]#", 2, "C=[1 2 3]", "C", "[1 2 3]", {{"1", "2", "3"}}, 1, 3},
        {"D=[1#2;3#4]", 2, "D=[1 2;3 4]", "D", "[1 2;3 4]", {{"1", "2"}, {"3", "4"}}, 2, 2},
        {"D=[1;#2]", 2, "D=[1;2]", "D", "[1;2]", {{"1"}, {"2"}}, 2, 1},
        {"D=[1,#2]", 2, "D=[1,2]", "D", "[1,2]", {{"1", "2"}}, 1, 2},
        {"E=[1 2;]", 2, "E=[1 2;]", "E", "[1 2;]", {{"1", "2"}, {}}, 2, 2},
        {"F=[1 2]*2", 2, "F=[1 2]", "F", "[1 2]", {{"1", "2"}}, 1, 2},
        {" M =[ 1  2 ;  3 -4/5 ] ",
         2,
         "M=[1 2;3 -4/5]",
         "M",
         "[1 2;3 -4/5]",
         {{"1", "2"}, {"3", "-4/5"}},
         2,
         2},
        {"N=[;;1 2;;]", 2, "N=[1 2;]", "N", "[1 2;]", {{"1", "2"}, {}}, 2, 2},
        {"G=[,1]", 2, "G=[,1]", "G", "[,1]", {{"1"}}, 1, 1},
        {"H=[1,]", 2, "H=[1,]", "H", "[1,]", {{"1"}}, 1, 1},
        {"R=[1 2 3;4]", 2, "R=[1 2 3;4]", "R", "[1 2 3;4]", {{"1", "2", "3"}, {"4"}}, 2, 3},
        {"Z=[]", 2, "Z=[]", "Z", "[]", {{}}, 1, 0},
        // Without a closing "]" the literal runs to the end of the line.
        {"K=[1 2", 2, "K=[1 2]", "K", "[1 2]", {{"1", "2"}}, 1, 2},
        {"x", -2, "x", "", "", {}, 0, 0},
        {" a", -2, " a", "", "", {}, 0, 0},
        {"2x=[1]", -1, "2x=[1]", "", "2x=[1]", {}, 0, 0},
        {"a+b=3", -1, "a+b=3", "", "a+b=3", {}, 0, 0},
        {"A = [1 2]", 1, "A = [1 2]", "A", " [1 2]", {}, 0, 0},
        {"  1+2  ", 0, "1+2", "", "1+2", {}, 0, 0},
        {"1+2#", 0, "1+2", "", "1+2", {}, 0, 0},
        {"#", -2, "#", "", "", {}, 0, 0},
    };
    Calculator calculator;
    for (const Row &row : rows) {
        std::string name = "stale", value = "stale";
        size_t rowCount = 99, columnCount = 99;
        calculator.matrixRows = {{"old"}};
        EXPECT_EQ(calculator.parseInputLine(row.line, name, value, rowCount, columnCount), row.result)
            << row.line;
        EXPECT_EQ(calculator.pendingLines, std::vector<std::string>{row.stored}) << row.line;
        EXPECT_EQ(name, row.name) << row.line;
        EXPECT_EQ(value, row.value) << row.line;
        EXPECT_EQ(calculator.matrixRows, row.cells) << row.line;
        EXPECT_EQ(rowCount, row.rowCount) << row.line;
        EXPECT_EQ(columnCount, row.columnCount) << row.line;
    }
}

TEST(MatrixLines, ReplaceOrDropAfterSeparator) {
    struct Row {
        const char *text, *pattern, *replacement, *result;
    };
    const Row rows[] = {
        {"#a;#b,#c#", "#", ",", ",a;b,c,"},
        {"##", "#", ";", ";"}, // the first becomes ";", so the second
                               // follows a separator
        {"1#2", "#", "##", "1##2"},
        {";;", ";", "x", "xx"}, // the second now follows the replacement {"abc", "", "x", "abc"},
    };
    for (const Row &row : rows) {
        std::string text = row.text;
        replaceOrDropAfterSeparator(text, row.pattern, row.replacement);
        EXPECT_EQ(text, row.result) << row.text;
    }
}

TEST(MatrixLines, Normalisers) {
    struct Row {
        const char *text;
        const char *blanksOnly;
        unsigned blankRuns;
        const char *withCommas;
        unsigned commaRuns;
    };
    const Row rows[] = {
        {"[1  2 ; 3 4 ]", "[1,2;3,4]", 4, "[1,2;3,4]", 4},
        {"[1, 2,,3]", "[1,,2,,3]", 1, "[1,2,0,3]", 1},
        {",1 2", ",1,2", 1, "1,2", 1},
        {";1 2", ";1,2", 1, ";1,2", 1},
        {"[ 1 ]", "[1]", 1, "[1]", 1},
        {"", "", 0, "", 0},
    };
    for (const Row &row : rows) {
        std::string out = "stale";
        EXPECT_EQ(normalizeMatrixText(row.text, ',', out), row.blankRuns) << row.text;
        EXPECT_EQ(out, row.blanksOnly) << row.text;
        EXPECT_EQ(normalizeMatrixContinuation(row.text, ',', out), row.commaRuns) << row.text;
        EXPECT_EQ(out, row.withCommas) << row.text;
    }
}

} // namespace
