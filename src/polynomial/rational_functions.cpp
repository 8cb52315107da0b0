// One operator on two operand texts, each a polynomial in the main variable or a quotient
// (p)/(q) of two: the single step of the polynomial mode's postfix evaluation.
#include <algorithm>

#include "BigNumber.h"
#include "polynomial.h"
#include "polynomial/coefficients.h"
#include "multipolyn.h"
#include "tools.h"

namespace {

struct Operand {
    TermList numerator;
    TermList denominator;  // null: none
    bool refused = false;
    // A denominator other than the constant 1.
    bool hasQuotient() const { return denominator && !polyn_is_one(denominator.get()); }
};

Operand readOperand(const std::string &text) {
    Operand o;
    size_t slash = text.find('/');
    bool ok = false;
    TermList n(polyn_parse(removeParentheses(text.substr(0, slash)), ok));
    if (!ok) {
        o.refused = true;
        return o;
    }
    o.numerator.reset(polyn::sortedWithMergesEvaluated(n.get()));
    if (slash == std::string::npos) return o;
    TermList d(polyn_parse(removeParentheses(text.substr(slash + 1)), ok));
    if (ok && d) o.denominator.reset(polyn::sortedWithMergesEvaluated(d.get()));
    return o;
}

TermList product(const poly *a, const poly *b) { return TermList(polyn_multiply_normalized(a, b)); }
TermList copied(const poly *a) { return TermList(copy_term_list(a)); }

// The first message among the lists, or null.
const std::string *messageOf(std::initializer_list<const poly *> lists) {
    for (const poly *l : lists)
        if (const std::string *m = polyn_message(l)) return m;
    return nullptr;
}

// The power as a list of its own (the power of 1 is its operand itself).
TermList power(poly *list, int32_t n) {
    poly *p = polyn_power(list, n);
    return TermList(p == list ? copy_term_list(list) : p);
}

// Subtracts the lowest exponent that the numerator (forward) and the denominator
// (backward) share from both, when it is above 0.
void reduceCommonPower(poly *n, poly *d) {
    if (!n || !d) return;
    int64_t k = INT64_MAX;
    for (const poly *t = n; t; t = t->next) k = std::min(k, t->exponent);
    for (const poly *t = d; t; t = t->prev) k = std::min(k, t->exponent);
    if (k <= 0) return;
    for (poly *t = n; t; t = t->next) t->exponent -= k;
    for (poly *t = d; t; t = t->prev) t->exponent -= k;
}

// The two numerator parts and the denominator of a sum or difference: A's numerator times
// B's denominator, A's denominator times B's numerator, and the product of the
// denominators (a missing denominator counts as 1 and adds no factor).
struct CrossTerms {
    TermList left, right, denominator;
};

CrossTerms crossTerms(const Operand &A, const Operand &B) {
    const poly *an = A.numerator.get(), *ad = A.denominator.get();
    const poly *bn = B.numerator.get(), *bd = B.denominator.get();
    CrossTerms c;
    c.left = bd ? product(an, bd) : copied(an);
    c.right = ad ? product(ad, bn) : copied(bn);
    if (ad || bd) c.denominator = ad && bd ? product(ad, bd) : copied(ad ? ad : bd);
    return c;
}

std::string sum(const Operand &A, const Operand &B) {
    CrossTerms c = crossTerms(A, B);
    if (const std::string *m = messageOf({c.left.get(), c.right.get(), c.denominator.get()})) return *m;
    TermList n(polyn_drop_zero_terms_forward(poly_addition_DES(c.left.get(), c.right.get())));
    if (!c.denominator) return polyn_forward_to_string(n.get());
    TermList d(polyn_drop_zero_terms(c.denominator.release()));
    if (A.denominator) reduceCommonPower(n.get(), d.get());
    return "(" + polyn_forward_to_string(n.get()) + ")/(" + polyn_to_string(d.get()) + ")";
}

std::string difference(const Operand &A, const Operand &B) {
    CrossTerms c = crossTerms(A, B);
    if (const std::string *m = messageOf({c.left.get(), c.right.get(), c.denominator.get()})) return *m;
    TermList n(polyn_drop_zero_terms(poly_subtraction_DES(c.left.get(), c.right.get())));
    if (!c.denominator) return polyn_to_string(n.get());
    TermList d(polyn_drop_zero_terms(c.denominator.release()));
    return "(" + polyn_to_string(n.get()) + ")/(" + polyn_to_string(d.get()) + ")";
}

// N/D divided by their gcd, written as a polynomial when the denominator becomes 1.
std::string reducedQuotient(const TermList &n, const TermList &d) {
    if (const std::string *m = messageOf({n.get(), d.get()})) return *m;
    if (!d) return polyn_to_string(n.get());
    if (polyn_equal(n.get(), d.get())) return "1";
    TermList g(polyn_gcd_list(n.get(), d.get()));
    if (const std::string *m = messageOf({g.get()})) return *m;
    // Each list is held as soon as it exists: a stop request may end any step below.
    const PolynDivision dn = polyn_divide(n.get(), g.get());
    TermList nq(dn.quotient), nr(dn.remainder);
    const PolynDivision dd = polyn_divide(d.get(), g.get());
    TermList dq(dd.quotient), dr(dd.remainder);
    TermList n1(polyn_drop_zero_terms(nq.release()));
    TermList d1(polyn_drop_zero_terms(dq.release()));
    if (const std::string *m = messageOf({n1.get(), d1.get()})) return *m;
    if (polyn_is_one(d1.get())) return polyn_to_string(n1.get());
    return "(" + polyn_to_string(n1.get()) + ")/(" + polyn_to_string(d1.get()) + ")";
}

std::string quotientOperandMessage(const std::string &op) {
    return "Error> " + op + " takes polynomials, not quotients of polynomials.";
}

std::string raised(const Operand &A, const std::string &a, const std::string &b) {
    if (!isAllDigits(b)) {
        std::string base = a.find('/') == std::string::npos ? removeParentheses(a) : a;
        std::string exponent = b.find('/') == std::string::npos ? removeParentheses(b) : b;
        return base + (hasSignChar(exponent) ? "^(" + exponent + ")" : "^" + exponent);
    }
    int64_t n = 0;
    if (!b.empty() && !checkedInt64(b, 0, INT32_MAX, n)) return integerRangeMessage(b, 0, INT32_MAX);
    // A quotient is raised in numerator and denominator alike.
    if (A.hasQuotient())
        return reducedQuotient(power(A.numerator.get(), int32_t(n)), power(A.denominator.get(), int32_t(n)));
    TermList p = power(A.numerator.get(), int32_t(n));
    if (const std::string *m = messageOf({p.get()})) return *m;
    return polyn_to_string(p.get());
}

}  // namespace

std::string polyn_rational_op(const std::array<std::string, 3> &slots) {
    const std::string &op = slots[0], &b = slots[1], &a = slots[2];
    if (a.find('[') != std::string::npos || b.find('[') != std::string::npos || op == "]") return "";
    Operand A = readOperand(a), B = readOperand(b);
    if (A.refused || B.refused) return multipolyn_apply_op_text(slots);
    const poly *an = A.numerator.get(), *bn = B.numerator.get();
    const poly *ad = A.denominator.get(), *bd = B.denominator.get();
    if (op == "+") return sum(A, B);
    if (op == "-") return difference(A, B);
    if (op == "*") {
        TermList d = ad && bd ? product(ad, bd) : copied(ad ? ad : bd);
        return reducedQuotient(product(an, bn), d);
    }
    if (op == "/") return reducedQuotient(bd ? product(an, bd) : copied(an), ad ? product(ad, bn) : copied(bn));
    if (op == "^") return raised(A, a, b);
    if (op != "%" && op != "@" && op != "~") return "";
    if (A.hasQuotient() || B.hasQuotient()) return quotientOperandMessage(op);
    if (op == "~") return polyn_equal(an, bn) ? "1" : "0";
    PolynDivision d = polyn_divide(an, bn);
    TermList q(d.quotient), r(d.remainder);
    TermList &part = op == "%" ? q : r;
    if (const std::string *m = messageOf({part.get()})) return *m;
    part.reset(polyn_drop_zero_terms(part.release()));
    return polyn_to_string(part.get());
}
