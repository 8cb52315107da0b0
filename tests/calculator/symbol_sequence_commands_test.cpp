// Transcripts of the symbol and p-adic commands (Legendre, Jacobi, ord_p, norm_p) and of the
// sequence commands (Farey, farey, continued_fraction, fibonacci, Fibonacci, Collatz,
// print3x1Maps).
#include <gtest/gtest.h>

#include <filesystem>

#include "number_command_support.h"

using namespace numbers;

namespace {

std::string result(const std::string &value) { return "result> " + value + closing; }

// The Collatz commands append their orbits to files in the working folder: a folder of the
// test's own.
class InScratchFolder {
  public:
    InScratchFolder() : saved_(std::filesystem::current_path()) {
        folder_ = std::filesystem::temp_directory_path() / ("kavlo-collatz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder_);
        std::filesystem::current_path(folder_);
    }
    ~InScratchFolder() {
        std::filesystem::current_path(saved_);
        std::filesystem::remove_all(folder_);
    }

  private:
    std::filesystem::path saved_, folder_;
};

} // namespace

TEST(SymbolCommands, Transcript) {
    HandlerCalculator h;
    expectTranscript(h.calculator,
                     {
                         {"Legendre(2,7)", result("1")},
                         {"Legendre(3,7)", result("-1")},
                         {"Legendre(14,7)", result("0")},
                         // the minus of -1 is read back
                         {"Legendre(-1,7)", result("-1")},
                         {"Legendre(3,7,show)", "\n(3|7) = (3|7)\n\n(3|7) = -(7|3) = -(1|3) = -1\n\n-------\n" +
                                                    result("-1")},
                         {"Legendre(3,7,yes)", result("-1")},
                         {"Legendre(1,2,3,4)", "syntax> Legendre(a,p) or Legendre(a,p,show)" + closing},
                         {"Legendre(3,9)", hint("9 is not an odd prime.")},
                         {"Legendre(3,2)", hint("2 is not an odd prime.")},
                         {"Legendre(x,7)", hint("x is not a decimal integer.")},
                         {"Jacobi(2,15)", result("1")},
                         {"Jacobi(-1,15)", result("-1")},
                         {"Jacobi(2,15,show)", "\n(2|15) = (2|3)(2|5)\n\n(2|3) = -1\n(2|5) = -1\n-------\n" + result("1")},
                         {"Jacobi(3,8)", hint("8 is not an odd positive integer.")},
                         {"Jacobi(1,2,3,4)", "syntax> Jacobi(a,p) or Jacobi(a,p,show)" + closing},
                         {"ord_p(72,2)", answer("3")},
                         {"ord_p(3/8,2)", answer("-3")},
                         {"ord_p(-72,2)", answer("3")},
                         {"ord_p(0,5)", hint("0 has no prime factorisation: its order is infinite.")},
                         {"ord_p(8,1)", hint("1 is not a prime.")},
                         {"ord_p(8,0)", hint("0 is not a prime.")},
                         {"ord_p(8,4294967298)", hint("4294967298 is not a prime.")},
                         {"ord_p(49,a)", hint("a is not a prime.")},
                         {"ord_p(1a,2)", hint("1a contains non digit char.")},
                         {"ord_p(3/0,2)", hint("3/0 contains non digit char.")},
                         {"norm_p(72,2)", answer("1|8")},
                         {"norm_p(3/8,2)", answer("8")},
                         {"norm_p(5,2)", answer("1")},
                         {"norm_p(0,3)", answer("0")},
                         {"norm_p(8,1)", hint("1 is not a prime.")},
                     });
}

TEST(SequenceCommands, Transcript) {
    InScratchFolder scratch;
    HandlerCalculator h;
    expectTranscript(
        h.calculator,
        {
            {"Farey(5)", "out> (0/1,1/5,1/4,1/3,2/5,1/2,3/5,2/3,3/4,4/5,1/1)\n\nTotal = 11\n" + closingBlock},
            // farey also writes each fraction's continued fraction
            {"farey(3)", "1/3 = (0,3)\n1/2 = (0,2)\n2/3 = (0,1,2)\n\nout> (0/1,1/3,1/2,2/3,1/1)\n\nTotal = 5\n" +
                             closingBlock},
            {"Farey(0)", hint("0 is not a positive integer.")},
            {"Farey(x)", hint("x is not a positive integer.")},
            {"Farey(100000)", hint("100000 is out of range: an integer from 1 to 1000 is needed here.")},
            {"continued_fraction(677/263)", "\nout> (2,1,1,2,1,6,1,4)\n" + closingBlock},
            {"continued_fraction(677/263,t,t,t)",
             "\nout> (2,1,1,2,1,6,1,4)\n\nExpression:\n2+1/(1+1/(1+1/(2+1/(1+1/(6+1/(1+1/(4)))))))\n\nDetail:\n"
             "q=2; r2=151\nq=1; r2=112\nq=1; r2=39\nq=2; r2=34\nq=1; r2=5\nq=6; r2=4\nq=1; r2=1\nq=4; r2=0\n\n\n"
             "TeX Code:\n2+\\frac{1}{1+\\frac{1}{1+\\frac{1}{2+\\frac{1}{1+\\frac{1}{6+\\frac{1}{1+\\frac{1}{4}}}}}}}" +
                 closingBlock},
            {"continued_fraction(2,1,1,2)", "out> 13|5\n\nExpression:\n2+1/(1+1/(1+1/(2)))\n\nTeX Code:\n"
                                            "2+\\frac{1}{1+\\frac{1}{1+\\frac{1}{2}}}\n" +
                                                closingBlock},
            {"continued_fraction(x)", "str=x\n\nout> Error: Invalid number input.\n" + closingBlock},
            {"fibonacci(10)", "\nF(10) = 55\n" + closingBlock},
            {"fibonacci(-5)", "\nF(-5) = 5\n" + closingBlock},
            {"fibonacci(2.6)", "\nF(3) = 2\n" + closingBlock},
            {"fibonacci(10,yes)", "\n0,1,1,2,3,5,8,13,21,34,55,\n\n" + texts::rule + "\n\nF(10) = 55\n" + closingBlock},
            {"fibonacci(10,xyz)", "Usage:\nFibonacci(n) or Fibonacci(n,true) or Fibonacci(n,formula) \n\n" + texts::rule +
                                      "\n\nF(10) = 55\n" + closingBlock},
            {"fibonacci(4294967296)",
             hint("4294967296 is out of range: an integer from -2147483647 to 2147483647 is needed here.")},
            {"fibonacci(x)", hint("x must be a nonnegative integer.")},
            {"Fibonacci(10)", "\nF(10)=55\n" + closingBlock},
            {"Fibonacci(-5)", "\nF(-5)=5\n" + closingBlock},
            {"Collatz(6)", "out> -----------------------------\nCollatz(6)\n6-->3-->10-->5-->16-->8-->4-->2-->1\n\n"
                           "count: 8\n---------------\n8\n" +
                               closingBlock},
            {"Collatz(2*3)", "in> 2*3\n\nout> 6\nout> -----------------------------\nCollatz(6)\n"
                             "6-->3-->10-->5-->16-->8-->4-->2-->1\n\ncount: 8\n---------------\n8\n" +
                                 closingBlock},
            {"Collatz(0)", hint("0 is not a positive integer.")},
            {"Collatz(-3)", "in> 0-3\n\nout> -3\n" + hint("-3 is not a positive integer.")},
            {"Collatz(x)", hint("x is not a valid infix expression.")},
            {"print3x1Maps(1,5)", "1\n\n2-->1\n\n3-->10-->5-->16-->8-->4-->2-->1\n\n4-->2-->1\n\n"
                                  "5-->16-->8-->4-->2-->1\n\n\n>> "},
            {"print3x1Maps(0,1)", "Error: the start value of a Collatz sequence should be a positive integer.\n\n>> "},
            {"print3x1Maps(5,1)", "1 is less than 5\n\n>> "},
            {"print3x1Maps(a,1)", "\n----------error--------------\n\n>> "},
        });
    EXPECT_TRUE(std::filesystem::exists("CollatzMap.txt"));
    EXPECT_TRUE(std::filesystem::exists("CollatzMaps.txt"));
}

TEST(SequenceCommands, FibonacciIntroduction) {
    HandlerCalculator h;
    processInputLine("fibonacci(5,formula)", h.calculator);
    const std::string shown = shownText(h.calculator);
    EXPECT_TRUE(shown.starts_with("\n斐波那契数列 Fibonacci(n), 或简记为 F(n), 定义为 F(n)=F(n-1)+F(n-2)."));
    EXPECT_TRUE(shown.ends_with("5^{\\frac{m-1}{2}})\n\n" + texts::rule + "\n\nF(5) = 5\n" + closingBlock)) << shown;
}
