// Definitions of the process-wide values and tables, in the order they must be built.
#include "globals.h"

#include <cstring>

#include "BigNumber.h"
#include "engine/constants.h"

const std::string cst_0 = "0", cst_1 = "1", cst_2 = "2", cst_3 = "3", cst_4 = "4", cst_6 = "6",
                  cst_8 = "8", cst_16 = "16", cst_half = "0.5";

const std::string __pi__ = kPiDigits;
const std::string __e__ = kEDigits;
const std::string __ln2__ = kLn2Digits;

std::map<std::string, int> poly_vars;
std::vector<std::string> poly_internal_names;
std::vector<PolyVarName> poly_varnames;
char main_var = 'x';
std::vector<DerivativeRule> derivative_rules;

BigNumber bignumber_global;

namespace {
EqualityClaimReader claimReader = nullptr;
}

void set_equality_claim_reader(EqualityClaimReader reader) { claimReader = reader; }

const std::string *claimed_right_side(const std::string &name) {
    return claimReader ? claimReader(name) : nullptr;
}

int split_tokens(char *buffer, const char *delimiters, std::vector<std::string> &out) {
    int n = 0;
    char *p = buffer;
    while (*p) {
        while (*p && std::strchr(delimiters, *p)) *p++ = '\0';
        if (!*p) break;
        char *start = p;
        while (*p && !std::strchr(delimiters, *p)) p++;
        out.emplace_back(start, size_t(p - start));
        n++;
    }
    return n;
}
