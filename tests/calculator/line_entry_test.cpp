// Transcripts of the line entry: typed lines and the exact text the terminal shows.
#include <gtest/gtest.h>

#include <vector>

#include "calculator_test_support.h"
#include "entry/line_entry.h"
#include "interpreter/interpreter_state.h"

namespace {

struct Row {
    const char *typed;
    std::string shown;
    int code; // what processInputLine returns
};

void runTranscript(Calculator &calculator, const std::vector<Row> &rows) {
    for (const Row &row : rows) {
        int code = 0;
        captureStdout([&] { code = processInputLine(row.typed, calculator); });
        EXPECT_EQ(shownText(calculator), row.shown) << "typed: \"" << row.typed << "\"";
        EXPECT_EQ(code, row.code) << "typed: \"" << row.typed << "\"";
    }
}

TEST(LineEntry, Transcript) {
    Calculator calculator;
    runTranscript(calculator,
                  {
                      {"", texts::prompt, 0},
                      {"    ", texts::prompt, 0},
                      {"_", texts::lastAnswer("0"), 0},
                      {"  _  ", texts::lastAnswer("0"), 0},
                      {"(1+2", "(1+2\n" + texts::entryBracketError, 0},
                      {"1+2)", "1+2)\n" + texts::entryBracketError, 0},
                      {"{(})", "{(})\n" + texts::entryBracketError, 0},
                      // Unbalanced with "[": the interpreter runs it, and the echo of the line is dropped.
                      {"A=[1 2", "--------------------\n\n1\t2\t\n\n--------------------\n>> ", 0},
                      {":2a", texts::inputError, 0},
                      {":", texts::inputError, 0},
                      {":Quit", "info> Input error, please try again.\n>> ", 0},
                      {"f(x)=x^2+1", texts::inputError, 0},
                  });
}

TEST(LineEntry, LastAnswerIsTheEnginesResult) {
    Calculator calculator;
    runTranscript(calculator, {{"_", texts::lastAnswer("0"), 0}});
    calculator.core.addition("40", "2");
    runTranscript(calculator, {{"_", texts::lastAnswer("42"), 0}, {"_", texts::lastAnswer("42"), 0}});
    calculator.core.int_division("1", "3");
    runTranscript(calculator, {{"_", texts::lastAnswer("0.33333333"), 0}});
    // The script attempt answers "1+2" on the script machine's integer road; "_" recalls it.
    runTranscript(calculator, {{"1+2", texts::scriptAnswer("3"), 0}, {"_", texts::lastAnswer("3"), 0}});
}

TEST(LineEntry, EveryStatementKind) {
    struct KindRow {
        const char *typed;
        int kind;
        const char *name;
        std::string shown;
    };
    const KindRow rows[] = {
        {":clear", 0, "clear", "info> All variables have been cleared.\n--------------------------------\n>> "},
        {":mode fraction", 0, "mode", "Switch into fraction calculating mode.\ne.g., 1/2+1/3 will return 5/6\n\n>> "},
        {"a=5", 1, "a", "5\n--------------------\n>> "},
        {"A=[1 2;3 4]", 1, "A", "--------------------\n\n1\t2\t\n3\t4\t\n\n--------------------\n>> "},
        {"isPrime(17)", 2, "isPrime", texts::notDefined("isPrime")},
        {"solve(x^2-1==0)", 2, "solve",
         "\n这是一个一元二次方程.\n\n  x^2-1 == 0\n\n\nsolution>\n\tx1 = 1\n\tx2 = -1\n\n" + texts::rule + "\n\n" + texts::prompt},
        {"1+2", 3, "1+2", texts::scriptAnswer("3")},
        {"a = 5", 3, "a = 5", texts::notAnExpression},
        {"x=2*3", 3, "x=2*3", texts::notAnExpression},
        {"a==b", 3, "a==b", texts::engineAnswer("0")},
        {"max 3x+2y=z", 7, "max", texts::unfinishedProgram},
        {"min x+y=w;", 8, "min",
         "--------------------\nobjModel> min\nzname> x+y\nobjectiveFunction> w\nconstraints>\n"
         "--------------------\n\n======================\n[Analysis]\n[basic_vars]: w \nThe obj polynomial is "
         "Linear: w\nmin x+y is found as max -x+y.\n\n------Matrix--A----\n\tx+y\tw\tSolution\t\nx+y\t1\t1\t0\t\n"
         "\n-------------------\nWhen w = 0, \nx+y = 0\n\n====== END ======\n"},
    };
    for (const KindRow &row : rows) {
        Calculator calculator; // the mode and the variables of one row do not reach the next
        int code = -7;
        captureStdout([&] { code = processInputLine(row.typed, calculator); });
        EXPECT_EQ(code, 0) << row.typed;
        EXPECT_EQ(shownText(calculator), row.shown) << row.typed;
        ASSERT_EQ(input_statements.size(), 1u) << row.typed;
        EXPECT_EQ(input_statements.back().kind, row.kind) << row.typed;
        EXPECT_EQ(input_statements.back().name, row.name) << row.typed;
    }
}

TEST(LineEntry, MatrixLinesAreNormalisedBeforeTheInterpreter) {
    struct MatrixRow {
        const char *typed;
        const char *prepared;
        std::vector<std::vector<std::string>> cells;
    };
    const MatrixRow rows[] = {
        {"B=[1,,2]", "B=[1,0,2]", {{"1", "0", "2"}}},
        {"C=[1 2 3]#", "C=[1 2 3]", {{"1", "2", "3"}}},
        {"  A=[1 2; 3 4]  ", "A=[1 2;3 4]", {{"1", "2"}, {"3", "4"}}},
        {"1+2#", "1+2", {}},
    };
    Calculator calculator;
    for (const MatrixRow &row : rows) {
        captureStdout([&] { processInputLine(row.typed, calculator); });
        ASSERT_EQ(calculator.pendingLines.size(), 1u) << row.typed;
        EXPECT_EQ(calculator.pendingLines[0], row.prepared) << row.typed;
        EXPECT_EQ(calculator.matrixRows, row.cells) << row.typed;
        shownText(calculator);
    }
}

TEST(LineEntry, QuitThroughTheBalancedRoad) {
    Calculator calculator;
    calculator.outputFile = std::tmpfile();
    calculator.inputFile = std::tmpfile();
    int code = 0;
    std::string out = captureStdout([&] { code = processInputLine(":quit", calculator); });
    EXPECT_EQ(code, -1);
    EXPECT_EQ(out, texts::farewell);
    EXPECT_EQ(shownText(calculator), "");
    EXPECT_EQ(calculator.outputFile, nullptr);
    EXPECT_EQ(calculator.inputFile, nullptr);
    for (const char *quit : {":q", ":exit", "  :quit  "}) {
        captureStdout([&] { code = processInputLine(quit, calculator); });
        EXPECT_EQ(code, -1) << quit;
        EXPECT_EQ(shownText(calculator), "") << quit;
    }
}

TEST(LineEntry, QuitThroughTheUnbalancedRoad) {
    Calculator calculator;
    int code = -7;
    std::string out = captureStdout([&] { code = processInputLine(":quit [", calculator); });
    EXPECT_EQ(code, 0);
    EXPECT_EQ(shownText(calculator), texts::farewell);
    EXPECT_EQ(out, "");
}

TEST(LineEntry, AnswersAreCopiedOut) {
    Calculator calculator;
    // Without an output file, a line's answer also goes to the standard output.
    EXPECT_EQ(captureStdout([&] { processInputLine("", calculator); }), texts::prompt);
    shownText(calculator);
    EXPECT_EQ(captureStdout([&] { processInputLine(":2a", calculator); }), texts::inputError);
    shownText(calculator);

    // With one, a done line goes to both, any other code only to the file.
    calculator.outputFile = std::tmpfile();
    ASSERT_NE(calculator.outputFile, nullptr);
    EXPECT_EQ(captureStdout([&] { processInputLine("_", calculator); }), texts::lastAnswer("0"));
    shownText(calculator);
    EXPECT_EQ(captureStdout([&] { processInputLine(":2a", calculator); }), "");
    shownText(calculator);
    EXPECT_EQ(fileText(calculator.outputFile), texts::lastAnswer("0") + texts::inputError);
    std::fclose(calculator.outputFile);
    calculator.outputFile = nullptr;
}

TEST(LineEntry, SessionEngineFollowsTheLatestLine) {
    Calculator first, second;
    captureStdout([&] { processInputLine("", first); });
    EXPECT_EQ(session_engine, &first.core);
    captureStdout([&] { processInputLine("(", second); });
    EXPECT_EQ(session_engine, &second.core);
}

TEST(LineEntry, ScriptRunsFromTheEditor) {
    Calculator calculator;
    struct Run {
        const char *source;
        int status;
        const char *printed;
    };
    const Run runs[] = {
        {"print 1+1;", 0, "2"},
        {"var a = 2; println a*21; print \"done\";", 0, "42\ndone"},
        {"print 1+;", 1, ""},
        {"print undefinedName;", 2, ""},
    };
    for (const Run &run : runs) {
        FILE *out = std::tmpfile();
        ASSERT_NE(out, nullptr);
        EXPECT_EQ(kscriptInterpret(calculator, run.source, out), run.status) << run.source;
        EXPECT_EQ(fileText(out), run.printed) << run.source;
        std::fclose(out);
    }
    EXPECT_EQ(kscriptInterpret(calculator, nullptr, stdout), 1);
}

TEST(LineEntry, ScriptRunsComputeWithTheCalculatorsEngine) {
    Calculator calculator;
    calculator.core.setMode(1); // fraction arithmetic
    FILE *out = std::tmpfile();
    ASSERT_NE(out, nullptr);
    EXPECT_EQ(kscriptInterpret(calculator, "print 1/3+1/6;", out), 0);
    EXPECT_EQ(fileText(out), "1|2");
    std::fclose(out);
}

} // namespace
