// The primes next to a number. Below 2^64 the candidates are tested in machine words; above,
// a window of odd candidates is first sieved by the small primes, so only the few that
// survive get a strong probable-prime test.
#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "number_theory/number_theory_internal.h"
#include "number_theory/prime_kernels.h"
#include "stop_request.h"

namespace {

constexpr uint64_t kMaxU64 = ~uint64_t(0);
constexpr uint64_t kLargestPrimeU64 = kMaxU64 - 58;  // 2^64 - 59

// The nearest prime above n (up) or below it; n odd or even, far above the sieve primes.
nat::Nat nearestPrime(const nat::Nat &n, bool up) {
    size_t bits = ntheory::bitLength(ntheory::toWords(n));
    const uint32_t sieveBound = uint32_t(std::min<size_t>(ntheory::kSmallPrimeBound, std::max<size_t>(256, bits * bits / 4)));
    const size_t window = std::max<size_t>(64, 2 * bits);  // odd candidates a window
    nat::Nat start = n;
    if (up) nat::add_small(start, ntheory::modSmall(n, 2) ? 2 : 1);
    else nat::sub_small(start, ntheory::modSmall(n, 2) ? 2 : 1);
    std::vector<uint8_t> composite(window);
    for (;;) {
        engineStopPoint();
        std::fill(composite.begin(), composite.end(), uint8_t(0));
        for (uint32_t p : ntheory::smallPrimes()) {
            if (p == 2) continue;
            if (p >= sieveBound) break;
            // the index i with start +- 2i = 0 (mod p), from the inverse (p + 1)/2 of 2
            uint64_t r = ntheory::modSmall(start, p), half = (p + 1) / 2;
            uint64_t i = (up ? (p - r) % p : r) * half % p;
            for (; i < window; i += p) composite[i] = 1;
        }
        for (size_t i = 0; i < window; i++) {
            if (composite[i]) continue;
            nat::Nat candidate = up ? nat::add(start, nat::from_u64(2 * i)) : nat::sub(start, nat::from_u64(2 * i));
            if (ntheory::isProbablePrime(candidate)) return candidate;
        }
        start = up ? nat::add(start, nat::from_u64(2 * window)) : nat::sub(start, nat::from_u64(2 * window));
    }
}

// The step texts of the search: the prime next to n that is found by the caller's test.
std::string step(const std::string &digits, bool up) {
    uint64_t v;
    if (ntheory::toU64(digits, v) && (!up || v < kLargestPrimeU64)) {
        do v = up ? v + 1 : v - 1;
        while (!ntheory::isPrimeU64(v));
        return BigNumber::ull2string(v);
    }
    return nat::to_decimal(nearestPrime(nat::from_decimal(digits), up));
}

// The answers that are no search: above 0, 1 and 2, and below 0 to 3.
bool fixedAnswer(const std::string &digits, bool up, std::string &answer) {
    if (up && (digits == "0" || digits == "1")) answer = "2";
    else if (up && digits == "2") answer = "3";
    else if (!up && (digits == "0" || digits == "1" || digits == "2"))
        answer = "The input number should be greater than 2.";
    else if (!up && digits == "3") answer = "2";
    else return false;
    return true;
}

}  // namespace

std::string &BigNumber::nextPrime(std::string &n) {
    std::string digits;
    if (!ntheory::naturalDigits(n, digits)) return result = ntheory::notNaturalText(n);
    if (fixedAnswer(digits, true, result)) return result;
    return result = n = step(digits, true);
}

std::string &BigNumber::prevPrime(std::string &n) {
    std::string digits;
    if (!ntheory::naturalDigits(n, digits)) return result = ntheory::notNaturalText(n);
    if (fixedAnswer(digits, false, result)) return result;
    return result = n = step(digits, false);
}

// The probable-prime searches: short numbers go to the exact ones; the notice comes first.
static std::string &probablePrimeStep(BigNumber &bn, std::string &n, bool up) {
    if (n.size() < 14) return up ? bn.nextPrime(n) : bn.prevPrime(n);
    std::string digits;
    if (!ntheory::naturalDigits(n, digits)) return bn.getResult() = ntheory::notNaturalText(n);
    bn.outStream << "using Miller-Rabin algorithm to generate " << (up ? "next" : "previous") << " prime of " << n
                 << std::endl;
    if (fixedAnswer(digits, up, bn.getResult())) return bn.getResult();
    return bn.getResult() = n = step(digits, up);
}

std::string &BigNumber::nextMRprime(std::string &n) { return probablePrimeStep(*this, n, true); }

std::string &BigNumber::prevMRprime(std::string &n) { return probablePrimeStep(*this, n, false); }
