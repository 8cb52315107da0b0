// The engine's process-wide values and tables, built before the program's entry point
// runs and destroyed when it ends. Only the command interpreter and the polynomial code
// write the tables, always on the main thread.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

class BigNumber;

// Number constants used instead of literals.
extern const std::string cst_0, cst_1, cst_2, cst_3, cst_4, cst_6, cst_8, cst_16, cst_half;

// Long constants: "3." + 10120 decimals of pi (cut), "2." + 9999 decimals of e (rounded),
// "0." + 1000 decimals of ln 2 (cut).
extern const std::string __pi__;
extern const std::string __e__;
extern const std::string __ln2__;

// Names of the interpreter's variable types, indexed by type code 0..5.
extern const std::vector<std::string> type_names;

// One classified input line of the command interpreter.
struct InputStatement {
    std::string name;
    int kind = 0;  // 0 colon command, 1 assignment, 2 call, 3 expression, 7 max, 8 min
    std::string op;
    std::string arg;
    std::string value;
    std::vector<std::pair<std::string, std::string>> args;
};

// A rule of the symbolic derivative: d/dx f(u) = sign * g(u)^power * u'.
struct DerivativeRule {
    std::string function;
    std::string derivative;
    int sign = 1;
    int power = 1;
};

struct EqualityClaim {
    bool active = true;
    std::string lhs = "0";
    std::string rhs = "0";
    std::string difference;
};

struct InequalityClaim {
    bool active = true;
    bool strict = false;
    std::string lhs = "0";
    std::string relation = "<=";
    std::string rhs = "0";
    std::string difference;
};

// A registered multi-variable polynomial variable.
struct PolyVarName {
    int64_t index = 0;
    std::string name;
    std::string internalName;
};

std::string claim_value(const EqualityClaim &claim);

extern std::vector<InputStatement> input_statements;
extern std::set<std::string> used_variable_names;
extern std::set<std::string> undefined_names;
extern std::map<std::string, int> poly_vars;
extern std::vector<std::string> poly_internal_names;
extern std::vector<PolyVarName> poly_varnames;
// The letter of the main variable in polynomial text ('x' at start; ":change" sets another).
extern char main_var;
extern std::vector<DerivativeRule> derivative_rules;
extern std::unordered_map<std::string, EqualityClaim> equality_claims;
extern std::unordered_map<std::string, InequalityClaim> inequality_claims;

// The engine of the one-variable polynomial code.
extern BigNumber bignumber_global;

// Every maximal run of non-delimiter characters of `buffer`, appended in order; the
// buffer's delimiters are overwritten with NUL bytes. Returns the number appended.
int split_tokens(char *buffer, const char *delimiters, std::vector<std::string> &out);
