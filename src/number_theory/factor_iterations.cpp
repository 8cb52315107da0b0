// Two walks on the prime factors of a number, until a prime is reached: joining the
// factors into a new number (the home prime), or adding them. Neither is known to end for
// every start (the home prime of 49 is not known), the sum of the factors of 4 is 4 again,
// and the joined numbers grow by a digit or two a step while their factors get harder to
// find: the walks stop after a fixed number of steps, at a number met before, or before a
// number too long to factorise in reasonable time, and say so.
#include <set>
#include <utility>

#include "BigNumber.h"
#include "number_routines.h"
#include "number_theory/routines_internal.h"

namespace {

constexpr size_t kThreshold = 10;
constexpr int kMaxSteps = 40;
constexpr size_t kMaxDigits = 40;

template <typename NextNumber> int factorWalk(const std::string &n, std::ostream &out, NextNumber next) {
    BigNumber bn;
    std::string F = bn.factoriseText(n, kThreshold, false);
    int count = 1;
    out << n << "==" << F << std::endl;
    bool longNoted = false;
    std::set<std::string> seen = {bn.stripLeadingZeros(n)};
    while (F.find('*') != std::string::npos) {
        if (count == kMaxSteps) {
            out << "Stopped after " << kMaxSteps << " steps: no prime was reached." << std::endl;
            break;
        }
        auto [shown, N] = next(bn, F);
        if (!seen.insert(N).second) {
            out << "Stopped at " << N << ", met before: the walk repeats." << std::endl;
            break;
        }
        if (N.size() > kMaxDigits) {
            out << "Stopped after " << count << " steps: the next number, " << shown << ", has more than "
                << kMaxDigits << " digits." << std::endl;
            break;
        }
        out << shown << "==";
        if (N.size() > kThreshold) {
            if (!longNoted) {
                out << "\nIts length=" << N.size() << " > " << kThreshold << std::endl
                    << "We use factorising by Miller-Rabin prime test, but not yafu. Yafu is much faster.\n"
                    << std::endl;
                longNoted = true;
            }
            F = bn.factorsToStringMR(N, kThreshold, false);
        } else {
            F = bn.factoriseText(N, kThreshold, false);
        }
        count++;
        out << F << std::endl;
    }
    out << std::endl;
    return count;
}

}  // namespace

int duanwu_join_factors(const std::string &n, std::ostream &out) {
    return factorWalk(n, out, [](BigNumber &, const std::string &F) {
        std::string N;
        for (char c : F)
            if (c != '*') N += c;
        return std::pair{N, N};
    });
}

int duanwu_add_factors(const std::string &n, std::ostream &out) {
    return factorWalk(n, out, [](BigNumber &bn, const std::string &F) {
        std::string terms = F;
        for (char &c : terms)
            if (c == '*') c = '+';
        return std::pair{terms, routines::numericalValue(bn, terms)};
    });
}
