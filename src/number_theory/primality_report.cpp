// The long primality report of the isprime command. It keeps every line of the report;
// the verdict and the smallest divisor come from the strong tests and the factor search,
// so the report ends at once also for a large prime.
#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "number_theory/number_theory_internal.h"
#include "number_theory/factor_search.h"
#include "number_theory/prime_kernels.h"

using namespace engine;

namespace {

const char *const kTwoTo64 = "18446744073709551616";

// The trial bound of the report: above the square root, odd, and 5 modulo 6.
std::string trialBound(const std::string &sqrtText) {
    size_t point = sqrtText.find('.');
    nat::Nat m = nat::from_decimal(sqrtText.substr(0, point));
    if (point != std::string::npos) nat::add_small(m, 1);
    if (ntheory::modSmall(m, 2) == 0) nat::add_small(m, 1);
    uint32_t r = ntheory::modSmall(m, 6);
    if (r == 1) nat::add_small(m, 4);
    if (r == 3) nat::add_small(m, 2);
    return nat::to_decimal(m);
}

// The verdict line: the smallest divisor of a composite, at least 7 here.
int verdict(BigNumber &bn, const std::string &D, std::ostream &os) {
    if (bn.isPrime(D)) {
        os << "out> " << D << " is a prime";
        return 1;
    }
    nat::Nat N = nat::from_decimal(D), d = ntheory::smallestPrimeFactor(N);
    if (nat::is_zero(d)) os << "out> " << D << " is not a prime; " << ntheory::gaveUpText(N);
    else os << "out> " << D << " is not a prime, which has a divisor: " << nat::to_decimal(d);
    return 0;
}

}  // namespace

int BigNumber::isprimeVerbose(const std::string &n, std::ostream &os) {
    if (n.empty()) {
        os << "The input number is empty.";
        return -1;
    }
    std::string D(unsignedPart(n));
    if (D.empty() || !allDigits(D)) {
        os << ntheory::notNaturalText(n);
        return -1;
    }
    size_t L = D.size();
    if (L <= 20 && compareMagnitude(D, kTwoTo64) < 0) {
        uint64_t v = 0;
        ntheory::toU64(D, v);
        bool prime = is_prime_64(v);
        os << D << (prime ? " is a PRIME number.\n" : " is NOT a prime number.\n");
        return prime ? 1 : 0;
    }
    if (isEven(D)) {
        os << D << " is an even number.";
        return 0;
    }
    if (isDivisibleBy5(D)) {
        os << D << " has a divisor 5.";
        return 0;
    }
    if (isDivisibleBy3(D)) {
        os << D << " has a divisor 3.";
        return 0;
    }
    int32_t saved = precision;
    precision = 6;
    std::string m = sqrtDigitPairs(D);
    precision = saved;
    os << "sqrtnum=" << m << std::endl;
    m = trialBound(m);
    os << "\nHint> Since len(" << D << ")=" << L
       << " > 20, we use function isCompositeByLittleFermat() to check whether it is a composite.\n" << std::endl;
    if (isCompositeByLittleFermat(D)) {
        os << "rs> " << D << " is not a prime.\n" << std::endl;
    } else {
        os << "rs> " << D << " may be a prime.\nWe use Miller-Rabin algorithm to check it." << std::endl;
        if (millerRabinTest(D, 50))
            os << D << " is prime with probability 99.9999999999999999999999999999211139095%" << std::endl;
    }
    for (const char *line :
         {"the following computation will take a few while.\n", "--------------------"})
        os << line << std::endl;
    os << "we choose sqrtnum : " << m << std::endl;
    for (const char *line : {" ... since we use the traditional algorithm, ...", " ... please wait a minute ...",
                             " ... Press Ctrl+C to stop it. ...", " ... ::: ... ::: ..."})
        os << line << std::endl;
    return verdict(*this, D, os);
}
