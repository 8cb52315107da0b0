// Long division of one-variable polynomials, the Euclidean gcd with and without its printed
// steps, and the primitive and Eisenstein tests.
#include <algorithm>
#include <cstdio>
#include <iostream>

#include "BigNumber.h"
#include "globals.h"
#include "nat/nat.h"
#include "polynomial.h"
#include "polynomial/coefficients.h"
#include "polynomial/exact_kernel.h"
#include "stop_request.h"

namespace {

std::string asFraction(const std::string &c) {
    return BigNumber::isDecimal(c) ? bignumber_global.decimal_to_fraction(c) : c;
}

PolynDivision messagePair(const std::string &text) { return {polyn_message_list(text), polyn_message_list(text)}; }

// The long division of the text road: each step divides the leading terms and subtracts;
// a step that leaves the degree where it was (coefficients that are not numbers, a zero
// leading coefficient of the divisor) would repeat for ever, so the division stops there.
PolynDivision textDivision(const poly *a, const poly *b) {
    TermList current(copy_term_list(a));
    poly *quotient = nullptr, *last = nullptr;
    TermList owned;
    for (int64_t steps = 1; current && current->exponent >= b->exponent; steps++) {
        if (steps > polyn::kMaxTextDivisionSteps) return messagePair(kPolynTooBig);
        engineStopPoint();
        poly *q = term_divide(current.get(), b);
        if (!q) break;
        if (const std::string *m = polyn_message(q)) {
            PolynDivision d = messagePair(*m);
            delete q;
            return d;
        }
        append_term(quotient, last, q, false);
        if (!owned) owned.reset(quotient);
        if (q->exponent == 0 && polyn::isZeroCoefficient(q->coefficient)) break;
        TermList q1(new_term(q->coefficient, q->exponent));
        TermList product(polyn_multiply_normalized(b, q1.get()));
        if (const std::string *m = polyn_message(product.get())) return messagePair(*m);
        TermList r(polyn_drop_zero_terms(poly_subtraction_DES(current.get(), product.get())));
        if (!r) break;
        if (r->coefficient == "0") r->exponent = 0;
        if (!polyn_is_zero(r.get()) && r->exponent >= current->exponent) return messagePair(kPolynDivisionStalls);
        current = std::move(r);
    }
    return {owned.release(), current.release()};
}

// The one-term-list forms of 0, 1 and -q that the gcd steps start from.
TermList constantList(const char *c) { return TermList(new_term(c, 0)); }

void writeStep(std::ostream &out, const poly *a, const poly *q, const poly *b, const poly *r, bool withRemainder) {
    out << polyn_to_string(a) << " == (" << polyn_to_string(q) << ")*(" << polyn_to_string(b) << ")";
    if (withRemainder) out << " + (" << polyn_to_string(r) << ")";
    out << "\n\n";
}

}  // namespace

poly *term_divide(const poly *dividend, const poly *divisor) {
    int64_t exponent = 0;
    if (__builtin_sub_overflow(dividend->exponent, divisor->exponent, &exponent))
        return polyn_message_list(kPolynExponentRange);
    std::string n = asFraction(dividend->coefficient), d = asFraction(divisor->coefficient);
    return new_term(bignumber_global.fr_division(n, d), exponent);
}

PolynDivision polyn_divide(const poly *a, const poly *b) {
    if (!a || !b) return {};
    polyn::exact::QPoly x, y;
    if (polyn::exact::fromList(a, x) && polyn::exact::fromList(b, y)) {
        PolynDivision d;
        polyn::exact::Status s = polyn::exact::divide(x, y, d.quotient, d.remainder);
        if (s == polyn::exact::Status::ok) return d;
        return messagePair(s == polyn::exact::Status::tooBig ? kPolynTooBig : kPolynExponentRange);
    }
    if (a->exponent < b->exponent) return {new_term("0", 0), copy_term_list(a)};
    if (b->exponent == 0) {
        poly *quotient = nullptr, *last = nullptr;
        TermsFreedOnUnwind unfinished(quotient);
        for (const poly *t = a; t; t = t->prev) append_term(quotient, last, term_divide(t, b), false);
        return {quotient, new_term("0", 0)};
    }
    return textDivision(a, b);
}

poly *polyn_gcd_list(const poly *a, const poly *b) {
    if (!a || !b) return nullptr;
    TermList x(polyn::sortedWithMergesEvaluated(a)), y(polyn::sortedWithMergesEvaluated(b));
    polyn::exact::QPoly qx, qy;
    if (polyn::exact::fromList(x.get(), qx) && polyn::exact::fromList(y.get(), qy)) {
        poly *g = nullptr;
        polyn::exact::Status s = polyn::exact::gcd(qx, qy, g);
        if (s == polyn::exact::Status::ok) return g;
        return polyn_message_list(s == polyn::exact::Status::tooBig ? kPolynTooBig : kPolynExponentRange);
    }
    PolynDivision d = polyn_divide(x.get(), y.get());
    TermList q(d.quotient), r(d.remainder);
    for (int64_t steps = 0;; steps++) {
        if (!r) return y.release();
        if (const std::string *m = polyn_message(r.get())) return polyn_message_list(*m);
        if (polyn_is_zero(r.get())) return y.release();
        if (polyn_is_one(r.get())) return new_term("1", 0);
        if (steps >= polyn::kMaxGcdSteps) return polyn_message_list(kPolynTooBig);
        engineStopPoint();
        x = std::move(y);
        y = std::move(r);
        d = polyn_divide(x.get(), y.get());
        q.reset(d.quotient);
        r.reset(d.remainder);
    }
}

poly *polyn_gcd_steps(const poly *f, const poly *g, std::ostream &out) {
    std::vector<TermList> R, U, V;
    R.emplace_back(polyn::sortedWithMergesEvaluated(f));
    R.emplace_back(polyn::sortedWithMergesEvaluated(g));
    if (!R[0] || !R[1]) return nullptr;
    U.push_back(constantList("0"));
    V.push_back(constantList("1"));
    const poly *a = R[0].get(), *b = R[1].get();
    PolynDivision d = polyn_divide(a, b);
    TermList q(d.quotient), r(d.remainder);
    auto failed = [&]() -> const std::string * {
        const std::string *m = polyn_message(r.get());
        if (m) out << *m << "\n";
        return m;
    };
    if (!q || !r) return nullptr;
    if (const std::string *m = failed()) return polyn_message_list(*m);
    writeStep(out, a, q.get(), b, r.get(), true);
    U.push_back(constantList("1"));
    V.emplace_back(poly_subtraction_DES(constantList("0").get(), q.get()));
    poly *gcd = nullptr;
    TermsFreedOnUnwind unfinished(gcd);
    for (int64_t steps = 0; !polyn_is_zero(r.get()); steps++) {
        R.push_back(std::move(r));
        if (polyn_is_one(R.back().get())) {
            gcd = new_term("1", 0);
            break;
        }
        if (steps >= polyn::kMaxGcdSteps) {
            out << kPolynTooBig << "\n";
            return polyn_message_list(kPolynTooBig);
        }
        engineStopPoint();
        a = b;
        b = R.back().get();
        d = polyn_divide(a, b);
        q.reset(d.quotient);
        r.reset(d.remainder);
        if (!q || !r) return nullptr;
        if (const std::string *m = failed()) return polyn_message_list(*m);
        for (std::vector<TermList> *W : {&U, &V}) {
            TermList product(polyn_multiply_normalized(q.get(), W->back().get()));
            W->emplace_back(polyn_subtract_normalized((*W)[W->size() - 2].get(), product.get()));
        }
        writeStep(out, a, q.get(), b, r.get(), !polyn_is_zero(r.get()));
    }
    if (!gcd) gcd = copy_term_list(b);
    out << "\n-------------------------------------\n";
    out << "f(x) = " << polyn_to_string(R[0].get()) << "\n";
    out << "g(x) = " << polyn_to_string(R[1].get()) << "\n";
    out << "\n The remainder polynomials are:\n\n";
    for (size_t k = 2; k < R.size(); k++) out << "r(" << k - 1 << ") = " << polyn_to_string(R[k].get()) << "\n";
    const size_t pair = R.size() - 2;
    out << "\n-----u(x)*f(x)+v(x)*g(x)---------\n";
    out << polyn_to_string(R.back().get()) << " == \n\t";
    out << "(" << polyn_to_string(U[pair].get()) << ")*f(x) + ";
    out << "(" << polyn_to_string(V[pair].get()) << ")*g(x)\n";
    return gcd;
}

bool isPrimitivePolyn(const poly *list) {
    if (!list || (!list->prev && !list->next) || !polyn_has_integer_coefficients(list)) return false;
    // The content is taken of the absolute values: a negative coefficient must not leave
    // a gcd of -1 that reads as a common factor.
    auto magnitude = [](const std::string &c) { return c[0] == '-' || c[0] == '+' ? c.substr(1) : c; };
    BigNumber local;
    std::string g = magnitude(list->coefficient);
    for (const poly *t = list->prev; t; t = t->prev) {
        g = local.gcd(g, magnitude(t->coefficient));
        if (local.isEqualTo(g, "1")) return true;
    }
    return local.isEqualTo(g, "1");
}

namespace {

// Primes below this are split off the coefficient gcd by trial division; what remains is
// handed to the factoriser only up to kMaxFactoredDigits, beyond which a hostile coefficient
// would keep its search going for minutes.
constexpr nat::Limb kTrialPrimesBelow = 1000;
constexpr size_t kMaxFactoredDigits = 40;

nat::Nat magnitudeOf(const std::string &c) {
    return nat::from_decimal(c[0] == '-' || c[0] == '+' ? std::string_view(c).substr(1) : std::string_view(c));
}

bool isOne(const nat::Nat &a) { return a.size() == 1 && a[0] == 1; }

// u without every prime that also divides v.
nat::Nat withoutPrimesOf(nat::Nat u, const nat::Nat &v) {
    for (nat::Nat d = nat::gcd(u, v); !nat::is_zero(d) && !isOne(d); d = nat::gcd(u, v)) {
        nat::Nat q, r;
        nat::divmod(u, d, q, r);
        u = std::move(q);
    }
    return u;
}

struct PrimePower {
    nat::Nat prime;
    int32_t exponent = 0;
};

// The prime factors of u > 1 in ascending order with their exponents; false when a part of
// u is too long to factor in time (the primes found below kTrialPrimesBelow are kept).
bool primeFactorsOf(nat::Nat u, std::vector<PrimePower> &out) {
    for (nat::Limb p = 2; p < kTrialPrimesBelow && !isOne(u); p++) {
        if (!BigNumber::is_prime_64(p)) continue;
        nat::Nat q;
        int32_t e = 0;
        while (nat::divmod_small(u, p, q) == 0) u = std::move(q), e++;
        if (e > 0) out.push_back({nat::Nat{p}, e});
    }
    if (isOne(u)) return true;
    BigNumber local;
    const std::string rest = nat::to_decimal(u);
    std::vector<std::string> factors;
    if (local.isPrime(rest))
        factors.push_back(rest);
    else if (rest.size() <= kMaxFactoredDigits)
        local.factorsToString(rest, factors, 0, false);
    if (factors.empty()) return false;
    std::vector<PrimePower> large;
    for (const std::string &f : factors) {
        nat::Nat p = nat::from_decimal(f);
        auto same = std::find_if(large.begin(), large.end(), [&](const PrimePower &k) { return k.prime == p; });
        if (same != large.end()) same->exponent++;
        else large.push_back({std::move(p), 1});
    }
    std::sort(large.begin(), large.end(),
              [](const PrimePower &a, const PrimePower &b) { return nat::compare(a.prime, b.prime) < 0; });
    out.insert(out.end(), large.begin(), large.end());
    return true;
}

}  // namespace

// Coefficients are read as whole numbers, not machine integers, so that long coefficients
// are tested for divisibility rather than cut. A prime p fits when it divides every
// coefficient after the leading one, not the leading one, and p^2 does not divide the
// constant term: p divides the gcd g of those coefficients, and with t = constant / g,
// p^2 does not divide the constant exactly when p divides g once and does not divide t.
// So the candidates are the primes of g left after removing those of t and of the leading
// coefficient, and the answer is the smallest of them that g holds once.
bool eisenstein_criterion(const poly *list, std::string &prime, std::ostream &note) {
    prime.clear();
    if (!list || (!list->prev && !list->next)) return false;  // a constant or a monomial: no prime fits
    if (!polyn_has_integer_coefficients(list)) return false;
    const nat::Nat lead = magnitudeOf(list->coefficient);
    nat::Nat g, constant;
    int64_t lowest = list->exponent;
    for (const poly *t = list->prev; t; t = t->prev) {
        constant = magnitudeOf(t->coefficient);
        if (!nat::is_zero(constant)) g = nat::gcd(g, constant);
        lowest = t->exponent;
    }
    if (lowest > 0) {
        note << "This polynomial has factor x^" << lowest << "\n";
        return false;
    }
    if (nat::is_zero(g) || isOne(g)) return false;
    nat::Nat q, r;
    nat::divmod(constant, g, q, r);
    const nat::Nat candidates = withoutPrimesOf(withoutPrimesOf(g, q), lead);
    if (isOne(candidates)) return false;
    std::vector<PrimePower> primes;
    const bool complete = primeFactorsOf(candidates, primes);
    for (const PrimePower &p : primes) {
        if (p.exponent == 1) {
            prime = nat::to_decimal(p.prime);
            return true;
        }
    }
    if (!complete)
        note << "The coefficients share a factor too large to split into primes: only the primes below "
             << kTrialPrimesBelow << " were tried.\n";
    return false;
}
