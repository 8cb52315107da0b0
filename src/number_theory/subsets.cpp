// The m-element subsets of {0, ..., N-1}, and lists of names.
#include "BigNumber.h"
#include "number_routines.h"

namespace {

// The subsets are all kept at once, with a copy of the previous list while the next is made.
constexpr double kMaxSubsets = 1000000;

double binomial(int N, int m) {
    double b = 1;
    for (int i = 1; i <= m && b <= kMaxSubsets; i++) b = b * (N - m + i) / i;
    return b;
}

}  // namespace

int list_subsets(int N, int m, std::ostream &out) {
    if (N <= 0 || m <= 0) return -1;
    if (N < m) return -2;
    if (binomial(N, m) > kMaxSubsets) {
        out << "Error: at most " << int64_t(kMaxSubsets) << " subsets are listed." << std::endl;
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
