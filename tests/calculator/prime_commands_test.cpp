// Transcripts of the primality commands (isprime, iscomposite, ispseudoprime and the prime
// steps) and of the prime table and its listings (Primes, p, index_of_prime, list_pi_x,
// listpseudoprimes, goldbach).
#include <gtest/gtest.h>

#include <algorithm>

#include "number_command_support.h"

using namespace numbers;

namespace {

const std::string kIsprime = "This is function isprime\n";
const std::string kPrimesUsage = "usage> Primes(num) or Primes(num,true) or Primes(num,false).\n\n" + texts::rule +
                                 "\n\n>> ";

} // namespace

TEST(PrimalityCommands, Transcript) {
    HandlerCalculator h;
    expectTranscript(
        h.calculator,
        {
            // the screen answers the primes up to 23; a larger prime gets the engine's verdict
            {"isprime(7)", kIsprime + "7 = 7 is a prime number.\n" + closingBlock},
            {"isprime(97)", kIsprime + "97 is a PRIME number.\n\n" + closingBlock},
            {"isprime(91)", kIsprime + "91 = 91 is a composite number.\nIt has a divisor: 7" + closing},
            {"isprime(0)", kIsprime + "0 = 0 is neither prime nor composite." + closing},
            {"isprime(1)", kIsprime + "1 = 1 is neither prime nor composite." + closing},
            {"isprime(2^7-1)", "in> 2^7-1\n\nout> 127\n" + kIsprime +
                                   "\n2^7-1 is a Mersenne number, we use Lucas-Lehmer test.\n2^7-1 is a Mersenne prime." +
                                   closing + "127 is a PRIME number.\n\n" + closingBlock},
            {"isprime(2^11-1)", "in> 2^11-1\n\nout> 2047\n" + kIsprime +
                                    "\nwe use Lucas-Lehmer test.\n2^11-1 is a Mersenne number, but\n"
                                    "2^11-1=2047 is NOT a Mersenne prime.\n\n" +
                                    texts::rule + "\n\n>> 2047 is NOT a prime number.\n\n" + closingBlock},
            {"isprime(2^4-1)", "in> 2^4-1\n\nout> 15\n" + kIsprime +
                                   "2^4-1is NOT a Mersenne number, of course, it is NOT a Mersenne prime." + closing +
                                   "2^4-1 = 15 is a composite number.\nIt has a divisor: 3" + closing},
            {"isprime(x)", kIsprime + hint("x contains non digit char.")},
            {"isprime()", kIsprime + hint(" contains non digit char.")},
            {"iscomposite(7)", answer("0")},
            {"iscomposite(91)", "91 is a composite number.\nIt has a divisor: 7" + closing},
            {"iscomposite(1)", answer("0")},
            {"iscomposite(0)", answer("0")},
            {"iscomposite(007)", answer("0")},
            {"iscomposite(10000000019)", answer("0")},
            {"iscomposite(10007030021)", answer("1")}, // 10007 * 1000003
            {"iscomposite()", hint(" contains non digit char.")},
            {"ispseudoprime(341)", "true" + closing},
            {"ispseudoprime(1)", "false" + closing},
            {"ispseudoprime(7)", "false" + closing},
            {"nextprime(1)", answer("2")},
            {"nextprime(100)", answer("101")},
            {"prevprime(2)", answer("The input number should be greater than 2.")},
            {"prevprime(100)", answer("97")},
            {"nextMRprime(100)", answer("101")},
            {"prevMRprime(100)", answer("97")},
            {"nextMRprime(100000000000000)",
             "using Miller-Rabin algorithm to generate next prime of 100000000000000\n" + answer("100000000000031")},
            {"nextprime()", hint(" contains non digit char.")},
            {"nextprime(1.5)", hint("1.5 contains non digit char.")},
        });
}

// The verdict of 2^89 - 1 comes from the strong tests at once: no trial division to its root.
TEST(PrimalityCommands, LargeMersennePrimeEndsWithTheVerdict) {
    HandlerCalculator h;
    processInputLine("isprime(2^89-1)", h.calculator);
    const std::string shown = shownText(h.calculator);
    EXPECT_TRUE(shown.starts_with("in> 2^89-1\n\nout> 618970019642690137449562111\n" + kIsprime +
                                  "\n2^89-1 is a Mersenne number, we use Lucas-Lehmer test.\n2^89-1 is a Mersenne prime." +
                                  closing))
        << shown;
    EXPECT_TRUE(shown.ends_with("out> 618970019642690137449562111 is a prime\n" + closingBlock)) << shown;
}

TEST(PrimeTableCommands, Transcript) {
    HandlerCalculator h;
    expectTranscript(
        h.calculator,
        {
            {"p(10)", hint("You should call function Primes(100) first.")},
            {"index_of_prime(7)", hint("You should call function Primes(100) first.")},
            {"Primes(100,false)", answer("25")},
            {"p(10)", answer("29")},
            {"p(25)", answer("97")},
            {"p(26)", hint("You should call function Primes(168) first.")},
            {"p(0)", answer("The parameter n in function p(n) should be a positive integer.")},
            {"p(x)", hint("x contains non digit char, it is regarded as a std::string.")},
            {"p(4294967297)", hint("The prime table holds only the primes below 4294967296 (the first 203280221).")},
            {"index_of_prime(2)", answer("1")},
            {"index_of_prime(97)", answer("25")},
            {"index_of_prime(101)", hint("You should call function Primes(101) first.")},
            {"index_of_prime(91)", hint("91 is not a prime.")},
            {"index_of_prime(4294967311)",
             hint("The prime table holds only the primes below 4294967296 (the first 203280221).")},
            // a bare Primes lists the primes in the answer
            {"Primes(10)", "2,3,5,7,\n\nTime used:     000\n" + answer("4")},
            {"Primes(30,YES)", "2,3,5,7,11,13,17,19,23,29,\n\nTime used:     000\n" + answer("10")},
            {"Primes(1,false)", answer("0")},
            {"p(1)", hint("You should call function Primes(100) first.")},
            {"Primes(1.5)", "hint> `1.5` may contain non digit char, it is regarded as a std::string.\n" + kPrimesUsage},
            {"Primes()", "hint> `` may contain non digit char, it is regarded as a std::string.\n" + kPrimesUsage},
            {"Primes(100,0)", "hint> `100` may contain non digit char, it is regarded as a std::string.\n" + kPrimesUsage},
            {"Primes(5000000000,false)", hint("The bound 5000000000 is too large: primes are sieved below 4294967296.")},
            {"list_pi_x(10,7)", "x\tpi(x)\n----------------\n10\t4\n9\t4\n8\t4\n7\t4\n----------------\n\n\n>> "},
            {"list_pi_x(1,x)", "\n----------error--------------\n\n>> "},
            {"list_pi_x(1,100000000)",
             "hint> The range from 1 to 100000000 is too long: at most 1000000 numbers are listed.\n\n>> "},
            {"listpseudoprimes(1000)", "341\n561\n645\n\n" + texts::rule + "\nTotal: 3 pseudo primes.\n\n>> "},
            {"listpseudoprimes(1)", "\n" + texts::rule + "\nTotal: 0 pseudo primes.\n\n>> "},
            {"listpseudoprimes(1000000000)",
             hint("1000000000 is out of range: an integer from 0 to 100000000 is needed here.")},
            {"goldbach(10)", "10 == 3 + 7\n10 == 5 + 5\n\nTotal: 2\n" + texts::rule + "\n\n>> "},
            {"goldbach(3)", "The input number should be greater than 4.\n\nTotal: 0\n" + texts::rule + "\n\n>> "},
            {"goldbach(15)", "15 == 3 + 5 + 7\n15 == 5 + 5 + 5\n\nTotal: 2\n" + texts::rule + "\n\n>> "},
            // goldbach sieves the table anew, up to its number
            {"goldbach(100)", "100 == 3 + 97\n100 == 11 + 89\n100 == 17 + 83\n100 == 29 + 71\n100 == 41 + 59\n"
                              "100 == 47 + 53\n\nTotal: 6\n" +
                                  texts::rule + "\n\n>> "},
            {"p(25)", answer("97")},
            {"goldbach(x)", hint("x contains non digit char.")},
        });
}

// An odd number has about n^2 decompositions: the listing is cut, the count is whole.
TEST(PrimeTableCommands, LongGoldbachListingIsCut) {
    HandlerCalculator h;
    processInputLine("goldbach(99999)", h.calculator);
    const std::string shown = shownText(h.calculator);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), '\n'), 10000 + 5);
    EXPECT_TRUE(shown.ends_with("... only the first 10000 lines are shown.\n\nTotal: 686402\n" + texts::rule +
                                "\n\n>> "))
        << shown.substr(shown.size() - 200);
}

// At the default precision the script's natives answer Primes, gcd, factorial and
// multiplicativeOrder first; the same rules hold on that road.
TEST(PrimeTableCommands, NativeRoadKeepsTheRules) {
    HandlerCalculator h(8);
    expectTranscript(h.calculator,
                     {
                         {"Primes(30)", "[2, 3, 5, 7, 11, 13, 17, 19, 23, 29]"},
                         {"Primes(1000,false)", "168"},
                         {"p(168)", answer("997")},
                         {"p(10)", answer("29")},
                         {"index_of_prime(29)", answer("10")},
                         {"Primes(10^12)", "hint> `10^12` may contain non digit char, it is regarded as a "
                                           "std::string.\n" + kPrimesUsage},
                         {"gcd(0,0)", "0"},
                         {"gcd(12,-6)", "6"},
                         {"factorial(0)", "1"},
                         {"multiplicativeOrder(2,4)", hint("The number 2 and 4 should be coprime.")},
                         {"multiplicativeOrder(1,0)", hint("The modulus should not be 0.")},
                     });
}
