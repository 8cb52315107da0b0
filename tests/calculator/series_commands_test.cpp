// Transcripts of sum, printSeries and printRecursiveSeries.
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "calculator_test_support.h"
#include "dispatch/builtin_handlers.h"

namespace {

const std::string kClosingBlock = "\n" + texts::rule + "\n\n" + texts::prompt;
const std::string kWrongShape = "hint> the input is wrong.\n" + kClosingBlock;

std::string usage(const std::string &form) { return "syntax> " + form + "\n" + kClosingBlock; }

const std::string kSumUsage = usage("sum(general_term,n,minValue,maxValue)");
const std::string kPrintUsage = usage("printSeries(general_term,n,minValue,maxValue,delimiter)");
const std::string kRecursiveUsage =
    "syntax> printRecursiveSeries(Iteration_expression, general_item, initialValue, numberOfItems, delimiter)\n"
    "example: \n        printRecursiveSeries((a_n+n+1)/(1+a_n*(n+1)),a_n,2,100)\n     or: \n"
    "        printRecursiveSeries(a_{n+d}=(a_n+n+1)/(1+a_n*(n+1)),a_3=2,100,\\n,lineno)\n" +
    kClosingBlock;

TEST(SeriesCommands, Sum) {
    Calculator calculator;
    calculator.setOperatorChars();
    expectTranscript(
        calculator,
        {
            {"sum(n^2,n,1,10)", "385" + kClosingBlock},
            {"sum(n^2, n, 1, 10)", "385" + kClosingBlock},
            {"sum(n^2,n,1,4,expand)", "1^2+2^2+3^2+4^2\nout> 30\n30" + kClosingBlock},
            {"sum(n,n,-3,3)", "0" + kClosingBlock},
            {"sum(n,n,3,1)", "0" + kClosingBlock},
            // the index steps by one: the bounds are integers, and the terms are capped
            {"sum(n,n,1,2.5)", "hint> 2.5 is not a decimal integer.\n" + kClosingBlock},
            {"sum(n,n,a,3)", "hint> a is not a decimal integer.\n" + kClosingBlock},
            {"sum(n,n,1,)", "hint>  is not a decimal integer.\n" + kClosingBlock},
            {"sum(n,n,1,10000000000)", "Error: a series is limited to 1000000 terms." + kClosingBlock},
            {"sum(,n,1,3)", kWrongShape + kSumUsage},
            {"sum(n,n,1,10,a,b)", kSumUsage},
        });
}

TEST(SeriesCommands, PrintSeries) {
    Calculator calculator;
    calculator.setOperatorChars();
    expectTranscript(calculator, {
                                         {"printSeries(n^2,n,1,5)", "1,4,9,16,25,\n" + kClosingBlock},
                                         {"printSeries(n^2,n,1,5,\\b)", "1 4 9 16 25 \n" + kClosingBlock},
                                         {"printSeries(n^2,n,1,5,\\null)", "1491625\n" + kClosingBlock},
                                         {"printSeries(n,n,1,3,\\n)", "1\n2\n3\n\n" + kClosingBlock},
                                         {"printSeries(2,n,1,3)", "2,2,2\n\n" + kClosingBlock},
                                         {"printSeries(n,n,1,10000000000)",
                                          "Error: a series is limited to 1000000 terms.\n" + kClosingBlock},
                                         {"printSeries(n,n,1,2.5)", "hint> 2.5 is not a decimal integer.\n" + kClosingBlock},
                                         {"printSeries(n,n,1,3,;,x)", kPrintUsage},
                                     });
}

TEST(SeriesCommands, PrintRecursiveSeries) {
    Calculator calculator;
    calculator.setOperatorChars();
    expectTranscript(
        calculator,
        {
            {"printRecursiveSeries(x/2,x,2,5,\\n)", "2\n1\n0.5\n0.25\n0.125\n\n" + kClosingBlock},
            {"printRecursiveSeries(x+1,x,1,5,;,linenumber)", "[1]\t1;[2]\t2;[3]\t3;[4]\t4;[5]\t5;\n" + kClosingBlock},
            {"printRecursiveSeries(x+1,x,1,3,\\b,plain)", "(1) (1)+1 ((1)+1)+1 \n" + kClosingBlock},
            {"printRecursiveSeries(a_{n+1}==(a_n+n+1)/(1+a_n*(n+1)),a_3=2,5)",
             "initialValue=(2)\n2,0.66666667,1.30769230,0.82608696,1.15384615,\n" + kClosingBlock},
            // no "=" in the initial condition: the first term is 1, nothing echoed
            {"printRecursiveSeries(a_{n+1}==a_n+1,a_1,3)", "1,2,3,\n" + kClosingBlock},
            // the count is an integer from 1 on (it was narrowed to 32 bits, or read from "abc")
            {"printRecursiveSeries(x+1,x,1,4294967297)",
             "hint> 4294967297 is out of range: an integer from 1 to 2147483647 is needed here.\n" + kClosingBlock},
            {"printRecursiveSeries(x/2,x,2,abc)",
             "hint> abc is out of range: an integer from 1 to 2147483647 is needed here.\n" + kClosingBlock},
            {"printRecursiveSeries(x/2,x,2,0)",
             "hint> 0 is out of range: an integer from 1 to 2147483647 is needed here.\n" + kClosingBlock},
            {"printRecursiveSeries(x+1,x,1,2000000)", "Error: a series is limited to 1000000 terms.\n" + kClosingBlock},
            {"printRecursiveSeries(x/2,x,,3)", kWrongShape + kRecursiveUsage},
            {"printRecursiveSeries(1,2,3,4,5,6,7,8)", kRecursiveUsage},
        });
}

// The argument text must end with its last ")" (the line entry lets no such line through,
// so the handlers are called directly): the diagnostic lines, the hint, the usage.
TEST(SeriesCommands, TextNotEndingInItsLastBracket) {
    Calculator calculator;
    const std::string diagnostics = "paraLongString = n,n,1\npos2=18446744073709551615\nlength=5\n";
    for (const auto &[name, usageText] : {std::pair{"sum", kSumUsage}, std::pair{"printSeries", kPrintUsage},
                                          std::pair{"printRecursiveSeries", kRecursiveUsage}}) {
        calculator.commandText = std::string(name) + "(n,n,1";
        find_handler_case(name)->handler(calculator);
        EXPECT_EQ(calculator.output.str(), diagnostics + kWrongShape + usageText) << name;
    }
}

}  // namespace
