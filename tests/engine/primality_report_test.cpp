// The long primality report: the exact text for small numbers, for the digit screens and
// for numbers above 2^64, whose verdict and divisor come without a trial loop.
#include <gtest/gtest.h>

#include "BigNumber.h"

namespace {

struct Report {
    const char *n;
    int verdict;
    std::string text;
};

const char *const kMiddle =
    "the following computation will take a few while.\n\n"
    "--------------------\n";
const char *const kWait =
    " ... since we use the traditional algorithm, ...\n"
    " ... please wait a minute ...\n"
    " ... Press Ctrl+C to stop it. ...\n"
    " ... ::: ... ::: ...\n";

std::string hint(const std::string &d) {
    return "\nHint> Since len(" + d + ")=" + std::to_string(d.size()) +
           " > 20, we use function isCompositeByLittleFermat() to check whether it is a composite.\n\n";
}

}  // namespace

TEST(PrimalityReport, Texts) {
    const std::string big = "100000000000000000019";  // 7 * 14285714285714285717
    const std::string above = "18446744073709551629";  // 2^64 + 13, prime
    const std::string odd7 = "18446744073709551649";   // 2^64 + 33 = 7 * 17 * 155014656081592871
    const Report cases[] = {
        {"", -1, "The input number is empty."},
        {"97", 1, "97 is a PRIME number.\n"},
        {"-97", 1, "97 is a PRIME number.\n"},
        {"91", 0, "91 is NOT a prime number.\n"},
        {"18446744073709551615", 0, "18446744073709551615 is NOT a prime number.\n"},
        {"18446744073709551616", 0, "18446744073709551616 is an even number."},
        {"18446744073709551625", 0, "18446744073709551625 has a divisor 5."},
        {"18446744073709551621", 0, "18446744073709551621 has a divisor 3."},
        {"12a", -1, "Error> `12a` is not a non-negative integer."},
        {"100000000000000000019", 0,
         "sqrtnum=10000000000.000000\n" + hint(big) + "rs> " + big + " is not a prime.\n\n" + kMiddle +
             "we choose sqrtnum : 10000000001\n" + kWait + "out> " + big + " is not a prime, which has a divisor: 7"},
        {"18446744073709551649", 0,
         "sqrtnum=4294967296.000000\n" + hint(odd7) + "rs> " + odd7 + " is not a prime.\n\n" + kMiddle +
             "we choose sqrtnum : 4294967297\n" + kWait + "out> " + odd7 + " is not a prime, which has a divisor: 7"},
        {"18446744073709551629", 1,
         "sqrtnum=4294967296.000000\n" + hint(above) + "rs> " + above +
             " may be a prime.\nWe use Miller-Rabin algorithm to check it.\n" + above +
             " is prime with probability 99.9999999999999999999999999999211139095%\n" + kMiddle +
             "we choose sqrtnum : 4294967297\n" + kWait + "out> " + above + " is a prime"},
    };
    for (const auto &c : cases) {
        BigNumber bn;
        std::ostringstream os;
        EXPECT_EQ(bn.isprimeVerbose(c.n, os), c.verdict) << c.n;
        EXPECT_EQ(os.str(), c.text) << c.n;
        EXPECT_EQ(bn.getPrecision(), 8);
    }
}

TEST(PrimalityReport, LargeNumbersEndAtOnce) {
    BigNumber bn;
    // a 60-digit prime and the product of two 20-digit primes: no loop to the square root
    std::ostringstream prime, semiprime;
    EXPECT_EQ(bn.isprimeVerbose("1" + std::string(57, '0') + "19", prime), 1);  // 10^59 + 19
    EXPECT_EQ(bn.isprimeVerbose("110000000000000000791000000000000001173", semiprime), 0);
    EXPECT_NE(semiprime.str().find("which has a divisor: 10000000000000000051"), std::string::npos);
}
