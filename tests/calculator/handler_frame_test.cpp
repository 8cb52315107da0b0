// The frame the command handlers share: the cutting styles, the minus read back, the blocks,
// the checked integers, the family tables and what the terminal is shown.
#include <gtest/gtest.h>

#include <iostream>
#include <set>
#include <sstream>

#include "calculator_test_support.h"
#include "dispatch/builtin_handlers.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "tools.h"

namespace {

const std::string kClosing = "\n\n" + texts::rule + "\n\n" + texts::prompt;

TEST(HandlerFrame, ParenArgumentCountsDepthAndIgnoresTheTail) {
    struct Row {
        const char *commandText;
        bool cut;
        const char *argument;
        std::string written;
    };
    const Row rows[] = {
        {"sqrt(4)", true, "4", ""},
        {"sqrt((1+2)*(3))", true, "(1+2)*(3)", ""},
        {"sqrt(9)+1)", true, "9", ""},
        {"sqrt()", true, "", ""},
        {"sqrt", false, "", "hint> the input is wrong (missing '(')." + kClosing},
        {"sqrt((4)", false, "", "hint> the input is wrong (missing ')' or mismatched parentheses)." + kClosing},
    };
    Calculator calculator;
    for (const Row &row : rows) {
        calculator.commandText = row.commandText;
        std::string argument = "stale";
        std::ostream &out = startAnswer(calculator);
        EXPECT_EQ(getParenArgument(calculator, argument, out), row.cut) << row.commandText;
        EXPECT_EQ(argument, row.argument) << row.commandText;
        EXPECT_EQ(calculator.output.str(), row.written) << row.commandText;
    }
}

TEST(HandlerFrame, ClosedRestFirstBracketAndWholeBracket) {
    struct Row {
        const char *text;
        Close close;
        bool cut;
        const char *argument;
    };
    const Row rest[] = {
        {"f(1,2)", Close::First, true, "1,2"},
        {"f(1,(2))", Close::First, false, ""},
        {"f(1,(2))", Close::Last, true, "1,(2)"},
        {"f()", Close::First, true, ""},
        {"f(1)x", Close::Last, false, ""},
        {"f(1", Close::Last, false, ""},
        {"1)", Close::Last, true, "1"}, // no "(": the whole text is the rest
    };
    for (const Row &row : rest) {
        std::string argument;
        EXPECT_EQ(closedRest(row.text, argument, row.close), row.cut) << row.text;
        if (row.cut) {
            EXPECT_EQ(argument, row.argument) << row.text;
        }
    }
    struct Pair {
        const char *text;
        bool cut;
        const char *argument;
    };
    const Pair first[] = {{"f(1)+(2)", true, "1"}, {"f(12", true, "12"}, {"f)(1)", false, ""}, {"f1)", false, ""}};
    for (const Pair &row : first) {
        std::string argument;
        EXPECT_EQ(firstBracketArgument(row.text, argument), row.cut) << row.text;
        if (row.cut) {
            EXPECT_EQ(argument, row.argument) << row.text;
        }
    }
    std::string argument;
    EXPECT_TRUE(wholeBracketArgument("len(a(b)c)", argument, true));
    EXPECT_EQ(argument, "a(b)c");
    EXPECT_FALSE(wholeBracketArgument("len(ab)x", argument, true));
    EXPECT_TRUE(wholeBracketArgument("sin(ab)x", argument, false));
    EXPECT_EQ(argument, "ab");
    EXPECT_FALSE(wholeBracketArgument("len)(", argument, false));
}

TEST(HandlerFrame, TwoArguments) {
    struct Row {
        const char *text;
        Close close;
        bool cut;
        const char *first;
        const char *second;
    };
    const Row rows[] = {
        {"f(7,2)", Close::First, true, "7", "2"},
        {"f(7,2", Close::First, true, "7", "2"},     // a missing ")" runs to the end
        {"f(7,(2))", Close::Last, true, "7", "(2)"}, // sqrtn's last ")"
        {"f(7,(2))", Close::First, true, "7", "(2"},
        {"f(7)", Close::First, false, "", ""},
        {"f(7),2", Close::First, false, "", ""},
        {"f7,2)", Close::First, false, "", ""},
        {"f(,)", Close::First, true, "", ""},
    };
    for (const Row &row : rows) {
        std::string first, second;
        EXPECT_EQ(twoArguments(row.text, first, second, row.close), row.cut) << row.text;
        if (!row.cut) continue;
        EXPECT_EQ(first, row.first) << row.text;
        EXPECT_EQ(second, row.second) << row.text;
    }
}

TEST(HandlerFrame, ItemListAndBoundParameters) {
    Calculator calculator;
    std::vector<std::string> items;
    ASSERT_TRUE(itemList(calculator, "3,4,...,7", items));
    EXPECT_EQ(items, (std::vector<std::string>{"3", "4", "5", "6", "7"}));

    std::vector<std::string> values;
    calculator.commandText = "gcd(12,18)";
    ASSERT_TRUE(boundParameters(calculator, "gcd", values, startAnswer(calculator)));
    EXPECT_EQ(values, (std::vector<std::string>{"12", "18"}));
    calculator.commandText = "gcd(12)";
    ASSERT_TRUE(boundParameters(calculator, "gcd", values, startAnswer(calculator)));
    EXPECT_EQ(values, (std::vector<std::string>{"12", ""}));
    calculator.commandText = "gcd(1,2,3)";
    EXPECT_FALSE(boundParameters(calculator, "gcd", values, startAnswer(calculator)));
    EXPECT_EQ(calculator.output.str(), "hint> the input is wrong." + kClosing);
    calculator.commandText = "gcd(1,2)x";
    EXPECT_FALSE(boundParameters(calculator, "gcd", values, startAnswer(calculator)));
    EXPECT_EQ(calculator.output.str(),
              "paraLongString = 1,2)x\npos2=3\nlength=5\nhint> the input is wrong." + kClosing);
    calculator.commandText = "gcd(1,2";
    EXPECT_FALSE(boundParameters(calculator, "gcd", values, startAnswer(calculator)));
    EXPECT_EQ(calculator.output.str(),
              "paraLongString = 1,2\npos2=18446744073709551615\nlength=3\nhint> the input is wrong." + kClosing);
}

TEST(HandlerFrame, MinusReadBack) {
    struct Row {
        const char *argument;
        size_t minLength;
        bool readBack;
        const char *kept;
        const char *cut;
    };
    const Row rows[] = {
        {"0-2.5", 3, true, "-2.5", "2.5"},
        {"0-", 3, false, "0-", "0-"},
        {"0-", 2, true, "-", ""},
        {"10-2", 3, false, "10-2", "10-2"},
        {"", 3, false, "", ""},
    };
    for (const Row &row : rows) {
        std::string kept = row.argument, cut = row.argument;
        EXPECT_EQ(readBackMinus(kept, row.minLength), row.readBack) << row.argument;
        EXPECT_EQ(cutMinus(cut, row.minLength), row.readBack) << row.argument;
        EXPECT_EQ(kept, row.kept) << row.argument;
        EXPECT_EQ(cut, row.cut) << row.argument;
    }
}

TEST(HandlerFrame, Blocks) {
    struct Row {
        std::function<void(std::ostream &)> write;
        std::string text;
    };
    const Row rows[] = {
        {[](std::ostream &o) { writeAnswer(o, "7"); }, "out> 7\n\n" + texts::rule + "\n\n>> "},
        {[](std::ostream &o) { writeClosingBlock(o); }, "\n" + texts::rule + "\n\n>> "},
        {[](std::ostream &o) { writeHint(o, "0-255", Hint::NotDecimalInteger); },
         "hint> 0-255 is not a decimal integer." + kClosing},
        {[](std::ostream &o) { writeHint(o, "a", "b", Hint::NonDigit); }, "hint> a or b contains non digit char." + kClosing},
        {[](std::ostream &o) { writeHint(o, "f", Hint::InvalidFunctionName); },
         "hint> f is invalid function name." + kClosing},
        {[](std::ostream &o) { writeHint(o, "x", Hint::NotPolynomialOfX); }, "hint> x is NOT a polynomial of x" + kClosing},
        {[](std::ostream &o) { writeShapeHint(o); }, "hint> the input is wrong." + kClosing},
        {[](std::ostream &o) { writeComparisonFailure(o, "2", "5"); }, "Error: 2 is less than 5." + kClosing},
        {[](std::ostream &o) { writeUsageLine(o, "sort(num1,num2,num3,...,numK)"); },
         "syntax> sort(num1,num2,num3,...,numK)\n"},
    };
    for (const Row &row : rows) {
        std::ostringstream out;
        row.write(out);
        EXPECT_EQ(out.str(), row.text);
    }
    // Every hint has its own message.
    std::set<std::string_view> messages;
    for (int h = 0; h <= int(Hint::InvalidFunctionName); h++) messages.insert(hintMessage(Hint(h)));
    EXPECT_EQ(messages.size(), size_t(Hint::InvalidFunctionName) + 1);
}

TEST(HandlerFrame, BoundedIntegerIsChecked) {
    struct Row {
        const char *argument;
        bool read;
        int64_t value;
    };
    std::ostringstream shown;
    writeRangeHint(shown, "99999999999", 1, 100000);
    EXPECT_EQ(shown.str(), "hint> 99999999999 is out of range: an integer from 1 to 100000 is needed here." + kClosing);
    const Row rows[] = {
        {"36", true, 36}, {"036", true, 36}, {"1", false, 0}, {"37", false, 0}, {"", false, 0},
        {"99999999999", false, 0}, {"18446744073709551617", false, 0}, {"1.5", false, 0}, {"0-3", false, 0},
    };
    for (const Row &row : rows) {
        std::ostringstream out;
        int64_t value = -1;
        EXPECT_EQ(boundedInteger(out, row.argument, 2, 36, value), row.read) << row.argument;
        if (row.read) {
            EXPECT_EQ(value, row.value);
            EXPECT_EQ(out.str(), "");
        } else {
            EXPECT_EQ(value, -1) << row.argument;
            EXPECT_EQ(out.str(), "hint> " + integerRangeMessage(row.argument, 2, 36).substr(7) + kClosing);
        }
    }
}

TEST(HandlerFrame, StartAnswerReplacesTheOutput) {
    Calculator calculator;
    calculator.output << "earlier answer";
    calculator.output.setstate(std::ios::failbit);
    writeAnswer(startAnswer(calculator), "1");
    EXPECT_EQ(calculator.output.str(), "out> 1" + kClosing);
}

TEST(HandlerFrame, PrintedTextIsCaptured) {
    const std::string printed = capturedConsole([] {
        std::cout << "[plugins] listed\n";
        std::cerr << "Exception caught: x\n";
        std::clog << "calc loaded!\n";
    });
    EXPECT_EQ(printed, "[plugins] listed\nException caught: x\ncalc loaded!\n");
    // The standard output is back afterwards.
    EXPECT_EQ(captureStdout([] { std::cout << "x" << std::flush; }), "x");
}

// A command's answer shows everything written for the line, the engine's streams first.
TEST(HandlerFrame, EngineLinesGoBeforeTheAnswer) {
    Calculator calculator;
    calculator.output << "out> 6\n";
    calculator.core.outStream << "step 1\n";
    calculator.core.wideStream << L"帮助\n";
    calculator.joinEngineLines();
    EXPECT_EQ(calculator.output.str(), "帮助\nstep 1\nout> 6\n");
    EXPECT_EQ(calculator.core.outStream.str(), "");
    EXPECT_EQ(calculator.core.wideStream.str(), L"");
    calculator.joinEngineLines();
    EXPECT_EQ(calculator.output.str(), "帮助\nstep 1\nout> 6\n");
}

// Every name of a family table is a built-in name, and no name is in two families.
TEST(HandlerFamilies, NamesAreBuiltinAndUnique) {
    std::set<std::string> builtin, seen;
    for (const HandlerCase &c : builtin_handler_cases()) builtin.insert(c.name);
    for (HandlerFamily family : kHandlerFamilies)
        for (const HandlerCase &entry : family()) {
            EXPECT_TRUE(builtin.count(entry.name)) << entry.name << " is no built-in name";
            EXPECT_TRUE(seen.insert(entry.name).second) << entry.name << " is in two families";
            EXPECT_NE(entry.handler, nullptr) << entry.name;
            const HandlerCase *found = find_handler_case(entry.name);
            ASSERT_NE(found, nullptr) << entry.name;
            EXPECT_EQ(found->handler, entry.handler) << entry.name;
        }
}

} // namespace
