// The m-element subsets of {0, ..., N-1}, lists of names, and the Fermat pseudoprimes to
// base 2.
#include <algorithm>

#include "BigNumber.h"
#include "number_routines.h"
#include "number_theory/number_theory_internal.h"
#include "number_theory/prime_sieve.h"

namespace {

// The subsets are all kept at once, and each of the m - 1 steps that lengthen them copies
// the list made so far: the count of subsets and that work are bounded.
constexpr double kMaxSubsets = 1000000;
constexpr double kMaxSubsetWork = 100000000;

// N choose m, or a value above kMaxSubsets as soon as it passes it.
double binomial(int N, int m) {
    int k = std::min(m, N - m);
    double b = 1;
    for (int i = 1; i <= k && b <= kMaxSubsets; i++) b = b * (N - k + i) / i;
    return b;
}

}  // namespace

int list_subsets(int N, int m, std::ostream &out) {
    if (N <= 0 || m <= 0) return -1;
    if (N < m) return -2;
    double count = binomial(N, m);
    if (count > kMaxSubsets || count * m * m > kMaxSubsetWork) {
        out << "Error: too many subsets to list here." << std::endl;
        return -3;
    }
    int c = N - m + 1;
    std::vector<std::vector<int>> list;
    for (int i = 0; i < c; i++) list.push_back({i});
    for (int j = c + 1; j <= N; j++) extend_index_vectors(j, list);
    print_index_vectors(list, out);
    return 0;
}

// Every old subset raised by one, with a new smallest element i in front.
int extend_index_vectors(int j, std::vector<std::vector<int>> &list) {
    std::vector<std::vector<int>> old;
    old.swap(list);
    for (int i = 0; i < j; i++)
        for (const auto &v : old) {
            if (v.empty() || v.back() < i) continue;
            std::vector<int> next;
            next.reserve(v.size() + 1);
            for (int e : v) next.push_back(e + 1);
            next.push_back(i);
            list.push_back(std::move(next));
        }
    return 0;
}

std::ostream &print_index_vectors(const std::vector<std::vector<int>> &list, std::ostream &out) {
    for (const auto &v : list) {
        for (auto e = v.rbegin(); e != v.rend(); ++e) out << *e << " ";
        out << std::endl;
    }
    out << std::endl;
    return out;
}

void print_name_list(const std::vector<std::string> &list, std::stringstream &out) {
    out.str("");
    out.clear();
    for (const auto &name : list) out << name << std::endl;
    out << std::endl;
}

// The Fermat pseudoprimes to base 2 up to n: composites c with 2^(c-1) = 1 (mod c), the
// composites taken from the gaps between the primes of the sieve. An even c never
// qualifies (2^(c-1) mod c is even), so only the odd ones are tried.
int list_pseudoprimes(int64_t n, std::ostream &out, int64_t limit) {
    if (n >= int64_t(ntheory::kSieveLimit)) {
        out << ntheory::refusedBoundText(std::to_string(n)) << std::endl;
        return int(BigNumber::kRefusedBound);
    }
    if (n < limit) return -1;
    if (n < 4) return 0;
    int count = 0;
    uint64_t next = 4;
    auto tryComposites = [&](uint64_t below) {
        for (uint64_t c = next | 1; c < below; c += 2)
            if (BigNumber::powmod_u64(2, c - 1, c) == 1) {
                out << c << "\n";
                count++;
            }
    };
    ntheory::forEachPrime(5, uint64_t(n), [&](uint64_t p) {
        tryComposites(p);
        next = p + 1;
    });
    tryComposites(uint64_t(n) + 1);
    return count;
}
