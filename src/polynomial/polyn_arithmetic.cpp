// Arithmetic on one-variable term lists: the three merges, their normalising wrappers,
// powers, normalisation, derivative, integral, monic form, tests, degree and the value at
// a point. Coefficients are combined as text on `bignumber_global`; lists of plain numbers
// take the exact kernel for products and powers.
#include <algorithm>
#include <cmath>
#include <new>

#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "globals.h"
#include "polynomial.h"
#include "polynomial/coefficients.h"
#include "polynomial/exact_kernel.h"
#include "stop_request.h"
#include "tools.h"

namespace {

constexpr const char *kSource = "src/polynomial/polyn_arithmetic.cpp";
constexpr const char *kNextFailure = "Failed to allocate result->next.";

poly *zeroTerm() { return new (std::nothrow) poly("0", 0); }

// The result of a merge under construction: a chain of terms along `next` (forward) or
// along `prev` (backward); each step fills the current term and hangs a fresh one on.
struct MergeResult {
    poly *first = nullptr;
    poly *current = nullptr;
    bool backward = false;

    void put(int64_t exponent, std::string coefficient) {
        current->exponent = exponent;
        current->coefficient = std::move(coefficient);
    }
    void extend(const char *function, int32_t line) {
        poly *t = zeroTerm();
        if (!t) print_error_at(kSource, line, function, kNextFailure);
        append_term(first, current, t, !backward);
    }
};

std::string addedCoefficients(const std::string &a, const std::string &b) {
    std::string sum = bignumber_global.addition(a, b);
    return polyn::evaluatedCoefficient(sum);
}

std::string subtractedCoefficients(const std::string &a, const std::string &b) {
    return bignumber_global.fr_subtraction(a, b);
}

std::string sameCoefficient(const std::string &c) { return c; }

// What sets addition and subtraction apart in the merge they share.
struct MergeRule {
    bool backward;  // the result hangs along `prev` (a backward list) or along `next`
    const char *function;
    int32_t mergeLine, tailLine;  // where an allocation failure is reported
    std::string (*equal)(const std::string &, const std::string &);
    std::string (*onlyB)(const std::string &);
};

// Merges two descending backward lists into a descending list whose handle is its first
// term: a term of one list alone is copied (one of b through onlyB), equal exponents are
// combined. Both lists empty give the single term 0.
poly *mergeDescending(const poly *a, const poly *b, const MergeRule &rule) {
    MergeResult r;
    r.backward = rule.backward;
    r.first = r.current = zeroTerm();
    if (!r.first) return nullptr;
    TermsFreedOnUnwind unfinished(r.first);
    while (a && b) {
        if (a->exponent > b->exponent) {
            r.put(a->exponent, a->coefficient);
            a = a->prev;
        } else if (b->exponent > a->exponent) {
            r.put(b->exponent, rule.onlyB(b->coefficient));
            b = b->prev;
        } else {
            r.put(a->exponent, rule.equal(a->coefficient, b->coefficient));
            a = a->prev;
            b = b->prev;
        }
        if (a || b) r.extend(rule.function, rule.mergeLine);
    }
    const bool fromB = !a;
    for (const poly *&rest = a ? a : b; rest; rest = rest->prev) {
        r.put(rest->exponent, fromB ? rule.onlyB(rest->coefficient) : rest->coefficient);
        if (rest->prev) r.extend(rule.function, rule.tailLine);
    }
    return r.first;
}

std::string statusMessage(polyn::exact::Status s) {
    return s == polyn::exact::Status::exponentRange ? kPolynExponentRange : kPolynTooBig;
}

// The normalised list of a kernel product or power, or its message.
poly *kernelList(polyn::exact::Status s, const polyn::exact::QPoly &p) {
    return s == polyn::exact::Status::ok ? polyn::exact::toList(p) : polyn_message_list(statusMessage(s));
}

poly *descendingReadOut(const poly *list) {
    ThreadedTree tree;
    polyn_tree_insert_all(list, tree);
    return tree.getListofThreadedTree();
}

// x^e at a point, in decimals or in fractions; a negative e divides 1 by x^-e, and x^0 is 1
// whatever x is.
std::string pointPower(const std::string &x, int64_t e, bool fractions) {
    BigNumber &bn = bignumber_global;
    if (e == 0) return "1";
    if (e == INT64_MIN) return kPolynTooBig;
    std::string p = fractions ? bn.fr_power(x, e < 0 ? -e : e) : bn.int_power(x, e < 0 ? -e : e);
    if (e > 0 || isMessageText(p)) return p;
    return fractions ? bn.fr_division("1", p) : bn.real_division("1", p);
}

}  // namespace

poly *polyn_message_list(const std::string &text) { return new_term(text, 0); }

const std::string *polyn_message(const poly *list) {
    if (!list || list->next || list->prev || list->exponent != 0) return nullptr;
    return isMessageText(list->coefficient) ? &list->coefficient : nullptr;
}

poly *poly_addition_DES(const poly *a, const poly *b) {
    static const MergeRule rule{false, "poly_addition_DES", 1644, 1678, addedCoefficients, sameCoefficient};
    return mergeDescending(a, b, rule);
}

poly *poly_subtraction_DES(const poly *a, const poly *b) {
    static const MergeRule rule{true, "poly_subtraction_DES", 1853, 1901, subtractedCoefficients, polyn::negated};
    return polyn_drop_zero_terms(mergeDescending(a, b, rule));
}

poly *poly_multiplication_DES(const poly *a, const poly *b) {
    if (!a || !b) return new_term("0", 0);
    auto length = [](const poly *l) {
        int64_t n = 0;
        for (; l; l = l->prev) n++;
        return n;
    };
    if (double(length(a)) * double(length(b)) > double(polyn::kMaxTextPairs)) return polyn_message_list(kPolynTooBig);
    size_t symbolicChars = 0;
    MergeResult r;
    r.first = r.current = zeroTerm();
    if (!r.first) return nullptr;
    TermList owned(r.first);
    for (const poly *s = a; s; s = s->prev)
        for (const poly *t = b; t; t = t->prev) {
            engineStopPoint();
            int64_t exponent = 0;
            if (!polyn::addExponents(s->exponent, t->exponent, exponent)) return polyn_message_list(kPolynExponentRange);
            r.put(exponent, bignumber_global.fr_multiplication(s->coefficient, t->coefficient));
            const std::string &c = r.current->coefficient;
            if (polyn::isSymbolic(c) && (c.size() > polyn::kMaxSymbolicCoefficient ||
                                         (symbolicChars += c.size()) > polyn::kMaxSymbolicChars))
                return polyn_message_list(kPolynTooBig);
            if (s->prev || t->prev) r.extend("poly_multiplication_DES", 2112);
        }
    return owned.release();
}

poly *polyn_multiply_normalized(const poly *a, const poly *b) {
    polyn::exact::QPoly x, y, product;
    if (polyn::exact::fromList(a, x) && (a == b || polyn::exact::fromList(b, y)))
        return kernelList(polyn::exact::multiply(x, a == b ? x : y, product), product);
    TermList pairs(poly_multiplication_DES(a, b));
    if (const std::string *m = polyn_message(pairs.get())) return polyn_message_list(*m);
    TermList merged(descendingReadOut(pairs.get()));
    for (const poly *t = merged.get(); t; t = t->prev)
        if (polyn::isSymbolic(t->coefficient) && t->coefficient.size() > polyn::kMaxSymbolicCoefficient)
            return polyn_message_list(kPolynTooBig);
    return polyn_drop_zero_terms(merged.release());
}

poly *polyn_subtract_normalized(const poly *a, const poly *b) {
    TermList difference(poly_subtraction_DES(a, b));
    return polyn_drop_zero_terms(descendingReadOut(difference.get()));
}

poly *polyn_power(poly *list, int32_t n) {
    if (n == 0) return new_term("1", 0);
    if (n < 2) return list;
    polyn::exact::QPoly x, result;
    if (polyn::exact::fromList(list, x)) return kernelList(polyn::exact::power(x, n, result), result);
    // Every coefficient with letters is written out n times over in the power.
    double symbolic = 0;
    for (const poly *t = list; t; t = walk_next(list, t))
        if (polyn::isSymbolic(t->coefficient)) symbolic += double(t->coefficient.size());
    if (symbolic * n > double(polyn::kMaxSymbolicCoefficient)) return polyn_message_list(kPolynTooBig);
    std::vector<int32_t> halves;
    for (int32_t m = n; m > 0; m /= 2) halves.push_back(m);
    TermList owned;
    const poly *r = list;
    for (size_t i = halves.size() - 1; i-- > 0;) {
        owned.reset(polyn_multiply_normalized(r, r));
        r = owned.get();
        if (polyn_message(r)) break;
        if (halves[i] % 2 == 0) continue;
        owned.reset(polyn_multiply_normalized(r, list));
        r = owned.get();
        if (polyn_message(r)) break;
    }
    return owned.release();
}

poly *polyn_normalize(const poly *list) { return polyn_drop_zero_terms(descendingReadOut(list)); }

poly *polyn_drop_zero_terms(poly *list) {
    poly *handle = list;
    TermsFreedOnUnwind unfinished(handle);
    for (poly *t = list; t;) {
        poly *below = t->prev;
        // Evaluated before the test, so that a sum that cancels goes too.
        t->coefficient = polyn::normalisedCoefficient(t->coefficient);
        if (polyn::isZeroCoefficient(t->coefficient)) {
            if (!t->next && !below) return t;  // every term was zero: the last one stays
            if (t->next) t->next->prev = below;
            else handle = below;
            if (below) below->next = t->next;
            delete t;
        }
        t = below;
    }
    return handle;
}

poly *polyn_drop_zero_terms_forward(poly *list) {
    poly *handle = list;
    TermsFreedOnUnwind unfinished(handle);
    for (poly *t = list; t;) {
        poly *after = t->next;
        t->coefficient = reduce_fraction(t->coefficient);
        if (t->coefficient == "0") {
            if (t->prev) {
                t->prev->next = after;
                if (after) after->prev = t->prev;
                delete t;
            } else if (after) {
                after->prev = nullptr;
                handle = after;
                delete t;
            } else {
                return t;
            }
        }
        t = after;
    }
    return handle;
}

poly *polyn_derivative(const poly *list) {
    TermList l(polyn_sort_desc(list));
    for (poly *t = l.get(); t; t = t->prev) {
        if (t->exponent == INT64_MIN) return polyn_message_list(kPolynExponentRange);
        t->coefficient = bignumber_global.fr_multiplication(t->coefficient, int64_to_text(t->exponent));
        t->exponent--;
    }
    return l ? polyn_drop_zero_terms(l.release()) : nullptr;
}

poly *polyn_integrate(const poly *list) {
    TermList l(polyn_sort_desc(list));
    for (poly *t = l.get(); t; t = t->prev) {
        if (t->exponent == INT64_MAX) return polyn_message_list(kPolynExponentRange);
        t->exponent++;
        t->coefficient = bignumber_global.fr_division(t->coefficient, int64_to_text(t->exponent));
    }
    return l ? polyn_drop_zero_terms(l.release()) : nullptr;
}

poly *polyn_make_monic(const poly *list) {
    poly *l = descendingReadOut(list);
    if (!l) return nullptr;
    TermsFreedOnUnwind unfinished(l);
    const std::string lead = l->coefficient;
    for (poly *t = l; t; t = t->prev) t->coefficient = bignumber_global.fr_division(t->coefficient, lead);
    return l;
}

bool polyn_is_one(const poly *list) { return list && list->coefficient == "1" && list->exponent == 0; }

bool polyn_is_zero(const poly *list) { return list && list->coefficient == "0"; }

bool polyn_equal(const poly *a, const poly *b) {
    if (!a || !b) return false;
    TermList d(polyn_drop_zero_terms(poly_subtraction_DES(a, b)));
    if (!d || polyn_message(d.get())) return false;
    // A normalised difference of plain numbers is zero exactly when it is the term "0".
    bool plain = true;
    for (const poly *t = d.get(); t && plain; t = t->prev) plain = polyn::isPlainNumber(t->coefficient);
    if (plain) return polyn_is_zero(d.get());
    BigNumber local;
    std::string value;
    local.EvalInfixExprNoOutput(polyn_to_string(d.get()), value, 0);
    return value == "0";
}

int64_t polyn_degree(const poly *list, poly *&out) {
    out = nullptr;
    if (!list) return -2;
    out = descendingReadOut(list);
    return out ? out->exponent : -2;
}

int64_t polyn_last_exponent(const poly *list) {
    if (!list) return -2;
    while (list->next) list = list->next;
    return list->exponent;
}

bool polyn_has_integer_coefficients(const poly *list) {
    for (const poly *t = list; t; t = t->prev)
        if (!engine::isIntegerText(t->coefficient)) return false;
    return true;
}

poly *polyn_eval_at(const poly *list, const std::string &x, std::string &out) {
    if (!list) {
        out.clear();
        return nullptr;
    }
    poly *l = polyn_sort_desc(list);
    TermsFreedOnUnwind unfinished(l);
    out = "0";
    const bool real = BigNumber::isRealNumber(x), fraction = BigNumber::isFraction(x);
    if (!real && !fraction) return l;
    // A fraction coefficient at a decimal point: the decimal products cannot take a
    // fraction, so such a value is computed in fractions.
    bool fractionCoefficient = false;
    double digits = 0;
    const double weight = x == "0" || x == "1" || x == "-1" ? 0 : double(x.size());
    for (const poly *t = l; t; t = t->prev) {
        fractionCoefficient = fractionCoefficient || BigNumber::isFraction(t->coefficient);
        digits += std::abs(double(t->exponent)) * weight;
    }
    if (digits > polyn::kMaxResultDigits) {
        out = kPolynTooBig;
        return l;
    }
    const bool decimals = real && !fractionCoefficient;
    const std::string point = real && !decimals ? bignumber_global.decimal_to_fraction(x) : x;
    for (const poly *t = l; t; t = t->prev) {
        std::string r = pointPower(point, t->exponent, !decimals);
        if (isMessageText(r)) {
            out = r;
            return l;
        }
        if (decimals) {
            r = bignumber_global.multiplication(r, t->coefficient);
            out = bignumber_global.addition(out, r);
        } else {
            r = bignumber_global.fr_multiplication(r, t->coefficient);
            out = bignumber_global.fr_addition(out, r);
        }
    }
    if (!fraction && !decimals) out = reduce_fraction(out);
    return l;
}
