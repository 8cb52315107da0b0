// The engine's process-wide values and tables, built before the program's entry point
// runs and destroyed when it ends. Only the command interpreter and the polynomial code
// write the tables, always on the main thread. The interpreter's own tables live with it.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

class BigNumber;

// Number constants used instead of literals.
extern const std::string cst_0, cst_1, cst_2, cst_3, cst_4, cst_6, cst_8, cst_16, cst_half;

// Long constants: "3." + 10120 decimals of pi (cut), "2." + 9999 decimals of e (rounded),
// "0." + 1000 decimals of ln 2 (cut).
extern const std::string __pi__;
extern const std::string __e__;
extern const std::string __ln2__;

// A rule of the symbolic derivative: d/dx f(u) = sign * g(u)^power * u'.
struct DerivativeRule {
    std::string function;
    std::string derivative;
    int sign = 1;
    int power = 1;
};

// A registered multi-variable polynomial variable.
struct PolyVarName {
    int64_t index = 0;
    std::string name;
    std::string internalName;
};

extern std::map<std::string, int> poly_vars;
extern std::vector<std::string> poly_internal_names;
extern std::vector<PolyVarName> poly_varnames;
// The letter of the main variable in polynomial text ('x' at start; ":change" sets another).
extern char main_var;
extern std::vector<DerivativeRule> derivative_rules;

// The claims belong to the calculator; the engine reads only the right side of the equality
// claim made for a name, through the reader the calculator installs (none: no claims).
using EqualityClaimReader = const std::string *(*)(const std::string &name);
void set_equality_claim_reader(EqualityClaimReader reader);
const std::string *claimed_right_side(const std::string &name);

// The engine of the one-variable polynomial code.
extern BigNumber bignumber_global;

// Every maximal run of non-delimiter characters of `buffer`, appended in order; the
// buffer's delimiters are overwritten with NUL bytes. Returns the number appended.
int split_tokens(char *buffer, const char *delimiters, std::vector<std::string> &out);
