// Jacobi and Legendre symbols, with their derivation written step by step on request.
//
// The symbols walk the steps of the hand derivation: reduction of a modulo n, the factors
// of two, reciprocity. Each step of reciprocity asks for the symbol of smaller numbers and
// writes its own line after the lines of that symbol; the walk keeps those lines on a list
// instead of recursing, so numbers of any length cannot exhaust the stack. The value of
// (2|n) depends only on n mod 8, for a prime n and for a composite one alike; primality and
// factors are looked at only for the lines they print.
#include <map>
#include <vector>

#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "nat/nat.h"
#include "number_routines.h"
#include "number_theory/prime_kernels.h"
#include "number_theory/routines_internal.h"
#include "number_theory/word_euclid.h"

using namespace engine;

namespace {

// (2|n) for an odd n: 1 when n = 1 or 7 mod 8, -1 when n = 3 or 5 mod 8.
int twoOver(BigNumber &bn, const std::string &n) {
    std::string r = bn.int_remainder(n, "8");
    return r == "1" || r == "7" ? 1 : -1;
}

// The odd primes that divide n to an odd power, in the order of their texts; false when n
// could not be factorised.
bool oddPowerPrimes(BigNumber &bn, const std::string &n, std::vector<std::string> &primes) {
    std::map<std::string, int32_t> table;
    bn.factoriseToMap(n, table, 12);
    primes.clear();
    for (auto &[p, e] : table) {
        if (p.empty() || !allDigits(p)) return false;
        if (e % 2) primes.push_back(p);
    }
    return true;
}

// The rule for (2|n), n odd and above 1, with its lines.
int twoRule(BigNumber &bn, const std::string &n, bool show, std::ostream &out) {
    int value = twoOver(bn, n);
    if (!show) return value;
    bool prime = n.size() < 16 ? bn.isPrime(n) : bn.isProbablePrime(n);
    if (prime) {
        if (n.size() < 16) out << "(2|" << n << ") = " << value << "\n";
        return value;
    }
    std::vector<std::string> primes;
    if (!oddPowerPrimes(bn, n, primes)) return value;
    if (!primes.empty()) {
        out << "\n(2|" << n << ") = ";
        for (auto &q : primes) out << "(2|" << q << ")";
        out << std::endl;
    }
    for (auto &q : primes) out << "\n(2|" << q << ") = " << twoOver(bn, q);
    return value;
}

// A digit text without leading zeros, or false.
bool canonical(std::string &text) {
    bool negative = isNegative(text);
    std::string_view digits = unsignedPart(text);
    if (digits.empty() || !allDigits(digits)) return false;
    digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size() - 1));
    text = (negative && digits != "0" ? "-" : "") + std::string(digits);
    return true;
}

// One pending reciprocity line (written once the symbol it asks for is known), or a factor
// of two that multiplies the symbol of the level above.
struct Pending {
    bool reciprocity;
    int factor;  // the (2|n) factor of a step of twos
    std::string a, n, d;
    bool negated;
};

}  // namespace

namespace {

// The value alone, on binary words by Lehmer's method: the same symbol the derivation
// reaches.
int jacobiValue(const std::string &a, const std::string &n) {
    nat::Nat A, N;
    bool aNegative, nNegative;
    if (!routines::readInteger(a, A, aNegative) || !routines::readInteger(n, N, nNegative)) return 0;
    if (nat::is_zero(N) || N[0] % 2 == 0) return 0;
    if (N == nat::Nat{1}) return 1;
    A = ntheory::natMod(A, N);
    if (aNegative && !nat::is_zero(A)) A = nat::sub(N, A);
    return ntheory::jacobiWords(ntheory::toWords(A), ntheory::toWords(N));
}

}  // namespace

int jacobi_symbol(std::string a, std::string n, bool show, std::ostream &out) {
    if (!canonical(a) || !canonical(n)) return 0;
    if (!show) return jacobiValue(a, n);
    BigNumber bn;
    std::vector<Pending> pending;
    int value = 0;
    for (;;) {
        if (isNegative(n)) n.erase(0, 1);
        if (BigNumber::isEven(n)) {
            if (show) out << "The denominator should be an odd number.\n";
            value = 0;
            break;
        }
        if (n == "1") {
            value = 1;
            break;
        }
        if (bn.int_remainder(a, n) == "0") {
            if (show) out << a << " and " << n << " should be coprime numbers.\n";
            value = 0;
            break;
        }
        if (a == "1") {
            value = 1;
            break;
        }
        if (a == "2") {
            value = twoRule(bn, n, show, out);
            break;
        }
        // a above n, and a negative even a, are first reduced modulo n
        if (bn.isGreaterThan(a, n) || (isNegative(a) && BigNumber::isEven(a))) {
            if (show) out << "(" << a << "|" << n << ") = \n";
            a = bn.int_remainder(a, n);
            if (show) out << "   (" << a << "|" << n << ") = ";
        }
        if (BigNumber::isEven(a)) {
            std::string h;
            int k = bn.stripPowersOfTwo(a, h);
            if (show) {
                out << "\n(" << a << "|" << n << ") = ";
                if (k % 2) out << "(2|" << n << ")";
                out << "(" << h << "|" << n << ")\n";
            }
            int factor = k % 2 ? twoRule(bn, n, show, out) : 1;
            pending.push_back({false, factor, "", "", "", false});
            a = h;
            continue;
        }
        std::string f = bn.int_remainder(a, "4");
        std::string e = bn.int_remainder(n, "4");
        std::string d = bn.int_remainder(n, a);
        pending.push_back({true, 1, a, n, d, !(f == "1" || e == "1")});
        n = a;
        a = d;
    }
    for (auto step = pending.rbegin(); step != pending.rend(); ++step) {
        if (!step->reciprocity) {
            value *= step->factor;
            continue;
        }
        if (step->negated) value = -value;
        if (show) {
            const char *sign = step->negated ? "-" : "";
            out << "\n(" << step->a << "|" << step->n << ") = " << sign << "(" << step->n << "|" << step->a << ")"
                << " = " << sign << "(" << step->d << "|" << step->a << ") = " << value;
        }
    }
    return value;
}

namespace {

// 1 for an even t, -1 for an odd one.
int parityValue(const std::string &t) { return BigNumber::isEven(t) ? 1 : -1; }

int legendreSteps(BigNumber &bn, std::string a, const std::string &p, bool show, std::ostream &out) {
    if (p == "2" || !bn.isPrime(p)) return 0;
    if (bn.int_remainder(a, p) == "0") {
        if (show) out << a << " and " << p << " should be coprime numbers.\n";
        return 0;
    }
    if (a == "1") return 1;
    std::string pMinus1 = bn.int_subtraction(p, "1");
    if (a == "-1" || bn.int_addition(a, "1") == p) return parityValue(bn.int_quotient(pMinus1, "2"));
    if (a == "2") return twoOver(bn, p);
    // a above p, and a negative a, are first reduced modulo p
    if (bn.isGreaterThan(a, p) || isNegative(a)) {
        if (show) out << "(" << a << "|" << p << ") = \n";
        a = bn.int_remainder(a, p);
        if (show) out << "   (" << a << "|" << p << ") = ";
        if (a == "1") return 1;
    }
    if (!show) return jacobi_symbol(a, p, false, out);
    std::vector<std::string> primes;
    if (!oddPowerPrimes(bn, a, primes)) return jacobi_symbol(a, p, false, out);
    if (!primes.empty()) {
        out << "\n(" << a << "|" << p << ") = ";
        for (auto &l : primes) out << "(" << l << "|" << p << ")";
        out << std::endl;
    }
    int value = 1;
    for (auto &l : primes) {
        if (l == "2") {
            int factor = twoOver(bn, p);
            out << "\n(2|" << p << ") = " << factor << std::endl;
            value *= factor;
            continue;
        }
        std::string d = bn.int_remainder(l, "4");
        std::string e = bn.int_remainder(p, "4");
        std::string c = bn.int_remainder(p, l);
        int v = legendreSteps(bn, c, l, show, out);
        bool negated = !(d == "1" || e == "1");
        const char *sign = negated ? "-" : "";
        int factor = negated ? -v : v;
        out << "\n(" << l << "|" << p << ") = " << sign << "(" << p << "|" << l << ")" << " = " << sign << "(" << c
            << "|" << l << ") = " << factor << "\n";
        value *= factor;
    }
    return value;
}

}  // namespace

int legendre_symbol(std::string a, std::string p, bool show, std::ostream &out) {
    if (!canonical(a) || !canonical(p) || isNegative(p)) return 0;
    BigNumber bn;
    return legendreSteps(bn, a, p, show, out);
}
