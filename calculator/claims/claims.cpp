#include "claims/claims.h"

std::unordered_map<std::string, EqualityClaim> equality_claims;
std::unordered_map<std::string, InequalityClaim> inequality_claims;

std::string claim_value(const EqualityClaim &claim) { return claim.rhs; }

const std::string *claimed_right_side_of(const std::string &name) {
    auto it = equality_claims.find(name);
    return it == equality_claims.end() ? nullptr : &it->second.rhs;
}

namespace {

std::string differenceOf(const std::string &lhs, const std::string &rhs) {
    return "(" + lhs + ")-(" + rhs + ")";
}

} // namespace

EqualityClaim makeEqualityClaim(bool active, const std::string &lhs, const std::string &rhs) {
    EqualityClaim claim;
    claim.active = active;
    claim.lhs = lhs;
    claim.rhs = rhs;
    claim.difference = differenceOf(lhs, rhs);
    return claim;
}

InequalityClaim makeInequalityClaim(bool active, const std::string &lhs, const std::string &relation,
                                    const std::string &rhs) {
    InequalityClaim claim;
    claim.active = active;
    claim.strict = false;
    claim.lhs = lhs;
    claim.relation = relation;
    claim.rhs = rhs;
    claim.difference = differenceOf(lhs, rhs);
    return claim;
}

int claim_set_strictness(InequalityClaim &claim) {
    bool strict;
    if (claim.relation == "<" || claim.relation == ">") strict = true;
    else if (claim.relation == "<=" || claim.relation == ">=") strict = false;
    else return 0;
    if (claim.strict == strict) return 0;
    claim.strict = strict;
    return 1;
}

bool store_claim(const std::string &lhs, const std::string &relation, const std::string &rhs) {
    if (relation == "=" || relation == "==") {
        equality_claims.emplace(lhs, makeEqualityClaim(true, lhs, rhs));
        return true;
    }
    if (relation == "<") {
        InequalityClaim claim = makeInequalityClaim(true, lhs, relation, rhs);
        claim_set_strictness(claim);
        inequality_claims.emplace(lhs, claim);
        return true;
    }
    return false;
}
