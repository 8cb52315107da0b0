// Complex numbers as lists of terms in i. The four operations reduce both operands to a
// real and an imaginary part and compute with the exact fraction arithmetic.
#include "complex_terms.h"

#include <cstdlib>
#include <new>

#include "BigNumber.h"
#include "polyn_terms.h"

namespace {

std::string negateText(const std::string &t) {
    if (t.empty()) return t;
    if (t[0] == '+') return "-" + t.substr(1);
    if (t[0] == '-') return t.substr(1);
    return "-" + t;
}

void skipBlanks(const char *&p) {
    while (*p == ' ') p++;
}

// The power after "i^": an optional bracket, a signed integer of any length (none gives 1),
// modulo 4, which its last two digits decide.
int64_t readPowerValue(const char *&p) {
    char closer = 0;
    if (*p == '(' || *p == '{') {
        closer = *p == '(' ? ')' : '}';
        p++;
    }
    int64_t v = 1;
    const char *q = *p == '+' || *p == '-' ? p + 1 : p;
    if (*q >= '0' && *q <= '9') {
        int64_t lastTwo = 0;
        for (; *q >= '0' && *q <= '9'; q++) lastTwo = (lastTwo * 10 + (*q - '0')) % 100;
        v = *p == '-' ? -lastTwo : lastTwo;
        p = q;
        if (closer && *p == closer) p++;
    }
    return ((v % 4) + 4) % 4;
}

complex_term *readTerm(const char *&p) {
    skipBlanks(p);
    bool negative = false;
    if (*p == '-') {
        negative = true;
        p++;
    } else if (*p == '+') {
        p++;
    }
    std::string magnitude;
    if (*p == '-') magnitude += *p++;
    while (*p && *p != 'i' && *p != '+' && *p != '-') magnitude += *p++;
    if (magnitude.empty()) magnitude = *p == 'i' ? "1" : "0";
    std::string coefficient = negative ? "-" + magnitude : magnitude;
    skipBlanks(p);
    int64_t power = 0;
    if (*p == 'i') {
        p++;
        if (*p == '^') {
            p++;
            power = readPowerValue(p);
        } else {
            power = 1;
        }
    }
    if (power >= 2) coefficient = negateText(coefficient);
    return new_complex_term(coefficient, power % 2);
}

struct Parts {
    std::string re, im;
};

Parts reduce(const complex_term *list) {
    BigNumber bn;
    Parts r{"0", "0"};
    for (const complex_term *t = list; t; t = t->next) {
        std::string &part = t->i_power == 0 ? r.re : r.im;
        part = bn.fr_addition(part, t->coefficient);
    }
    return r;
}

complex_term *makeList(const std::string &re, const std::string &im) {
    complex_term *a = new_complex_term(re, 0);
    if (!a) return nullptr;
    a->next = new_complex_term(im, 1);
    return a;
}

}  // namespace

complex_term *new_complex_term(std::string coefficient, int64_t power) {
    complex_term *t = new (std::nothrow) complex_term;
    if (!t) {
        print_error_at("src/complex/complex_terms.cpp", 351, "new_complex_term", "Failed to allocate poly.");
        return nullptr;
    }
    t->coefficient = std::move(coefficient);
    t->i_power = power;
    return t;
}

complex_term *complex_parse(const char *text) {
    complex_term *head = nullptr, **tail = &head;
    const char *p = text ? text : "";
    while (*p) {
        const char *before = p;
        complex_term *t = readTerm(p);
        if (!t) break;
        *tail = t;
        tail = &t->next;
        if (p == before) break;  // nothing consumed: no progress possible
    }
    return head;
}

complex_term *complex_collapse(const complex_term *list) {
    Parts p = reduce(list);
    return makeList(p.re, p.im);
}

complex_term *complex_add(const complex_term *a, const complex_term *b) {
    BigNumber bn;
    Parts x = reduce(a), y = reduce(b);
    std::string re = bn.fr_addition(x.re, y.re);
    std::string im = bn.fr_addition(x.im, y.im);
    return makeList(re, im);
}

complex_term *complex_subtract(const complex_term *a, const complex_term *b) {
    BigNumber bn;
    Parts x = reduce(a), y = reduce(b);
    std::string re = bn.fr_subtraction(x.re, y.re);
    std::string im = bn.fr_subtraction(x.im, y.im);
    return makeList(re, im);
}

complex_term *complex_multiply(const complex_term *a, const complex_term *b) {
    BigNumber bn;
    Parts x = reduce(a), y = reduce(b);
    std::string ac = bn.fr_multiplication(x.re, y.re), bd = bn.fr_multiplication(x.im, y.im);
    std::string re = bn.fr_subtraction(ac, bd);
    std::string bc = bn.fr_multiplication(x.im, y.re), ad = bn.fr_multiplication(x.re, y.im);
    std::string im = bn.fr_addition(bc, ad);
    return makeList(re, im);
}

complex_term *complex_divide(const complex_term *a, const complex_term *b) {
    BigNumber bn;
    Parts x = reduce(a), y = reduce(b);
    std::string ac = bn.fr_multiplication(x.re, y.re), bd = bn.fr_multiplication(x.im, y.im);
    std::string bc = bn.fr_multiplication(x.im, y.re), ad = bn.fr_multiplication(x.re, y.im);
    std::string cc = bn.fr_multiplication(y.re, y.re), dd = bn.fr_multiplication(y.im, y.im);
    std::string norm = bn.fr_addition(cc, dd);
    std::string reNum = bn.fr_addition(ac, bd), imNum = bn.fr_subtraction(bc, ad);
    std::string re = bn.fr_division(reNum, norm);
    std::string im = bn.fr_division(imNum, norm);
    return makeList(re, im);
}

std::string complex_to_string(const complex_term *list) {
    Parts p = reduce(list);
    std::string text = p.re;
    if (p.im != "0") {
        if (p.im.empty() || (p.im[0] != '+' && p.im[0] != '-')) text += "+";
        text += p.im + "i";
    }
    return text;
}

void complex_free(complex_term *list) {
    while (list) {
        complex_term *next = list->next;
        delete list;
        list = next;
    }
}
