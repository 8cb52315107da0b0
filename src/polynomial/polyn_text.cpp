// One-variable polynomial text: the reader of typed text, the reader of the engine's own
// forms, the writers and the small text services. The readers work on the zero-terminated
// form of the text and never look past its end.
#include <cstdint>

#include "BigNumber.h"
#include "globals.h"
#include "polynomial.h"
#include "polynomial/coefficients.h"
#include "stop_request.h"
#include "text_helpers.h"
#include "tools.h"

namespace {

using engine::isDigit;
bool isLetterOrDigit(char c) { return isDigit(c) || engine::isLetter(c); }
bool isWhite(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

void skipWhite(const char *&p) {
    while (isWhite(*p)) p++;
}

// The signs before a term, multiplied: -1 for an odd count of '-', +1 otherwise. A run
// like "--x" is one term x, never an empty term 0 followed by -x.
int readSign(const char *&p) {
    int sign = 1;
    for (skipWhite(p); *p == '-' || *p == '+'; skipWhite(p)) {
        if (*p == '-') sign = -sign;
        p++;
    }
    return sign;
}

// The coefficient: everything up to the variable, the end, a sign, '^' or ')' outside
// brackets, or a '(' right after a letter or digit (a product the reader does not take).
// A '(' as the first character is taken without opening a bracket.
std::string readCoefficient(const char *&p, char var) {
    std::string taken;
    int64_t depth = 0;
    bool atVariable = false;
    for (char c; (c = *p) != '\0'; p++) {
        if (c == var) {
            atVariable = true;
            break;
        }
        if (depth == 0 && (c == '+' || c == '-' || c == '^' || c == ')')) break;
        if (c == '(') {
            if (!taken.empty() && isLetterOrDigit(taken.back())) break;
            if (!taken.empty()) depth++;
        } else if (c == ')') {
            depth--;
        }
        taken += c;
    }
    if (taken.empty()) return atVariable ? "1" : "0";
    if (!polyn::isPlainNumber(taken) && isInfixValid(taken)) {
        std::string value;
        bignumber_global.EvalInfixExprNoOutput(taken, value, 1);
        taken = reduce_fraction(value);
    }
    if (taken.size() > 1 && taken.back() == '*') taken += '1';
    return taken;
}

// A signed integer as the C library reads one (no digit after the sign: 1, nothing taken);
// false when it does not fit in 64 bits.
bool readSignedExponent(const char *&p, int64_t &exponent) {
    const char *q = p + (*p == '+' || *p == '-' ? 1 : 0);
    if (!isDigit(*q)) {
        exponent = 1;
        return true;
    }
    while (isDigit(*q)) q++;
    if (!checkedInt64(std::string_view(p, size_t(q - p)), INT64_MIN, INT64_MAX, exponent)) return false;
    p = q;
    return true;
}

// After "^": a signed integer, or a bracketed numerical expression whose value is an
// integer. A bracket the text never closes, a fraction or a decimal is refused.
bool readExponentNumber(const char *&p, int64_t &exponent) {
    if (isDigit(*p) || *p == '+' || *p == '-') {
        if (!readSignedExponent(p, exponent)) return false;
        return *p != '.' && *p != '|';
    }
    if (*p != '(') return false;
    bool closed = false;
    const char *q = polyn::pastClosingBracket(p, closed);
    if (!closed) return false;
    std::string inner(p, q);
    p = q;
    if (!isInfixValid(inner)) return false;
    std::string value;
    bignumber_global.EvalInfixExprNoOutput(inner, value, 0);
    return checkedInt64(value, INT64_MIN, INT64_MAX, exponent);
}

bool readExponentPart(const char *&p, char var, int64_t &exponent) {
    skipWhite(p);
    exponent = 0;
    if (*p != var) return *p == '+' || *p == '-' || *p == '\0';
    p++;
    exponent = 1;
    if (*p == '\0' || *p == '+' || *p == '-') return true;
    if (*p != '^') return false;
    p++;
    return readExponentNumber(p, exponent);
}

// One term of typed text, or null when the term (and so the text) is refused.
poly *parseTerm(const char *&p, char var) {
    if (*p == '@' || *p == ',' || *p == '[') return nullptr;
    int sign = readSign(p);
    std::string coefficient = readCoefficient(p, var);
    if (sign < 0) coefficient = "-" + coefficient;
    if (coefficient.back() == '(') return nullptr;
    if (*p == '*') p++;
    if (*p == '@') return nullptr;
    int64_t exponent = 0;
    if (!readExponentPart(p, var, exponent)) return nullptr;
    return new_term(coefficient, exponent);
}

// The body of a term in the engine's forms: powers of the variable and numbers, multiplied.
// Returns false at a character those forms never hold (the reading stops there).
bool readInternalBody(const char *&p, char var, int64_t &exponent, std::string &factor) {
    skipWhite(p);
    exponent = 0;
    factor = "1";
    while (*p != '\0' && *p != '+' && *p != '-') {
        int64_t step = 1;
        if (*p == var) {
            p++;
            if (*p == '^') {
                p++;
                if (!readSignedExponent(p, step)) return false;
            } else if (*p == '*') {
                p++;
            }
            if (!polyn::addExponents(exponent, step, exponent)) return false;
        } else if (isDigit(*p)) {
            factor += "*" + readCoefficient(p, var);
        } else if (*p == '*') {
            p++;
        } else {
            return false;
        }
    }
    return true;
}

void writeSeparator(std::string &out, const poly *t, bool first) {
    if (!first && (t->coefficient.empty() || (t->coefficient[0] != '-' && t->coefficient[0] != '+'))) out += '+';
}

// The display form of one term.
void writeDisplayTerm(std::string &out, const poly *t, const std::string &v) {
    const std::string &c = t->coefficient;
    if (t->exponent == 0) {
        out += c;
        return;
    }
    if (c == "-1") out += '-';
    else if (c != "1") out += c;
    out += v;
    if (t->exponent != 1) out += "^" + std::to_string(t->exponent);
}

// The display form of a list walked along `next` or along `prev`.
std::string displayText(const poly *list, bool alongNext) {
    const std::string v = polyn_variable_text();
    std::string text;
    for (const poly *t = list; t; t = alongNext ? t->next : t->prev) {
        engineStopPoint();
        writeSeparator(text, t, t == list);
        writeDisplayTerm(text, t, v);
    }
    return text;
}

}  // namespace

std::string polyn_variable_text() {
    return poly_internal_names.empty() ? std::string(1, main_var) : poly_internal_names[0];
}

poly *polyn_parse(const std::string &text, bool &ok) {
    ok = true;
    if (text.find_first_of("[]") != std::string::npos) {
        ok = false;
        return nullptr;
    }
    poly *handle = nullptr, *last = nullptr;
    TermsFreedOnUnwind unfinished(handle);
    for (const char *p = text.c_str(); *p != '\0';) {
        const char *before = p;
        engineStopPoint();
        poly *t = parseTerm(p, main_var);
        if (!t || p == before) {
            delete t;
            free_term_list(handle);
            ok = false;
            return nullptr;
        }
        append_term(handle, last, t, true);
    }
    return handle;
}

poly *polyn_parse_internal(const std::string &text) {
    poly *handle = nullptr, *last = nullptr;
    TermsFreedOnUnwind unfinished(handle);
    for (const char *p = text.c_str(); *p != '\0';) {
        const char *before = p;
        engineStopPoint();
        int sign = readSign(p);
        std::string coefficient = readCoefficient(p, main_var);
        if (sign < 0) coefficient = "-" + coefficient;
        if (*p == '*') p++;
        int64_t exponent = 0;
        std::string factor;
        bool whole = readInternalBody(p, main_var, exponent, factor);
        std::string value;
        bignumber_global.EvalInfixExprNoOutput(coefficient + "*" + factor, value, 1);
        if (poly *t = new_term(reduce_fraction(value), exponent)) append_term(handle, last, t, true);
        if (!whole || p == before) break;
    }
    return handle;
}

std::string polyn_to_string(const poly *list) {
    const std::string v = polyn_variable_text();
    std::string out;
    for (const poly *t = list; t; t = t->prev) {
        engineStopPoint();
        writeSeparator(out, t, t == list);
        const std::string &c = t->coefficient;
        if (t->exponent == 0) out += c;
        else if (c == "1") out += v + "^" + int64_to_text(t->exponent);
        else if (c == "0" && !t->prev) out += "0";
        else out += c + v + "^" + int64_to_text(t->exponent);
    }
    return out;
}

std::string polyn_forward_to_string(const poly *list) {
    const std::string v = polyn_variable_text();
    std::string out;
    for (const poly *t = list; t; t = t->next) {
        engineStopPoint();
        writeSeparator(out, t, t == list);
        const std::string &c = t->coefficient;
        if (t->exponent == 0) {
            out += c;
            continue;
        }
        if (c != "1") out += c;
        out += v;
        if (t->exponent != 1) out += "^" + int64_to_text(t->exponent);
    }
    return out;
}

void polyn_print_forward(const poly *list, std::ostream &out) { out << displayText(list, true); }

void polyn_print_backward(const poly *list, std::ostream &out) { out << displayText(list, false); }

int64_t polyn_deg(const std::string &text) {
    if (text.empty()) return -2;
    bool ok = false;
    TermList list(polyn_parse(text, ok));
    if (!ok) return -1;
    TermList sorted(polyn_sort_desc(list.get()));
    return sorted ? sorted->exponent : -2;
}

size_t polyn_split_items(poly *list, std::vector<poly *> &items) {
    const bool forward = is_forward_list(list);
    while (list) {
        poly *after = forward ? list->next : list->prev;
        list->next = list->prev = nullptr;
        items.push_back(list);
        list = after;
    }
    return items.size();
}

std::string int64_to_text(int64_t value) { return std::to_string(value); }
