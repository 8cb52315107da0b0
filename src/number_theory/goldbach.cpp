// Goldbach decompositions: an even number as a sum of two odd primes, an odd one as a sum
// of three. Below 2^32 the primes come from the engine's prime table; longer numbers are
// tested one candidate at a time on texts. Both searches stop after a fixed number of
// candidates and say so: the work grows with the number itself (beyond any wait on twenty
// digits) and the three-prime search with its square.
#include "BigNumber.h"
#include "number_theory/number_theory_internal.h"
#include "stop_request.h"

namespace {

constexpr const char *kTooSmall = "The input number should be greater than 4.";
constexpr int64_t kMaxTableCandidates = 5000000;
constexpr int64_t kMaxTextCandidates = 200000;

void stopped(std::ostream &out, int64_t candidates) {
    out << "Stopped after " << candidates << " candidates: the list is not complete." << std::endl;
}

// The answers below 6: the message below 4, the one decomposition of 4 and of 5. False for
// larger numbers.
bool smallCase(int64_t n, std::ostream &out, const char *ending, int64_t &count) {
    if (n >= 6) return false;
    if (n < 4) out << kTooSmall << "\n";
    else out << n << (n == 4 ? " = 2 + 2" : " = 2 + 3") << ending;
    count = n < 4 ? 0 : 1;
    return true;
}

}  // namespace

int64_t BigNumber::goldbach_decompose(int64_t n, std::ostream &out) {
    int64_t count = 0, candidates = 0;
    if (smallCase(n, out, " \n", count)) return count;
    if (uint64_t(n) >= ntheory::kSieveLimit) {
        out << ntheory::refusedBoundText(std::to_string(n)) << std::endl;
        return 0;
    }
    primeTable.clear();
    Primes(n, false);
    const std::vector<uint64_t> &table = primeTable;
    auto isTablePrime = [&](int64_t v) { return binarySearchPrime(table, v) > 0; };
    for (size_t i = 1; i < table.size(); i++) {
        engineStopPoint(i);
        int64_t p = int64_t(table[i]);
        if (n % 2 == 0) {
            if (p > n / 2) break;
            if (++candidates > kMaxTableCandidates) {
                stopped(out, kMaxTableCandidates);
                return count;
            }
            if (!isTablePrime(n - p)) continue;
            out << n << " == " << p << " + " << n - p << "\n";
            count++;
            continue;
        }
        if (p > n / 3) break;
        for (size_t j = i; j < table.size(); j++) {
            int64_t q = int64_t(table[j]), r = n - p - q;
            if (r < q) break;
            if (++candidates > kMaxTableCandidates) {
                stopped(out, kMaxTableCandidates);
                return count;
            }
            if (!isTablePrime(r)) continue;
            out << n << " == " << p << " + " << q << " + " << r << "\n";
            count++;
        }
    }
    return count;
}

namespace {

struct TextSearch {
    BigNumber &bn;
    std::ostream &out;
    int64_t candidates = 0;
    bool exhausted = false;

    bool spend() {
        if (exhausted) return false;
        if (++candidates <= kMaxTextCandidates) return true;
        exhausted = true;
        stopped(out, kMaxTextCandidates);
        return false;
    }

    int64_t decompose(const std::string &n, bool prefix, const std::string &start) {
        int64_t count = 0;
        if (n.size() == 1 && smallCase(n[0] - '0', out, "\n", count)) return count;
        if (BigNumber::isEven(n)) {
            std::string h = bn.int_division(n, "2");
            if (!BigNumber::isEven(h)) h = bn.addition(h, "1");
            for (std::string d = start; bn.isLessThan(d, h) && spend(); d = bn.addition(d, "2")) {
                engineStopPoint();
                if (!bn.isPrime(d)) continue;
                std::string b = bn.int_subtraction(n, d);
                if (!bn.isPrime(b)) continue;
                if (prefix) out << start << " + ";
                out << d << " + " << b << std::endl;
                count++;
            }
            return count;
        }
        std::string t = bn.int_quotient(n, "3");
        if (!BigNumber::isEven(t)) t = bn.addition(t, "1");
        std::string q = start;
        do {
            if (!spend()) break;
            if (bn.isPrime(q)) {
                std::string rest = bn.int_subtraction(n, q);
                count += decompose(rest, true, q);
            }
            q = bn.addition(q, "2");
            out << std::endl;
        } while (bn.isLessThan(q, t) && !exhausted);
        return count;
    }
};

}  // namespace

int64_t BigNumber::goldbach_decompose_big(const std::string &n, bool prefix, const std::string &start,
                                          std::ostream &out) {
    std::string digits, first;
    if (!ntheory::naturalDigits(n, digits) || !ntheory::naturalDigits(start, first)) {
        out << ntheory::notNaturalText(ntheory::naturalDigits(n, digits) ? start : n) << std::endl;
        return 0;
    }
    TextSearch search{*this, out};
    return search.decompose(digits, prefix, first);
}
