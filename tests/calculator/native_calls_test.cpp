// Transcripts of calls that the script's natives answer in the interpreter's script attempt:
// the typed line and the exact text the terminal shows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "calculator_test_support.h"
#include "entry/line_entry.h"

namespace {

struct Row {
    const char *typed;
    std::string shown;
};

void runTranscript(Calculator &calculator, const std::vector<Row> &rows) {
    for (const Row &row : rows) {
        captureStdout([&] { processInputLine(row.typed, calculator); });
        EXPECT_EQ(shownText(calculator), row.shown) << "typed: \"" << row.typed << "\"";
    }
}

TEST(NativeCalls, Transcript) {
    Calculator calculator;
    calculator.setOperatorChars();
    runTranscript(calculator, {
                                  // A call answered by the script shows its value alone.
                                  {"gcd(12, 18)", "6"},
                                  {"gcd(12,18,5)", "1"},
                                  {"isprime(7)", "true"},
                                  {"isprime(2,3,4)", "2"},
                                  {"avg(1,2)", "1.5"},
                                  {"pi()", "3.14159265"},
                                  {"pi(10)", "4"},
                                  {"factorial(5)", "120"},
                                  {"setprecision(20)", "20"},
                                  {"1/3", texts::scriptAnswer("0.33333333333333333333")},
                                  {"setprecision()", "8"},
                                  {"1/3", texts::scriptAnswer("0.33333333")},
                              });
    EXPECT_EQ(calculator.core.getPrecision(), 8);
}

// A native that ends its run with an error leaves the call to the interpreter's own road.
TEST(NativeCalls, FailedNativeCallsGoOn) {
    Calculator calculator;
    calculator.setOperatorChars();
    runTranscript(calculator, {{"size(5)", texts::notDefined("size")}});
}

} // namespace
