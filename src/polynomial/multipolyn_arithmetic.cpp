// Normal form and arithmetic of polynomials in several variables: term normalisation, like
// terms merged through a hash table of keys in the order of their first appearance, zero
// terms, sum, difference, product and power.
#include <algorithm>
#include <charconv>
#include <exception>
#include <map>
#include <unordered_map>
#include <vector>

#include "BigNumber.h"
#include "globals.h"
#include "multipolyn.h"
#include "polynomial.h"
#include "polynomial/coefficients.h"
#include "polynomial/multipolyn_internal.h"
#include "stop_request.h"

namespace {

using multipolyn::NumberText;
using multipolyn::productText;
using multipolyn::sumText;

// Frees detached terms when a stop request unwinds the scope that holds them.
class DetachedFreedOnUnwind {
  public:
    explicit DetachedFreedOnUnwind(std::vector<poly_pt *> &terms) : terms_(terms) {}
    ~DetachedFreedOnUnwind() {
        if (std::uncaught_exceptions() > exceptions_)
            for (poly_pt *t : terms_) multipolyn_free(t);
    }
    DetachedFreedOnUnwind(const DetachedFreedOnUnwind &) = delete;
    DetachedFreedOnUnwind &operator=(const DetachedFreedOnUnwind &) = delete;

  private:
    std::vector<poly_pt *> &terms_;
    int exceptions_ = std::uncaught_exceptions();
};

// The first factors of the terms, in order, with the links between the terms cut.
std::vector<poly_pt *> detachTerms(poly_pt *list) {
    std::vector<poly_pt *> terms;
    multipolyn_split_items(list, terms);
    return terms;
}

// Joins one-term lists into one polynomial in the given order; returns its handle.
poly_pt *joinTerms(const std::vector<poly_pt *> &terms) {
    poly_pt *previousLast = nullptr;
    for (poly_pt *first : terms) {
        first->prev_term = previousLast;
        if (previousLast) previousLast->next_term = first;
        previousLast = multipolyn_term_last(first);
        previousLast->next_term = nullptr;
    }
    return terms.empty() ? nullptr : terms.front();
}

// The factors of a detached term merged by index and sorted; the first carries the product
// of all the coefficients. Returns the new first factor. `tooLong` is set when a coefficient
// or an exponent would outgrow kMaxExpressionChars; the term is then left unchanged.
poly_pt *normalisedTerm(poly_pt *first, bool &tooLong) {
    std::vector<poly_pt *> factors;
    std::string accumulator = "1";
    size_t coefficientChars = 0, exponentChars = 0;
    bool coefficientExpression = false, exponentExpression = false;
    for (const poly_pt *f = first; f; f = f->next) {
        if (f->coefficient != "1") {
            coefficientChars += f->coefficient.size();
            coefficientExpression = coefficientExpression || !multipolyn::isNumberLike(f->coefficient);
        }
        exponentChars += f->exponent.size();
        exponentExpression = exponentExpression || !multipolyn::isNumberLike(f->exponent);
    }
    tooLong = (coefficientExpression && coefficientChars > multipolyn::kMaxExpressionChars) ||
              (exponentExpression && exponentChars > multipolyn::kMaxExpressionChars);
    if (tooLong) return first;
    for (poly_pt *f = first; f; f = f->next) {
        if (f->coefficient != "1") {
            accumulator = productText(accumulator, f->coefficient);
            f->coefficient = "1";
        }
        factors.push_back(f);
    }
    // Stable: of the factors of one index the first stays and the later ones add their
    // exponents to it in the order they come.
    std::stable_sort(factors.begin(), factors.end(), [](const poly_pt *a, const poly_pt *b) { return a->index < b->index; });
    // The merged factors go only once the chain is linked anew: until then a stop request
    // leaves the chain whole for its owner to free.
    std::vector<poly_pt *> merged;
    size_t kept = 0;
    for (poly_pt *f : factors) {
        if (kept > 0 && factors[kept - 1]->index == f->index) {
            factors[kept - 1]->exponent = sumText(factors[kept - 1]->exponent, f->exponent);
            merged.push_back(f);
        } else {
            factors[kept++] = f;
        }
    }
    factors.resize(kept);
    for (size_t i = 0; i < kept; i++) {
        factors[i]->prev = i > 0 ? factors[i - 1] : nullptr;
        factors[i]->next = i + 1 < kept ? factors[i + 1] : nullptr;
        factors[i]->prev_term = factors[i]->next_term = nullptr;
    }
    for (poly_pt *f : merged) delete f;
    factors[0]->coefficient = std::move(accumulator);
    return factors[0];
}

// A factor's part of a term key before its exponent text: "x_", the index as an unsigned
// number, "^".
void appendKeyIndex(std::string &key, int64_t index) {
    char digits[24];
    key += "x_";
    key.append(digits, std::to_chars(digits, digits + sizeof digits, uint64_t(index)).ptr);
    key += '^';
}

std::string termKey(const poly_pt *first) {
    std::string key;
    for (const poly_pt *f = first; f; f = f->next) {
        appendKeyIndex(key, f->index);
        key += f->exponent;
    }
    return key;
}

// Like terms merged into the first of them, in place; the order of first appearance stays.
// False (with the terms left as they are) when a merged coefficient would outgrow
// kMaxExpressionChars.
bool mergeLikeTerms(std::vector<poly_pt *> &terms) {
    struct Kept {
        poly_pt *term;
        std::vector<poly_pt *> merged;  // the later terms of its key, in order
        size_t chars;
        bool expression;
    };
    std::vector<Kept> kept;
    std::unordered_map<std::string, size_t> at;
    at.reserve(terms.size());
    for (poly_pt *t : terms) {
        auto [it, inserted] = at.try_emplace(termKey(t), kept.size());
        const bool expression = !multipolyn::isNumberLike(t->coefficient);
        if (inserted) {
            kept.push_back({t, {}, t->coefficient.size(), expression});
            continue;
        }
        Kept &k = kept[it->second];
        k.merged.push_back(t);
        k.chars += t->coefficient.size();
        k.expression = k.expression || expression;
        if (k.expression && k.chars > multipolyn::kMaxExpressionChars) return false;
    }
    // Every sum first: a stop request then finds `terms` holding every term.
    for (Kept &k : kept)
        for (poly_pt *t : k.merged) k.term->coefficient = sumText(k.term->coefficient, t->coefficient);
    terms.clear();
    for (Kept &k : kept) {
        for (poly_pt *t : k.merged) multipolyn_free(t);
        terms.push_back(k.term);
    }
    return true;
}

// The coefficient of a term: the product of its factors' coefficients.
std::string termCoefficient(const poly_pt *first) {
    std::string c = "1";
    for (const poly_pt *f = first; f; f = f->next)
        if (f->coefficient != "1") c = productText(c, f->coefficient);
    return c;
}

size_t termChars(const poly_pt *first, bool &symbolic) {
    size_t chars = 0;
    for (const poly_pt *f = first; f; f = f->next) {
        chars += f->coefficient.size() + f->exponent.size();
        symbolic = symbolic || polyn::isSymbolic(f->coefficient) || polyn::isSymbolic(f->exponent);
    }
    return chars;
}

struct Shape {
    double terms = 0, largest = 0, chars = 0;
    bool symbolic = false;
};

Shape shapeOf(const poly_pt *list) {
    Shape s;
    for (const poly_pt *t = list; t; t = multipolyn_next_term(t)) {
        double c = double(termChars(t, s.symbolic));
        s.terms++;
        s.chars += c;
        s.largest = std::max(s.largest, c);
    }
    return s;
}

// A product whose pairs, terms or coefficients would outgrow what one operation may spend.
bool productTooBig(const poly_pt *a, const poly_pt *b) {
    Shape x = shapeOf(a), y = a == b ? x : shapeOf(b);
    if (x.terms * y.terms > multipolyn::kMaxProductPairs) return true;
    const double termChars = x.largest + y.largest;
    if (termChars > ((x.symbolic || y.symbolic) ? multipolyn::kMaxSymbolicTermChars : multipolyn::kMaxTermChars))
        return true;
    return x.chars * y.terms + y.chars * x.terms > multipolyn::kMaxProductChars;
}

// The factors of one term of a product operand: its first (or its last) factor turned from
// a constant into the main variable with exponent "0", then ordered by index (stably, so
// that factors of one index keep their order), and the product of its coefficients.
struct FactorView {
    int64_t index;
    NumberText exponent;
};
struct TermView {
    std::vector<FactorView> factors;
    NumberText coefficient;
};

std::vector<TermView> termViews(const poly_pt *list, bool convertFirst) {
    std::vector<TermView> views;
    for (const poly_pt *t = list; t; t = multipolyn_next_term(t)) {
        TermView v;
        v.coefficient = NumberText::of(termCoefficient(t));
        for (const poly_pt *f = t; f; f = f->next) v.factors.push_back({f->index, NumberText::of(f->exponent)});
        FactorView &end = convertFirst ? v.factors.front() : v.factors.back();
        if (end.index == kConstantIndex) end = {0, NumberText::of("0")};
        std::stable_sort(v.factors.begin(), v.factors.end(),
                         [](const FactorView &x, const FactorView &y) { return x.index < y.index; });
        views.push_back(std::move(v));
    }
    return views;
}

struct ProductTerm {
    std::vector<FactorView> factors;
    NumberText coefficient;
};

// The normalised product of two terms: the factors of b followed by those of a, merged by
// index with their exponents added in that order. Its key is written into `key`.
void productFactors(const TermView &a, const TermView &b, std::vector<FactorView> &merged, std::string &key) {
    merged.clear();
    size_t i = 0, j = 0;
    while (i < b.factors.size() || j < a.factors.size()) {
        const bool fromB = j == a.factors.size() || (i < b.factors.size() && b.factors[i].index <= a.factors[j].index);
        const FactorView &f = fromB ? b.factors[i++] : a.factors[j++];
        if (!merged.empty() && merged.back().index == f.index) merged.back().exponent = multipolyn::sum(merged.back().exponent, f.exponent);
        else merged.push_back(f);
    }
    key.clear();
    for (const FactorView &f : merged) {
        appendKeyIndex(key, f.index);
        f.exponent.appendTo(key);
    }
}

poly_pt *chainOf(const ProductTerm &t) {
    poly_pt *first = nullptr, *last = nullptr;
    for (const FactorView &factor : t.factors) {
        poly_pt *f = new_term_pt(first ? "1" : t.coefficient.written(), factor.exponent.written(), 0);
        if (!f) {
            multipolyn_free(first);
            return nullptr;
        }
        f->index = factor.index;
        if (last) {
            last->next = f;
            f->prev = last;
        } else {
            first = f;
        }
        last = f;
    }
    return first;
}

}  // namespace

poly_pt *multipolyn_normalize_term(poly_pt *factor) {
    if (!factor) return nullptr;
    poly_pt *first = multipolyn_term_first(factor), *last = multipolyn_term_last(factor);
    poly_pt *before = first->prev_term, *after = last->next_term;
    first->prev_term = last->next_term = nullptr;
    bool tooLong = false;
    first = normalisedTerm(first, tooLong);
    last = multipolyn_term_last(first);
    first->prev_term = before;
    if (before) before->next_term = first;
    last->next_term = after;
    if (after) after->prev_term = last;
    return first;
}

poly_pt *multipolyn_normalize(poly_pt *list, int) {
    std::vector<poly_pt *> terms = detachTerms(list);
    DetachedFreedOnUnwind unfinished(terms);
    bool tooLong = false;
    for (poly_pt *&t : terms)
        if (!tooLong) t = normalisedTerm(t, tooLong);
    if (!tooLong && mergeLikeTerms(terms)) return joinTerms(terms);
    for (poly_pt *t : terms) multipolyn_free(t);
    return multipolyn_message_list(kPolynTooBig);
}

poly_pt *multipolyn_drop_zero_terms(poly_pt *list) {
    std::vector<poly_pt *> terms = detachTerms(list), kept;
    for (poly_pt *t : terms)
        if (t->coefficient != "0") kept.push_back(t);
    // When every term is zero the last one stays.
    if (kept.empty() && !terms.empty()) kept.push_back(terms.back());
    for (poly_pt *t : terms)
        if (t->coefficient == "0" && t != kept.back()) multipolyn_free(t);
    return joinTerms(kept);
}

poly_pt *multipolyn_add(poly_pt *a, poly_pt *b) {
    if (!a) return b;
    if (!b) return a;
    std::vector<poly_pt *> terms = detachTerms(a);
    multipolyn_split_items(b, terms);
    return multipolyn_normalize(joinTerms(terms), 0);
}

poly_pt *multipolyn_subtract(poly_pt *minuend, poly_pt *subtrahend) {
    while (minuend && minuend->coefficient == "0") minuend = multipolyn_free_term(minuend);
    if (!subtrahend) return minuend;
    std::vector<poly_pt *> negated = detachTerms(subtrahend);
    {
        FactorsFreedOnUnwind minuendUnfinished(minuend);
        DetachedFreedOnUnwind negatedUnfinished(negated);
        for (poly_pt *t : negated) t->coefficient = productText(t->coefficient, "-1");
    }
    if (!minuend) return joinTerms(negated);
    std::vector<poly_pt *> terms = detachTerms(minuend);
    terms.insert(terms.end(), negated.begin(), negated.end());
    return multipolyn_normalize(joinTerms(terms), 0);
}

poly_pt *multipolyn_multiply(const poly_pt *a, const poly_pt *b) {
    if (!a || !b) return nullptr;
    if (productTooBig(a, b)) return multipolyn_message_list(kPolynTooBig);
    // Each pair of terms gives a product term; like terms are merged on the fly, so only
    // the distinct ones are ever built as factor chains.
    const std::vector<TermView> left = termViews(a, true), right = termViews(b, false);
    std::unordered_map<std::string, size_t> seen;
    std::vector<ProductTerm> kept;
    std::vector<FactorView> merged;
    std::string key;
    const NumberText one = NumberText::of("1");
    for (const TermView &x : left)
        for (const TermView &y : right) {
            engineStopPoint();
            productFactors(x, y, merged, key);
            // The engine multiplies out the sums inside two such texts: their product may be
            // much longer than they are.
            if (!multipolyn::isNumberLike(x.coefficient.text) && !multipolyn::isNumberLike(y.coefficient.text) &&
                multipolyn::combinesTooLong(x.coefficient, y.coefficient, size_t(multipolyn::kMaxSymbolicTermChars)))
                return multipolyn_message_list(kPolynTooBig);
            NumberText coefficient = multipolyn::product(one, multipolyn::product(x.coefficient, y.coefficient));
            if (multipolyn::combinesTooLong(coefficient, NumberText{})) return multipolyn_message_list(kPolynTooBig);
            auto it = seen.find(key);
            if (it == seen.end()) {
                seen.emplace(key, kept.size());
                kept.push_back({merged, std::move(coefficient)});
            } else {
                NumberText &c = kept[it->second].coefficient;
                if (multipolyn::combinesTooLong(c, coefficient)) return multipolyn_message_list(kPolynTooBig);
                c = multipolyn::sum(c, coefficient);
            }
        }
    std::vector<poly_pt *> terms;
    for (const ProductTerm &t : kept) {
        poly_pt *chain = chainOf(t);
        if (!chain) {
            for (poly_pt *done : terms) multipolyn_free(done);
            return nullptr;
        }
        terms.push_back(chain);
    }
    return joinTerms(terms);
}

namespace {

// An upper bound on the terms of list^h: the monomials of degree h in its t terms (the
// multinomial count C(h + t - 1, t - 1)), and no more than the box of exponents that the
// variables can reach. Capped far above any limit.
double powerTermsBound(const poly_pt *list, int32_t h) {
    constexpr double kCap = 1e18;
    const std::vector<TermView> views = termViews(list, false);
    double multinomial = 1;
    for (double k = 1; k < double(views.size()) && multinomial <= kCap; k++) multinomial = multinomial * (h + k) / k;
    std::map<int64_t, std::pair<int64_t, int64_t>> ranges;  // index -> lowest, highest exponent
    for (const TermView &v : views)
        for (const FactorView &f : v.factors) {
            if (!f.exponent.small) return multinomial;
            ranges.emplace(f.index, std::make_pair(int64_t(0), int64_t(0)));
        }
    for (const TermView &v : views) {
        std::map<int64_t, int64_t> exponents;
        for (const FactorView &f : v.factors) exponents[f.index] += f.exponent.value;
        for (auto &[index, range] : ranges) {
            auto it = exponents.find(index);
            const int64_t e = it == exponents.end() ? 0 : it->second;
            range = {std::min(range.first, e), std::max(range.second, e)};
        }
    }
    double box = 1;
    for (const auto &[index, range] : ranges)
        box = std::min(kCap, box * (double(h) * (double(range.second) - double(range.first)) + 1));
    return std::min(multinomial, box);
}

}  // namespace

poly_pt *multipolyn_power(poly_pt *list, int32_t n) {
    if (n < 0) return multipolyn_message_list(kPolynExponentRange);
    if (n == 0) return new_term_pt("1", "0", 0);
    if (!list || n == 1) return list;
    // The digits of a coefficient other than 1 and -1 are written about n times over.
    double digits = 0;
    for (const poly_pt *t = list; t; t = multipolyn_next_term(t)) {
        const std::string c = termCoefficient(t);
        if (c != "1" && c != "+1" && c != "-1") digits = std::max(digits, double(c.size()));
    }
    if (digits * n > multipolyn::kMaxTermChars) return multipolyn_message_list(kPolynTooBig);
    // The last squaring multiplies list^(n/2) by itself: refused before any work when its
    // pairs of terms would pass the bound of one product.
    const double half = powerTermsBound(list, n >> 1);
    if (half * half > multipolyn::kMaxProductPairs) return multipolyn_message_list(kPolynTooBig);
    int top = 31;
    while (!(n >> top & 1)) top--;
    MultiPolyn owned;
    const poly_pt *result = list;
    for (int bit = top - 1; bit >= 0; bit--) {
        owned.reset(multipolyn_multiply(result, result));
        result = owned.get();
        if (multipolyn_message(result)) break;
        if (!(n >> bit & 1)) continue;
        owned.reset(multipolyn_multiply(result, list));
        result = owned.get();
        if (multipolyn_message(result)) break;
    }
    return owned.release();
}
