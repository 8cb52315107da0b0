// A stop request ends the engine's long loops: the sieve, the factor searches, prime
// stepping, series and the long products and divisions under everything else. The member
// throws EngineStopped at its next look; once the request is cleared the engine answers as
// before, with nothing of the stopped computation left behind.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "BigNumber.h"
#include "stop_request.h"

namespace {

class StopRequestTest : public ::testing::Test {
  protected:
    void TearDown() override { clearEngineStop(); }
    BigNumber bn;
};

struct LongComputation {
    const char *name;
    std::function<void(BigNumber &)> run;
};

const std::string kLongDigits(200000, '7');

TEST_F(StopRequestTest, EveryLongLoopEndsAtAStopRequest) {
    const LongComputation computations[] = {
        {"sieve", [](BigNumber &e) { e.Primes(int64_t(3000000000), false); }},
        // a product of two 31-digit numbers without small factors: past trial division
        {"factor search", [](BigNumber &e) {
             const std::string n = e.multiplication("1000000000000000000000000000057", "1000000000000000000000000000621");
             e.factoriseText(n, 0, false);
         }},
        {"prime step", [](BigNumber &e) {
             std::string n = "1" + std::string(3000, '0');
             e.nextPrime(n);
         }},
        {"series", [](BigNumber &e) {
             std::ostringstream out;
             e.sumSeries("k^2", "k", "1", "100000", false, false, out);
         }},
        {"long product", [](BigNumber &e) { e.multiplication(kLongDigits, kLongDigits); }},
        {"long division", [](BigNumber &e) { e.int_division(kLongDigits + kLongDigits, kLongDigits); }},
    };
    requestEngineStop();
    for (const LongComputation &c : computations) EXPECT_THROW(c.run(bn), EngineStopped) << c.name;
}

// The sieve fills its table only once complete: a stopped one leaves the table it found.
TEST_F(StopRequestTest, AStoppedSieveLeavesThePrimeTableAsItWas) {
    ASSERT_EQ(bn.Primes(100, false), 25);
    std::thread stopper([] {
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
        requestEngineStop();
    });
    EXPECT_THROW(bn.Primes(int64_t(4000000000), false), EngineStopped);
    stopper.join();
    clearEngineStop();
    ASSERT_EQ(bn.primeTable.size(), 25u);
    EXPECT_EQ(bn.primeTable.back(), 97u);
    EXPECT_EQ(bn.multiplication("6", "7"), "42");
}

} // namespace
