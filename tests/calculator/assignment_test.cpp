// Transcripts of assignment lines, and the typed variables they leave in the table.
#include <gtest/gtest.h>

#include <cmath>

#include "calculator_test_support.h"
#include "matrix.h"
#include "variables/symbol_table.h"

namespace {

const std::string rule = "--------------------";
const std::string stored = rule + "\n" + texts::prompt; // the end of most assignments

std::string doubleBlock(const std::string &name, const std::string &shown) {
    return "----------------------------\n type: double\n name: " + name + "\nvalue: " + shown + "\n" + stored;
}

// The entry of a name, with the value of its typed variable.
struct Expected {
    std::string typeName;
    std::string valueText;
    std::string text;
};

void expectEntry(Calculator &calculator, const std::string &name, const Expected &expected) {
    auto it = calculator.variables.find(name);
    ASSERT_NE(it, calculator.variables.end()) << name;
    const SymbolEntry &entry = it->second;
    EXPECT_EQ(entry.typeName, expected.typeName) << name;
    EXPECT_EQ(entry.name, name);
    EXPECT_EQ(entry.valueText, expected.valueText) << name;
    EXPECT_EQ(entry.text, expected.text) << name;
    for (int code = 0; code < kTypeCount; code++)
        EXPECT_EQ(entry.slots[size_t(code)] != nullptr, code == entry.typeCode) << name << " slot " << code;
}

class Assignments : public ::testing::Test {
  protected:
    Assignments() { calculator.setOperatorChars(); }
    Calculator calculator;
};

TEST_F(Assignments, NumbersByTheirForm) {
    expectTranscript(calculator, {
                                     {"a=123", "123\n" + stored},
                                     {"b=-1.25", doubleBlock("b", "-1.25")},
                                     {"d=.5", doubleBlock("d", "0.5")},
                                     {"e=5.", doubleBlock("e", "5")},
                                     {"f=0.1234567", doubleBlock("f", "0.123457")},
                                     // int variables keep the low 32 bits; the value text keeps the digits
                                     {"g=4294967297", "1\n" + stored},
                                     {"h=2147483648", "-2147483648\n" + stored},
                                 });
    expectEntry(calculator, "a", {"int", "123", ""});
    EXPECT_EQ(calculator.variables.at("a").slotAs<int>(kIntType)->getValue(), 123);
    expectEntry(calculator, "b", {"double", "(-1.25)", ""});
    EXPECT_EQ(calculator.variables.at("b").slotAs<double>(kDoubleType)->getValue(), -1.25);
    EXPECT_EQ(calculator.variables.at("b").slotAs<double>(kDoubleType)->getText(), "(-1.25)");
    expectEntry(calculator, "g", {"int", "4294967297", ""});
    EXPECT_EQ(calculator.variables.at("g").slotAs<int>(kIntType)->getValue(), 1);
}

TEST_F(Assignments, LongDecimalsKeepTheirValue) {
    // More digits than a 64-bit integer holds: the value is still the number typed.
    expectTranscript(calculator, {
                                     {"p=3.14159265358979323846264338327950288", doubleBlock("p", "3.14159")},
                                     {"q=123456789012345678901234567890.5", doubleBlock("q", "1.23457e+29")},
                                 });
    EXPECT_DOUBLE_EQ(calculator.variables.at("p").slotAs<double>(kDoubleType)->getValue(), 3.141592653589793);
    EXPECT_DOUBLE_EQ(calculator.variables.at("q").slotAs<double>(kDoubleType)->getValue(), 1.2345678901234568e29);
    std::string huge = "r=1" + std::string(400, '0') + ".5";
    expectTranscript(calculator, {{huge, doubleBlock("r", "inf")}});
}

TEST_F(Assignments, Matrices) {
    const std::string cells = rule + "\n\n1\t2\t\n3\t4\t\n\n" + stored;
    std::string echo = expectTranscript(calculator, {{"A=[1 2;3 4]", cells}});
    EXPECT_NE(echo.find("input value> [1,2;3,4]\n"), std::string::npos);
    expectEntry(calculator, "A", {"matrix", "[1,2;3,4]", ""});
    const auto *matrix = calculator.variables.at("A").slotAs<KV_Matrix>(kMatrixType);
    EXPECT_EQ(matrix->getValue(), KV_Matrix(std::vector<std::string>{"1", "2", "3", "4"}, 2, 2));
    EXPECT_EQ(matrix->getText(), "[1,2;3,4]");
    // A copy: its value text is the literal of the matrix.
    expectTranscript(calculator, {{"N=A", rule + "\n\n" + texts::prompt}});
    expectEntry(calculator, "N", {"matrix", "[1,2;3,4]", ""});
    EXPECT_EQ(calculator.variables.at("N").slotAs<KV_Matrix>(kMatrixType)->getValue(), matrix->getValue());
    // A literal still open at the end of the line is closed there.
    expectTranscript(calculator, {{"B=[5 6", rule + "\n\n5\t6\t\n\n" + stored}});
    expectEntry(calculator, "B", {"matrix", "[5,6]", ""});
}

TEST_F(Assignments, CopiesOfVariables) {
    std::string printed = expectTranscript(calculator, {
                                                           {"a=7", "7\n" + stored},
                                                           {"b=3.0", doubleBlock("b", "3")},
                                                           {"c=b", stored},
                                                           {"d=a", "7\n" + stored},
                                                       });
    EXPECT_NE(printed.find("theVarName is c\n__value__ is 3\n"), std::string::npos);
    expectEntry(calculator, "c", {"double", "3", ""});
    expectEntry(calculator, "d", {"int", "7", ""});
}

TEST_F(Assignments, SelfAssignmentKeepsTheValue) {
    // The copy is made before the old variable goes.
        expectTranscript(calculator, {
                                         {"a=42", "42\n" + stored},
                                         {"a=a", "42\n" + stored},
                                         {"x=2.5", doubleBlock("x", "2.5")},
                                         {"x=x", stored},
                                         {"M=[1 2]", rule + "\n\n1\t2\t\n\n" + stored},
                                         {"M=M", rule + "\n\n" + texts::prompt},
                                     });
    expectEntry(calculator, "a", {"int", "42", ""});
    EXPECT_EQ(calculator.variables.at("a").slotAs<int>(kIntType)->getValue(), 42);
    expectEntry(calculator, "x", {"double", "2.5", ""});
    EXPECT_EQ(calculator.variables.at("x").slotAs<double>(kDoubleType)->getValue(), 2.5);
    expectEntry(calculator, "M", {"matrix", "[1,2]", ""});
}

TEST_F(Assignments, ReplacingChangesTheType) {
        expectTranscript(calculator, {
                                         {"a=1", "1\n" + stored},
                                         {"a=[1 2]", rule + "\n\n1\t2\t\n\n" + stored},
                                         {"a=2.5", doubleBlock("a", "2.5")},
                                     });
    expectEntry(calculator, "a", {"double", "2.5", ""});
    EXPECT_EQ(calculator.variables.size(), 1u);
}

TEST_F(Assignments, RefusedAndSilentLines) {
    const std::string badName = " The name of variable should not start with number.\n" + texts::prompt;
    struct Row {
        std::string line;
        int code;
        std::string output;
    };
    const Row rows[] = {
        {"2a=5", 0, badName},
        {"9=5", 0, badName},
        // A name written as a call lists its parts first.
        {"f(x,2)=[1]", 0, "fun> f\npara> \nx: \n2: \n" + badName},
        // A second "=" after the first, or no value: nothing is written.
        {"a==[1]", 0, ""},
        {"a=", 0, ""},
        {"A = [1 2]", 0, rule + "\n\n1\t2\t\n\n" + stored},
    };
    for (const Row &row : rows) {
        Calculator fresh;
        int code = -7;
        captureStdout([&] { code = fresh.dealWithInputCommand({row.line}); });
        EXPECT_EQ(code, row.code) << row.line;
        EXPECT_EQ(fresh.output.str(), row.output) << row.line;
    }
}

TEST_F(Assignments, FixedVariables) {
        expectTranscript(calculator, {{"a=5", "5\n" + stored},
                                      {"x=0.25", doubleBlock("x", "0.25")},
                                      {"M=[1 2;3 4]", rule + "\n\n1\t2\t\n3\t4\t\n\n" + stored}});
    calculator.core.setFixVariables(1);
    struct Row {
        std::string line;
        int code;
        std::string output;
    };
    const std::string defined = " has been defined. Try again.\n" + texts::prompt;
    const Row rows[] = {
        {"a=6", 1, " The variable a" + defined + "5\n>> "},
        {"x=1.5", 1, " The variable x" + defined + "0.250000\n>> "},
        {"M=[0]", 1, " The variable M" + defined + "1\t2\t\n3\t4\t\n\n>> "},
        {"b=1", 0, " The variables has been locked. We can not define new variable.\n" + texts::prompt},
    };
    for (const Row &row : rows) {
        EXPECT_EQ(calculator.dealWithInputCommand({row.line}), row.code) << row.line;
        EXPECT_EQ(calculator.output.str(), row.output) << row.line;
    }
    expectEntry(calculator, "a", {"int", "5", ""});
    EXPECT_EQ(calculator.variables.count("b"), 0u);
    calculator.core.setFixVariables(0);
    expectTranscript(calculator, {{"a=6", "6\n" + stored}});
}

} // namespace

namespace {

TEST_F(Assignments, Strings) {
    std::string printed = expectTranscript(calculator, {
                                                           {"s=\"hello\"", stored},
                                                           // A string is copied like any other variable.
                                                           {"t=s", stored},
                                                           {"s=s", stored},
                                                       });
    expectEntry(calculator, "s", {"std::string", "(hello)", "(hello)"});
    expectEntry(calculator, "t", {"std::string", "(hello)", "(hello)"});
    EXPECT_EQ(calculator.variables.at("t").slotAs<std::string>(kStringType)->getValue(), "(hello)");
    EXPECT_NE(printed.find("Here are Undefined variables: hello, "), std::string::npos);
}

TEST_F(Assignments, ExpressionsKeptAsStrings) {
    auto block = [](const std::string &name, const std::string &value, const std::string &computed) {
        return "----------------------------\n type: std::string\n name: " + name + "\nvalue: " + value +
               "\nvalue_computed: " + computed + "\n" + stored;
    };
    expectTranscript(calculator, {
                                     {"n=-5", block("n", "(-5)", "-5")},
                                     {"d=1-2", block("d", "(1-2)", "-1")},
                                     {"w=word", block("w", "(word)", "(word)")},
                                 });
    expectEntry(calculator, "n", {"std::string", "(-5)", ""});
    expectEntry(calculator, "w", {"std::string", "((word))", ""});
}

} // namespace
