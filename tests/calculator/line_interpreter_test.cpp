// The batch loop of the interpreter: result codes, which lines end a batch, and the exact
// text left in `output`.
#include <gtest/gtest.h>

#include <vector>

#include "calculator_test_support.h"
#include "interpreter/interpreter_state.h"

namespace {

struct BatchRow {
    std::vector<std::string> lines;
    int code;
    std::string output;
};

TEST(LineInterpreter, BatchCodesAndOutput) {
    const BatchRow rows[] = {
        {{}, 0, ""},
        {{"   "}, 0, texts::prompt},
        {{"_"}, 0, texts::lastAnswer("0")},
        {{"(1+2"}, 1, "(1+2\n" + texts::interpreterBracketError},
        {{"  (1+2  "}, 1, "(1+2\n" + texts::interpreterBracketError},
        {{":2a"}, -1, texts::inputError},
        {{"f(x)=x^2+1"}, -1, texts::inputError},
        // A "[" line with unbalanced brackets is classified; its echo is dropped...
        {{"A=[1 2"}, 0, "--------------------\n\n1\t2\t\n\n--------------------\n>> "},
        // ...unless classification fails, when it stays in front of the message.
        {{":2a ["}, -1, ":2a [\n" + texts::inputError},
        {{":quit"}, -1024, ""},
        {{":q"}, -1024, ""},
        {{":exit"}, -1024, ""},
        // The empty line, "_", brackets and classification failures end the batch.
        {{"", ":quit"}, 0, texts::prompt},
        {{"_", ":quit"}, 0, texts::lastAnswer("0")},
        {{"(1", ":quit"}, 1, "(1\n" + texts::interpreterBracketError},
        {{":2a", ":quit"}, -1, texts::inputError},
        {{":quit", "(1"}, -1024, ""},
        // Roads that continue: the next line runs, and `output` holds its answer only.
        {{"3$4", "a=5"}, 0, "5\n--------------------\n>> "},
        {{"foo(1)", "a=5"}, 0, "5\n--------------------\n>> "},
        // An expression answered by the script attempt ends the batch.
        {{"1+2", "a=5"}, 0, texts::scriptAnswer("3")},
        {{"isPrime(7)", ":quit"}, -1024, ""},
        // The bracket check comes before the streams are emptied: the echo follows the answer before.
        {{"max x+y=z", "(1"}, 1, texts::unfinishedProgram + "(1\n" + texts::interpreterBracketError},
    };
    for (const BatchRow &row : rows) {
        Calculator calculator;
        std::string lines;
        for (const std::string &l : row.lines) lines += "[" + l + "]";
        EXPECT_EQ(calculator.dealWithInputCommand(row.lines), row.code) << lines;
        EXPECT_EQ(calculator.output.str(), row.output) << lines;
    }
}

TEST(LineInterpreter, StatementClearsTheMessageStreams) {
    Calculator calculator;
    calculator.output << "old answer";
    calculator.core.outStream << "old echo";
    calculator.core.wideStream << L"old help";
    calculator.dealWithInputCommand({"1+2"});
    EXPECT_EQ(calculator.output.str(), texts::scriptAnswer("3"));
    EXPECT_EQ(calculator.core.outStream.str(), "");
    EXPECT_EQ(calculator.core.wideStream.str(), L"");
}

TEST(LineInterpreter, ShortcutsAnswerWithoutClearing) {
    // The empty line and "_" are answered before the streams are emptied: the terminal
    // empties them after every line, so nothing older is shown.
    Calculator calculator;
    calculator.output << "x";
    calculator.dealWithInputCommand({""});
    EXPECT_EQ(calculator.output.str(), "x" + texts::prompt);
}

TEST(LineInterpreter, InputLineIsTheTrimmedLine) {
    Calculator calculator;
    calculator.setConfig("deleteblank", "n"); // the call road keeps the blanks inside
    calculator.dealWithInputCommand({"   gcd(4, 6)   "});
    EXPECT_EQ(calculator.inputLine, "gcd(4, 6)");
    ASSERT_EQ(input_statements.size(), 1u);
    EXPECT_EQ(input_statements.back().name, "gcd");
}

TEST(LineInterpreter, OnlyTheLatestStatementIsKept) {
    Calculator calculator;
    for (int i = 0; i < 5; i++) calculator.dealWithInputCommand({"1+" + std::to_string(i)});
    ASSERT_EQ(input_statements.size(), 1u);
    EXPECT_EQ(input_statements.back().name, "1+4");
}

} // namespace
