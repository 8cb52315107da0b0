// Free routines of number theory and sequences: sums with the calculator's engine,
// recursive series settings, continuants, Legendre and Jacobi symbols, p-adic order and
// norm, Collatz sequences, Fibonacci numbers, the power-sum and digit searches, subsets and
// pseudoprime lists. Each builds an engine of its own for its arithmetic unless one is
// passed. The routines that print take their streams last, defaulting to the process's
// standard output; the Collatz files are named relative to a folder, by default the
// working directory. A routine that empties the calculator's answer stream first takes a
// string stream.
#pragma once

#include <cstdint>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

class BigNumber;

// ---- series and sums (number_theory/series.cpp, number_theory/recursive_series.cpp) ----

// The settings of the recurrence printer, filled by the printRecursiveSeries command.
struct SeriesSettings {
    int32_t reserved = 1;
    int32_t numberOfItems = 10;
    char indexLetter = 'n';
    bool lineNumber = false;
    bool plain = false;
    std::string iterationExpression;  // f, in generalItem and the index name
    std::string initialSpec;          // the initial-value argument as typed (a_3=2)
    std::string generalItem;          // the previous term's name in f (a_n)
    std::string indexStep;            // the next index (n+1); empty: the index name and "+1"
    std::string initialValue;         // the first term, in parentheses
    std::string delimiter;            // "\\n", "\\t", "\\n\\n" or a literal separator
    std::string initialName;          // left side of initialSpec
    std::string startIndex = "1";
};

// The sum of a term over an index range, with the engine of the calculator; with expand,
// the substituted terms and the sum are written to out.
std::string sum_general_term(BigNumber &engine, const std::string &term, const std::string &variable,
                             const std::string &minValue, const std::string &maxValue, std::ostream &out,
                             bool expand);

// ---- continuants (number_theory/continued_fractions.cpp) ----
std::string euler_brackets(const std::vector<std::string> &items);

// ---- symbols (number_theory/symbols.cpp), p-adic order and norm (number_theory/padic.cpp) ----
int jacobi_symbol(std::string a, std::string n, bool show, std::ostream &out = std::cout);
int legendre_symbol(std::string a, std::string p, bool show, std::ostream &out = std::cout);
int ord_p_integer(const std::string &x, int32_t p);
int ord_p_rational(const std::string &x, int32_t p);
std::string norm_p_rational(const std::string &x, int32_t p);
// The refusal of a prime below 2 by the order and the norm (empty for a valid one).
std::string padic_prime_error(int64_t p);

// ---- Collatz sequences (number_theory/collatz.cpp) ----
int collatz_map(const std::string &n, std::stringstream &out, const std::filesystem::path &folder = {});
int print_3x1_maps(const std::string &a, const std::string &b, std::ostream &screen = std::cout,
                   const std::filesystem::path &folder = {});
int collatz_orbit_to_file(const std::string &n, std::ostream &screen = std::cout,
                          const std::filesystem::path &folder = {});

// ---- Fibonacci numbers (number_theory/fibonacci.cpp) ----
std::string fibonacci_recursive(int32_t index, BigNumber &engine);
std::string fibonacci_iterative(int32_t index, BigNumber &engine, std::vector<std::string> &list, bool collect);

// ---- power-sum searches and factor walks (number_theory/searches.cpp, factor_iterations.cpp) ----
void squaresum_search(const std::string &n, const std::string &m, std::ostream &out = std::cout);
void cubicsum_search(const std::string &n, const std::string &m, std::ostream &out = std::cout);
void cubicsum2_search(const std::string &a, const std::string &b, const std::string &n,
                      std::ostream &out = std::cout);
int64_t consecutive_cube_sum_search(BigNumber &engine, const std::string &a, const std::string &b, std::ostream &out);
int64_t solve_x3plusy3_zn_search(BigNumber &engine, const std::string &low, const std::string &high,
                                 std::ostream &out);
int duanwu_join_factors(const std::string &n, std::ostream &out = std::cout);
int duanwu_add_factors(const std::string &n, std::ostream &out = std::cout);

// ---- subsets, pseudoprimes and name lists (number_theory/subsets.cpp) ----
int list_subsets(int N, int m, std::ostream &out = std::cout);
int extend_index_vectors(int j, std::vector<std::vector<int>> &list);
std::ostream &print_index_vectors(const std::vector<std::vector<int>> &list, std::ostream &out);
int list_pseudoprimes(int64_t n, std::ostream &out, int64_t limit);
void print_name_list(const std::vector<std::string> &list, std::stringstream &out);
