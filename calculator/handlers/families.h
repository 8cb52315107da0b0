// The handler tables, one a family of commands. Each family file (handlers/<family>.cpp, the
// matrix commands in matrix/) defines its table: the names it answers and their handlers.
// The dispatch gathers them (dispatch/builtin_handlers.cpp); every built-in name is in one.
#pragma once

#include <array>
#include <span>

#include "dispatch/builtin_handlers.h"

using HandlerFamily = std::span<const HandlerCase> (*)();

std::span<const HandlerCase> conversion_handlers();           // number bases, digits, rounding
std::span<const HandlerCase> elementary_handlers();           // sqrt, roots, trigonometry, ln, exp
std::span<const HandlerCase> settings_handlers();             // settings, variables, listings, help
std::span<const HandlerCase> plugin_handlers();               // load, free and list plugins
std::span<const HandlerCase> game24_handlers();               // eq24, suo, suo24
std::span<const HandlerCase> divisibility_handlers();         // gcd, lcm and their kin
std::span<const HandlerCase> primality_handlers();            // primality tests, prime search
std::span<const HandlerCase> prime_table_handlers();          // the prime table and listings
std::span<const HandlerCase> factorisation_handlers();        // factors, arithmetic functions
std::span<const HandlerCase> symbol_handlers();               // Legendre, Jacobi, p-adic
std::span<const HandlerCase> factorial_handlers();            // factorials, binomials, reversal
std::span<const HandlerCase> sequence_handlers();             // sequences
std::span<const HandlerCase> integer_search_handlers();       // power-sum searches, subsets
std::span<const HandlerCase> diophantine_handlers();          // linear equations in integers
std::span<const HandlerCase> polynomial_handlers();           // polynomials in one variable
std::span<const HandlerCase> polynomial_variable_handlers();  // symbol, several-variable items
std::span<const HandlerCase> series_handlers();               // series and sums
std::span<const HandlerCase> calculus_handlers();             // limits, derivatives, solve, postfix
std::span<const HandlerCase> matrix_handlers();               // matrix commands

constexpr std::array<HandlerFamily, 19> kHandlerFamilies = {
    conversion_handlers,   elementary_handlers,    settings_handlers,       plugin_handlers,
    game24_handlers,       divisibility_handlers,  primality_handlers,      prime_table_handlers,
    factorisation_handlers, symbol_handlers,       factorial_handlers,      sequence_handlers,
    integer_search_handlers, diophantine_handlers, polynomial_handlers,     polynomial_variable_handlers,
    series_handlers,       calculus_handlers,      matrix_handlers,
};
