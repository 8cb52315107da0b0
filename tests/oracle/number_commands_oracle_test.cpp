// The number-theory commands typed as lines: each answer is read back from the text the
// terminal shows and compared with PARI/GP on random arguments. The routines themselves are
// checked in number_theory_oracle_test.cpp; this checks the commands' cutting and writing.
#include <gtest/gtest.h>

#include <string>

#include "Calculator.h"
#include "entry/line_entry.h"
#include "oracle/oracle_support.h"

namespace {

// A calculator whose precision is above the script attempt's limit, so that every line
// reaches its command handler.
struct CommandLines {
    Calculator calculator;
    CommandLines() {
        calculator.setOperatorChars();
        calculator.core.setPrecision(1001);
    }

    // The text the terminal shows for the typed line.
    std::string shown(const std::string &line) {
        calculator.clearAnswerStreams();
        // the interpreter also copies each answer to the standard output
        ::testing::internal::CaptureStdout();
        processInputLine(line, calculator);
        ::testing::internal::GetCapturedStdout();
        std::string text = calculator.output.str();
        calculator.clearAnswerStreams();
        return text;
    }

    // The value after `head` in the answer, up to the end of its line; the whole text when
    // the head is missing, so that the mismatch shows it.
    std::string value(const std::string &line, const std::string &head) {
        const std::string text = shown(line);
        const size_t at = head.empty() ? 0 : text.find(head);
        if (at == std::string::npos) return text;
        const size_t from = at + head.size();
        return text.substr(from, text.find('\n', from) - from);
    }
};

// gp's factorisation in the command's form: p^e joined by "*", an exponent 1 left out unless
// the number has a single prime.
const char *const kFactoriseForm =
    "fz(n)={my(f=factor(n),s=Str(n,\" == \"));for(i=1,#f~,if(i>1,s=concat(s,\"*\"));"
    "s=concat(s,Str(f[i,1]));if(f[i,2]>1||#f~==1,s=concat(s,Str(\"^\",f[i,2]))));s};\n";

} // namespace

TEST(NumberCommandsOracle, AnswersReadBackAgreeWithGp) {
    oracle::Rng rng = oracle::rngFor(41);
    CommandLines lines;
    BigNumber scratch;
    oracle::GpCases cases;
    cases.program = kFactoriseForm;
    for (int i = 0; i < 60; i++) {
        const std::string a = oracle::randomInteger(rng, 30, false), b = oracle::randomInteger(rng, 30, false);
        const std::string c = oracle::randomInteger(rng, 12, false);
        const std::string m = oracle::randomInteger(rng, 20, false), p = oracle::randomInteger(rng, 25, false);
        cases.add("gcd " + a + "," + b + "," + c, lines.value("gcd(" + a + "," + b + "," + c + ")", ""),
                  "gcd(gcd(" + a + "," + b + ")," + c + ")");
        cases.add("lcm " + a + "," + c, lines.value("lcm(" + a + "," + c + ")", ""), "lcm(" + a + "," + c + ")");
        cases.add("expmod " + a + "," + m + "," + p, lines.value("expmod(" + a + "," + m + "," + p + ")", "out> "),
                  "lift(Mod(" + a + "," + p + ")^" + m + ")");
        // an odd modulus; the order exists for the bases coprime to it
        const std::string odd = c + "1", base = a + "1";
        if (scratch.gcd(base, odd) == "1")
            cases.add("multiplicativeOrder " + base + "," + odd,
                      lines.value("multiplicativeOrder(" + base + "," + odd + ")", "out> "),
                      "znorder(Mod(" + base + "," + odd + "))");
        const std::string n = oracle::randomInteger(rng, 22, false);
        cases.add("EulerVarphi " + n, lines.value("EulerVarphi(" + n + ")", "out> "), "eulerphi(" + n + ")");
        cases.add("mobius " + n, lines.value("mobius(" + n + ")", "out> "), "moebius(" + n + ")");
        cases.add("tau " + n, lines.value("tau(" + n + ")", "out> "), "numdiv(" + n + ")");
        cases.add("Factorise " + n, lines.value("Factorise(" + n + ")", "out> "), "fz(" + n + ")");
        const std::string q = oracle::randomInteger(rng, 25, false) + "7";
        cases.add("nextprime " + q, lines.value("nextprime(" + q + ")", "out> "), "nextprime(" + q + "+1)");
        cases.add("prevprime " + q, lines.value("prevprime(" + q + ")", "out> "), "precprime(" + q + "-1)");
        cases.add("Jacobi " + a + "," + odd, lines.value("Jacobi(" + a + "," + odd + ")", "result> "),
                  "kronecker(" + a + "," + odd + ")");
        cases.add("continued_fraction " + a + "/" + m, lines.value("continued_fraction(" + a + "/" + m + ")", "out> "),
                  "contfrac(" + a + "/" + m + ")");
    }
    cases.check();
}
