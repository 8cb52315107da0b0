#include "number_theory/number_theory_internal.h"

#include "engine/engine_internal.h"
#include "number_theory/factor_search.h"

namespace ntheory {

bool naturalDigits(const std::string &text, std::string &digits) {
    if (text.empty() || !engine::allDigits(text)) return false;
    size_t first = text.find_first_not_of('0');
    digits = first == std::string::npos ? "0" : text.substr(first);
    return true;
}

bool toU64(const std::string &digits, uint64_t &value) {
    if (digits.size() > 20) return false;
    return nat::to_u64(nat::from_decimal(digits), value);
}

std::string gaveUpText(const nat::Nat &composite) {
    return "Error> no factor of " + nat::to_decimal(composite) + " was found within the search bound.";
}

std::string notNaturalText(const std::string &text) {
    return "Error> `" + text + "` is not a non-negative integer.";
}

std::string refusedBoundText(const std::string &bound) {
    return "hint> The bound " + bound + " is too large: primes are sieved below 4294967296.";
}

bool primeFactors(const std::string &digits, std::vector<nat::Nat> &primes, std::string &message) {
    ntheory::Factorisation f = ntheory::factorise(nat::from_decimal(digits));
    if (!f.complete()) {
        message = gaveUpText(f.unsplit.front());
        return false;
    }
    primes = std::move(f.primes);
    return true;
}

bool naturalFactors(const std::string &text, std::string &digits, std::vector<nat::Nat> &primes,
                    std::string &message) {
    if (!naturalDigits(text, digits)) {
        message = notNaturalText(text);
        return false;
    }
    return primeFactors(digits, primes, message);
}

}  // namespace ntheory
