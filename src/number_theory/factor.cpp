// Factorisation of integer texts and its printed forms. Every driver takes the complete
// factorisation from the factor search at once (rho and elliptic curves on machine words,
// see factor_search.cpp), so no loop runs up to a square root; the texts are the ones of
// a search for the smallest factor repeated from the previous factor on.
#include <algorithm>

#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "number_theory/factor_search.h"
#include "number_theory/number_theory_internal.h"
#include "number_theory/prime_kernels.h"

using namespace engine;

namespace {

std::string join(const std::vector<std::string> &parts, const char *separator) {
    std::string out;
    for (size_t i = 0; i < parts.size(); i++) out += (i ? separator : "") + parts[i];
    return out;
}

// The prime factors of n as texts, ascending with repetition; n itself alone for 0, 1
// and a prime. False with the answer text in `error` for a bad argument or a composite
// that resisted the search.
bool factorTexts(const std::string &n, std::vector<std::string> &factors, std::string &error) {
    std::string digits;
    std::vector<nat::Nat> primes;
    if (!ntheory::naturalFactors(n, digits, primes, error)) return false;
    factors.clear();
    for (const auto &p : primes) factors.push_back(nat::to_decimal(p));
    if (factors.empty()) factors.push_back(digits);
    return true;
}

// The factors joined by "*", or the answer text when there are none; echoed with a line end.
std::string productText(const std::string &n, std::ostream &echoTo, bool echo) {
    std::vector<std::string> factors;
    std::string text;
    if (!factorTexts(n, factors, text)) return text;
    text = join(factors, "*");
    if (echo) echoTo << text << std::endl;
    return text;
}

// The smallest divisor d of n with c <= d < r (all of n's divisors are odd here); n when
// there is none. Mostly the smallest prime factor; only a start beyond it needs all the
// divisors.
std::string smallestDivisorBetween(const std::string &n, const nat::Nat &c, const nat::Nat &r) {
    if (nat::compare(c, r) >= 0) return n;
    nat::Nat N = nat::from_decimal(n);
    nat::Nat best = ntheory::smallestPrimeFactor(N);
    if (nat::is_zero(best)) return ntheory::gaveUpText(N);
    if (nat::compare(best, c) < 0) {
        std::vector<std::string> factors;
        std::string error;
        if (!factorTexts(n, factors, error)) return error;
        std::vector<std::pair<nat::Nat, int32_t>> pe;
        for (auto &[p, e] : ntheory::runsOf(factors)) pe.emplace_back(nat::from_decimal(p), e);
        // depth first over the divisors; a branch ends as soon as its divisor reaches c
        best.clear();
        auto search = [&](auto &&self, size_t i, const nat::Nat &d) -> void {
            if (nat::compare(d, c) >= 0) {
                if (nat::is_zero(best) || nat::compare(d, best) < 0) best = d;
                return;
            }
            nat::Nat x = d;
            for (int32_t e = 0; i < pe.size() && e <= pe[i].second; e++) {
                if (!nat::is_zero(best) && nat::compare(x, best) >= 0) break;
                self(self, i + 1, x);
                x = nat::mul(x, pe[i].first);
            }
        };
        search(search, 0, nat::Nat{1});
    }
    return !nat::is_zero(best) && nat::compare(best, r) < 0 ? nat::to_decimal(best) : n;
}

// Steps 4 to 7 of the trial search: candidates from c = max(23, start) (odd) below the
// odd bound r just above the square root; with `fallBack`, c = 3 when r is below c.
std::string divisorSearch(const std::string &n, const std::string &start, bool fallBack) {
    nat::Nat N = nat::from_decimal(n);
    nat::Nat r = nat::root(N, 2);
    nat::add_small(r, 1);
    if (ntheory::modSmall(r, 2) == 0) nat::add_small(r, 1);
    std::string s;
    nat::Nat S = ntheory::naturalDigits(start, s) ? nat::from_decimal(s) : nat::Nat{2};
    nat::Nat c{23};
    if (nat::compare(c, S) < 0) {
        c = S;
        if (ntheory::modSmall(c, 2) == 0) nat::add_small(c, 1);
    }
    if (nat::compare(r, S) < 0) c = r;
    if (fallBack && nat::compare(r, nat::Nat{100}) < 0 && nat::compare(r, c) < 0) c = nat::Nat{3};
    return smallestDivisorBetween(n, c, r);
}

}  // namespace

std::string &BigNumber::firstFactor(const std::string &n, const std::string &start, size_t threshold) {
    if (n.size() > threshold) return firstFactorMR(n, "2", 14);
    std::string d;
    if (!ntheory::naturalDigits(n, d)) return result = ntheory::notNaturalText(n);
    if (d == "0" || d == "1" || d == "2" || d == "3" || d == "5" || d == "7") return result = d;
    int code = smallestSmallDivisor(d);
    if (code >= 2) return result = std::to_string(code);
    if (code == 1) return result = d;
    return result = divisorSearch(d, start, true);
}

std::string &BigNumber::firstFactorMR(const std::string &n, const std::string &start, size_t threshold) {
    if (n.size() <= threshold) return firstFactor(n, start, threshold);
    std::string d;
    if (!ntheory::naturalDigits(n, d)) return result = ntheory::notNaturalText(n);
    int code = smallestSmallDivisor(d);
    if (code >= 2) return result = std::to_string(code);
    if (isPrime(d)) return result = d;
    return result = divisorSearch(d, start, false);
}

std::string &BigNumber::factoriseToList(const std::string &n, std::set<std::string> &primes, size_t) {
    primes.clear();
    std::vector<std::string> factors;
    std::string error;
    if (!factorTexts(n, factors, error)) return result = error;
    primes.insert(factors.begin(), factors.end());
    return result = join(factors, "*");
}

std::string &BigNumber::factorsToString(const std::string &n, std::vector<std::string> &factors, size_t,
                                        bool echo) {
    factors.clear();
    std::string error;
    if (!factorTexts(n, factors, error)) return result = error;
    if (factors.size() == 1) {  // 0, 1 or a prime: echoed, and the text is empty
        if (echo) outStream << factors[0] << std::endl;
        return result = "";
    }
    result = join(factors, "*");
    if (echo) outStream << result << std::endl;
    return result;
}

std::string &BigNumber::factoriseText(const std::string &n, size_t threshold, bool echo) {
    if (n.size() > threshold) return factorsToStringMR(n, threshold, echo);
    return result = productText(n, outStream, echo);
}

std::string &BigNumber::factorsToStringMR(const std::string &n, size_t threshold, bool echo) {
    if (n.size() <= threshold) return factoriseText(n, threshold, echo);
    return result = productText(n, outStream, echo);
}

int BigNumber::factoriseToMap(const std::string &n, std::map<std::string, int32_t> &table, size_t) {
    table.clear();
    std::vector<std::string> factors;
    std::string error;
    if (!factorTexts(n, factors, error)) {
        result = error;
        return -1;
    }
    for (auto &[p, e] : ntheory::runsOf(factors)) table[p] = e;
    result = factors.size() == 1 && factors[0] == "1" ? "1" : join(factors, "*");
    return int(table.size());
}

std::string &BigNumber::factorisePowerText(const std::string &n, std::map<std::string, int32_t> &table, int,
                                           bool print) {
    table.clear();
    std::vector<std::string> factors;
    if (!factorTexts(n, factors, result)) return result;
    std::vector<std::string> parts;
    for (auto &[p, e] : ntheory::runsOf(factors)) {
        table[p] = e;
        parts.push_back(p + "^" + std::to_string(e));
    }
    result = factors.size() == 1 && factors[0] == "1" ? "1" : join(parts, "*");
    if (print) outStream << result << std::endl;
    return result;
}

int BigNumber::stripPowersOfTwo(const std::string &n, std::string &odd) {
    std::string digits;
    if (!ntheory::naturalDigits(n, digits) || digits == "0") {
        odd = n;
        return 0;
    }
    nat::Nat N = nat::from_decimal(digits), q;
    int count = 0;
    while (nat::divmod_small(N, 2, q) == 0) {
        N.swap(q);
        count++;
    }
    odd = nat::to_decimal(N);
    return count;
}

std::string &BigNumber::factorise_with_exponents(const std::string &n) {
    std::vector<std::string> factors;
    std::string error;
    if (!factorTexts(n, factors, error)) return result = error;
    outStream << n << " == " << join(factors, "*") << std::endl;
    auto runs = ntheory::runsOf(factors);
    std::string text = n + " == ";
    std::vector<std::string> all;
    for (size_t i = 0; i < runs.size(); i++) {
        auto &[p, e] = runs[i];
        all.push_back(p + "^" + std::to_string(e));
        text += e > 1 || runs.size() == 1 ? all.back() : p;
        if (i + 1 < runs.size()) text += "*";
    }
    outStream << (runs.size() > 1 ? join(all, "*") : text) << std::endl;
    return result = text;
}

std::string &BigNumber::factorise_analysis(const std::string &n) {
    std::vector<std::string> factors;
    std::string error;
    if (!factorTexts(n, factors, error)) return result = error;
    auto lines = [&](const std::string &delta, const std::string &epsilon, const std::string &xi) {
        return "\n\n\tdelta(" + n + ") = " + delta + "\n\tepsilon(" + n + ") = " + epsilon + "\n\txi(" + n + ") = " + xi;
    };
    if (factors[0] == "1") {
        outStream << n << " == 1";
        return result = n + " == 1" + lines("1", "1", "-1");
    }
    int32_t twos = 0;
    std::vector<std::pair<std::string, int32_t>> ones, threes;  // primes 4k+1 and 4k+3
    for (auto &[p, e] : ntheory::runsOf(factors)) {
        if (p == "2") twos = e;
        else if (ntheory::modSmall(nat::from_decimal(p), 4) == 1) ones.emplace_back(p, e);
        else if (ntheory::modSmall(nat::from_decimal(p), 4) == 3) threes.emplace_back(p, e);
    }
    auto part = [](const std::vector<std::pair<std::string, int32_t>> &primes) {
        std::vector<std::string> pieces;
        for (auto &[p, e] : primes) pieces.push_back(e == 1 ? p : p + "^" + std::to_string(e));
        return join(pieces, "*");
    };
    std::string text = n + " == ";
    if (twos > 0) {
        std::string piece = twos == 1 ? "2" : "2^" + std::to_string(twos);
        text += piece;
        outStream << n << " == " << piece << std::endl;
    }
    for (auto *group : {&ones, &threes}) {
        if (group->empty()) continue;
        bool before = twos > 0 || (group == &threes && !ones.empty());
        std::string piece = (before ? " * " : "") + part(*group);
        text += piece;
        outStream << piece;
    }
    bool oddThree = false, oddBeyondTwo = false;  // some exponent of a 4k+3 prime, of any odd prime, is odd
    nat::Nat delta{1};
    for (auto &[p, e] : ones) {
        nat::mul_small(delta, nat::Limb(e + 1));
        oddBeyondTwo = oddBeyondTwo || e % 2 == 1;
    }
    for (auto &[p, e] : threes) {
        oddThree = oddThree || e % 2 == 1;
        oddBeyondTwo = oddBeyondTwo || e % 2 == 1;
    }
    std::string epsilon = !oddBeyondTwo && twos % 2 == 0 ? "1" : "0";  // n is a square
    std::string xi = oddBeyondTwo ? "0" : twos % 2 == 0 ? "-1" : "1";  // a square, or twice one
    return result = text + lines(oddThree ? "0" : nat::to_decimal(delta), epsilon, xi);
}
