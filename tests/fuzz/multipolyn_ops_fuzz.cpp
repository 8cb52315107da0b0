// fuzz-links: kavlo_engine
// Random runs of list operations on polynomials in several variables: three lists read from
// generated text go through sums and differences (which take both operands over), products,
// powers (the power 1 hands back its operand), normalisation, dropped zero terms, splitting,
// copied and freed terms and a trip through the text. After every step each list must be
// well linked and equal, term by term modulo a large prime, to a model kept beside it; the
// sanitizers catch every factor leaked, freed twice or read after it was freed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "multipolyn.h"

namespace {

constexpr uint64_t kPrime = (uint64_t(1) << 61) - 1;
constexpr size_t kMaxSteps = 24;
// Bounds that keep one run short: the engine allows far bigger operands.
constexpr size_t kMaxTerms = 60;
constexpr size_t kMaxProductTerms = 300;
constexpr int64_t kMaxExponent = 24;
constexpr size_t kMaxCoefficientChars = 300;

uint64_t mulMod(uint64_t a, uint64_t b) { return uint64_t((unsigned __int128)a * b % kPrime); }
uint64_t addMod(uint64_t a, uint64_t b) { return (a + b) % kPrime; }
uint64_t negMod(uint64_t a) { return a == 0 ? 0 : kPrime - a; }

using Monomial = std::map<int64_t, int64_t>;  // index to exponent, no exponent 0
using Model = std::map<Monomial, uint64_t>;   // no coefficient 0

[[noreturn]] void fail(const std::string &what, const poly_pt *list) {
    const std::string text = multipolyn_to_internal_string(const_cast<poly_pt *>(list));
    std::fprintf(stderr, "multipolyn_ops_fuzz: %s in %.400s\n", what.c_str(), text.c_str());
    std::abort();
}

void addTerm(Model &m, const Monomial &mono, uint64_t c) {
    uint64_t &slot = m[mono];
    slot = addMod(slot, c);
    if (slot == 0) m.erase(mono);
}

Model sum(Model a, const Model &b, bool negate) {
    for (const auto &[mono, c] : b) addTerm(a, mono, negate ? negMod(c) : c);
    return a;
}

Model product(const Model &a, const Model &b) {
    Model r;
    for (const auto &[ma, ca] : a)
        for (const auto &[mb, cb] : b) {
            Monomial m = ma;
            for (const auto &[index, e] : mb) m[index] += e;
            addTerm(r, m, mulMod(ca, cb));
        }
    return r;
}

Model power(const Model &a, int n) {
    Model r{{Monomial{}, 1}};
    for (int i = 0; i < n; i++) r = product(r, a);
    return r;
}

// An integer text as the arithmetic writes it: a sign, then digits.
bool integerMod(const std::string &text, uint64_t &value, bool &negative) {
    size_t i = 0;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i == text.size()) return false;
    value = 0;
    for (; i < text.size(); i++) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = addMod(mulMod(value, 10), uint64_t(text[i] - '0'));
    }
    return true;
}

// Every term's factors linked both ways, the terms linked from last factor to first factor
// and back, nothing hanging off the ends.
void checkLinks(const poly_pt *list) {
    if (list && list->prev_term) fail("a link before the first term", list);
    const poly_pt *previousLast = nullptr;
    for (const poly_pt *t = list; t; t = previousLast->next_term) {
        if (t->prev || t->prev_term != previousLast) fail("a bad link into a term", list);
        const poly_pt *f = t;
        for (; f->next; f = f->next) {
            if (f->next->prev != f) fail("a bad link inside a term", list);
            if (f->next_term || (f != t && f->prev_term)) fail("a term link inside a term", list);
        }
        if (f != t && f->prev_term) fail("a term link inside a term", list);
        previousLast = f;
    }
}

// The list's value by the model's rules, from its factors alone.
Model valueOf(const poly_pt *list) {
    Model m;
    for (const poly_pt *t = list; t; t = multipolyn_next_term(t)) {
        uint64_t c = 1;
        Monomial mono;
        for (const poly_pt *f = t; f; f = f->next) {
            uint64_t v = 0, e = 0;
            bool negative = false, negativeExponent = false;
            if (!integerMod(f->coefficient, v, negative)) fail("a coefficient " + f->coefficient, list);
            c = mulMod(c, negative ? negMod(v) : v);
            if (!integerMod(f->exponent, e, negativeExponent) || negativeExponent || e > uint64_t(kMaxExponent))
                fail("an exponent " + f->exponent, list);
            if (f->index == kConstantIndex && e != 0) fail("a constant with an exponent", list);
            if (e != 0) mono[f->index] += int64_t(e);
        }
        if (c != 0) addTerm(m, mono, c);
    }
    return m;
}

// The longest coefficient text of the list: a product's coefficients are about as long as
// the two longest added.
size_t longestCoefficient(const poly_pt *list) {
    size_t longest = 0;
    for (const poly_pt *t = list; t; t = multipolyn_next_term(t))
        for (const poly_pt *f = t; f; f = f->next) longest = std::max(longest, f->coefficient.size());
    return longest;
}

// The largest exponent of a variable in a term of the list (factors of one index added up,
// zero terms included): the bound on the exponents of a product or a power made from it.
int64_t largestExponent(const poly_pt *list) {
    int64_t largest = 0;
    for (const poly_pt *t = list; t; t = multipolyn_next_term(t)) {
        std::map<int64_t, int64_t> exponents;
        for (const poly_pt *f = t; f; f = f->next) {
            uint64_t e = 0;
            bool negative = false;
            if (integerMod(f->exponent, e, negative) && !negative && e <= uint64_t(kMaxExponent))
                largest = std::max(largest, exponents[f->index] += int64_t(e));
        }
    }
    return largest;
}

// One factor per index in ascending index, the coefficient in the first, no two like terms.
void checkNormalForm(const poly_pt *list) {
    std::set<std::string> keys;
    for (const poly_pt *t = list; t; t = multipolyn_next_term(t)) {
        std::string key;
        for (const poly_pt *f = t; f; f = f->next) {
            if (f->next && f->next->index <= f->index) fail("factors out of order", list);
            if (f != t && f->coefficient != "1") fail("a coefficient past the first factor", list);
            key += "x_" + std::to_string(uint64_t(f->index)) + "^" + f->exponent;
        }
        if (!keys.insert(key).second) fail("two like terms", list);
    }
}

class Bytes {
public:
    Bytes(const uint8_t *data, size_t size) : data_(data), size_(size) {}
    uint8_t next() { return at_ < size_ ? data_[at_++] : 0; }
    bool done() const { return at_ >= size_; }

private:
    const uint8_t *data_;
    size_t size_, at_ = 0;
};

// Typed text of a few terms in x_1 .. x_4 and its model: coefficients from -20 to 20, now
// and then in a factor of their own, exponents from 0 to 3, indices repeated at times.
std::string typedText(Bytes &in, Model &model) {
    std::string text;
    const int terms = in.next() % 5;
    for (int t = 0; t < terms; t++) {
        const int c = int(in.next() % 41) - 20;
        const uint8_t shape = in.next();
        text += c < 0 ? "-" : (t > 0 ? "+" : "");
        text += std::to_string(std::abs(c));
        Monomial mono;
        const int factors = shape % 4;
        for (int f = 0; f < factors; f++) {
            const uint8_t b = in.next();
            const int64_t index = 1 + b % 4, e = (b >> 2) % 4;
            text += (f == 0 && (shape & 4)) ? "*" : "";
            text += "x_" + std::to_string(index) + "^" + std::to_string(e);
            if (e) mono[index] += e;
        }
        addTerm(model, mono, c < 0 ? negMod(uint64_t(-c)) : uint64_t(c));
    }
    return text;
}

struct Slot {
    MultiPolyn list;
    Model model;
};

void fresh(Bytes &in, Slot &s) {
    s.model.clear();
    uint8_t ok = 0;
    s.list.reset(multipolyn_parse(typedText(in, s.model), ok));
    if (!ok) fail("a failed read", nullptr);
}

// A step whose answer is a message (too big) starts its list afresh.
bool isMessage(Slot &s) {
    if (!multipolyn_message(s.list.get())) return false;
    s.list.reset();
    s.model.clear();
    return true;
}

void step(Bytes &in, Slot (&slots)[3]) {
    const uint8_t op = in.next(), pick = in.next();
    Slot &a = slots[pick % 3], &b = slots[(pick / 3) % 3];
    const bool distinct = &a != &b;
    const size_t na = multipolyn_term_count(a.list.get()), nb = multipolyn_term_count(b.list.get());
    switch (op % 9) {
    case 0:  // the sum takes both lists over
    case 1:  // and so does the difference
        if (!distinct) return;
        a.list.reset(op % 9 == 0 ? multipolyn_add(a.list.release(), b.list.release())
                                 : multipolyn_subtract(a.list.release(), b.list.release()));
        a.model = sum(a.model, b.model, op % 9 == 1);
        fresh(in, b);
        return;
    case 2:
        if (na * nb > kMaxProductTerms || largestExponent(a.list.get()) + largestExponent(b.list.get()) > kMaxExponent ||
            longestCoefficient(a.list.get()) + longestCoefficient(b.list.get()) > kMaxCoefficientChars)
            return;
        a.list.reset(multipolyn_multiply(a.list.get(), b.list.get()));
        if (isMessage(a)) return;
        checkNormalForm(a.list.get());
        a.model = product(a.model, b.model);
        return;
    case 3: {
        const int n = pick % 4;
        if (n > 1 && (na > 8 || largestExponent(a.list.get()) * n > kMaxExponent ||
                      longestCoefficient(a.list.get()) * n > kMaxCoefficientChars))
            return;
        poly_pt *p = multipolyn_power(a.list.get(), n);
        if (p != a.list.get()) a.list.reset(p);
        if (isMessage(a)) return;
        a.model = power(a.model, n);
        return;
    }
    case 4:
        a.list.reset(multipolyn_normalize(a.list.release(), 0));
        checkNormalForm(a.list.get());
        return;
    case 5:
        a.list.reset(multipolyn_drop_zero_terms(a.list.release()));
        return;
    case 6: {  // split into terms and summed up again, each term taken over in turn
        std::vector<poly_pt *> items;
        multipolyn_split_items(a.list.release(), items);
        for (poly_pt *item : items) a.list.reset(multipolyn_add(a.list.release(), item));
        return;
    }
    case 7: {  // one term copied into b from some factor on, then freed in a
        if (!a.list || !distinct) return;
        poly_pt *t = a.list.get();
        for (int k = pick % 7; k > 0 && multipolyn_next_term(t); k--) t = multipolyn_next_term(t);
        poly_pt *from = t;
        for (int k = op / 9 % 3; k > 0 && from->next; k--) from = from->next;
        MultiPolyn whole(multipolyn_copy_term(t)), part(multipolyn_copy_term(from));
        checkLinks(part.get());
        const Model term = valueOf(whole.get());
        b.model = sum(b.model, valueOf(part.get()), false);
        b.list.reset(multipolyn_add(b.list.release(), part.release()));
        // Freeing the first term hands back the next one, the new handle.
        const bool first = t == a.list.get();
        poly_pt *left = multipolyn_free_term(from);
        if (first) {
            (void)a.list.release();
            a.list.reset(left);
        }
        a.model = sum(a.model, term, true);
        return;
    }
    default: {  // through the internal text and back
        uint8_t ok = 0;
        a.list.reset(multipolyn_parse(multipolyn_to_internal_string(a.list.get()), ok));
        if (!ok) fail("a failed read", nullptr);
        return;
    }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    // The "power=" lines of the reader go to standard output.
    static const bool quiet = (std::cout.rdbuf(nullptr), true);
    (void)quiet;
    if (size > 512) return 0;
    Bytes in(data, size);
    Slot slots[3];
    for (Slot &s : slots) fresh(in, s);
    for (size_t n = 0; n < kMaxSteps && !in.done(); n++) {
        step(in, slots);
        for (Slot &s : slots) {
            if (multipolyn_term_count(s.list.get()) > kMaxTerms) {
                s.list.reset();
                s.model.clear();
            }
            checkLinks(s.list.get());
            if (valueOf(s.list.get()) != s.model) fail("a value unlike the model's", s.list.get());
        }
    }
    return 0;
}
