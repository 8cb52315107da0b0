// Claims about names, made with ":claim". An equality claim a==b+1 is a rewrite rule: the
// preprocessor puts the right side wherever it meets the name. Inequality claims are only
// recorded. A name holds at most one claim of each kind; a later claim leaves it in place.
#pragma once

#include <string>
#include <unordered_map>

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

// The claims by name.
extern std::unordered_map<std::string, EqualityClaim> equality_claims;
extern std::unordered_map<std::string, InequalityClaim> inequality_claims;

std::string claim_value(const EqualityClaim &claim);
// The engine's reader of the equality claims (set_equality_claim_reader): the right side
// claimed for `name`, or nullptr.
const std::string *claimed_right_side_of(const std::string &name);

EqualityClaim makeEqualityClaim(bool active, const std::string &lhs, const std::string &rhs);
// `strict` starts false; claim_set_strictness brings it in line with the relation.
InequalityClaim makeInequalityClaim(bool active, const std::string &lhs, const std::string &relation,
                                    const std::string &rhs);
// 1 when `strict` had to change to match the relation ("<" and ">" strict, "<=" and ">="
// not), 0 when it already matched or the relation is none of the four.
int claim_set_strictness(InequalityClaim &claim);

// Stores an active claim of `lhs` under its name: "=" and "==" in the equality table, "<"
// in the inequality table; a name that already has a claim there keeps it. False, with
// nothing stored, for any other relation.
bool store_claim(const std::string &lhs, const std::string &relation, const std::string &rhs);
