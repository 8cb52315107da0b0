// Text of polynomials in several variables: the reader of typed and internal text and the
// writers with the user's or the internal names. The reader works on the zero-terminated
// form of the text and never looks past its end; it refuses only a variable index that is
// negative (-1 would make the factor a constant) or past 64 bits.
#include <iostream>

#include "BigNumber.h"
#include "text_helpers.h"
#include "globals.h"
#include "multipolyn.h"
#include "polynomial/coefficients.h"
#include "polynomial/multipolyn_internal.h"
#include "stop_request.h"
#include "tools.h"

namespace {

using engine::isDigit;
bool isBlank(char c) { return c == ' ' || c == '\t'; }

void skipBlanks(const char *&p) {
    while (isBlank(*p)) p++;
}

// A number text as the reader keeps it: numerical expressions are evaluated on an engine of
// its own with default settings (so "2/3" becomes a decimal), anything else stays.
std::string readerValue(const std::string &text, int32_t flags) {
    if (multipolyn::isCanonicalInteger(text) || !isInfixValid(text)) return text;
    static BigNumber engine;
    std::string value;
    engine.EvalInfixExprNoOutput(text, value, flags);
    return value;
}

// An integer exponent as written without its '+' and leading zeros; past the machine's
// integers the digits stay as they are, never a saturated value.
std::string integerExponent(std::string_view text) {
    int64_t value = 0;
    if (checkedInt64(text, INT64_MIN, INT64_MAX, value)) return std::to_string(value);
    std::string_view digits = text.substr(isDigit(text[0]) ? 0 : 1);
    digits.remove_prefix(digits.find_first_not_of('0'));
    return (text[0] == '-' ? "-" : "") + std::string(digits);
}

// After "^": a signed integer (with a decimal or fraction tail kept as written), a bracketed
// text (evaluated when numerical), or a single character.
std::string readExponent(const char *&p) {
    std::string exponent = "1";
    if (isDigit(*p) || *p == '+' || *p == '-') {
        const char *digits = isDigit(*p) ? p : p + 1, *end = digits;
        while (isDigit(*end)) end++;
        if (end != digits) {
            exponent = integerExponent(std::string_view(p, size_t(end - p)));
            p = end;
            if (*p == '.' || *p == '|') {
                exponent += *p++;
                while (isDigit(*p)) exponent += *p++;
            }
        }
    } else if (*p == '(') {
        bool closed = false;
        const char *q = polyn::pastClosingBracket(p, closed);
        exponent.assign(p, q);
        p = q;
        if (isInfixValid(exponent)) exponent = readerValue(exponent, 1);
        else std::cout << "power=" << exponent << "\n";
    } else if (*p != '\0') {
        exponent.assign(1, *p++);
    }
    skipBlanks(p);
    return exponent;
}

struct FactorText {
    std::string coefficient;
    std::string exponent;
    int64_t index = kConstantIndex;
    std::string refused;  // the answer when the variable's index is out of range
};

// One factor: an optional sign, the coefficient text, a variable and its exponent.
FactorText readFactor(const char *&p, char mainLetter) {
    FactorText f;
    skipBlanks(p);
    const char sign = *p == '-' || *p == '+' ? *p++ : '\0';
    int64_t depth = 0;
    bool variable = false;
    for (char c; (c = *p) != '\0';) {
        if (c == 'x' && p[1] == '_') {
            p += 2;
            std::string_view used;
            if (!multipolyn::readVariableIndex(p, f.index, used)) f.refused = multipolyn::indexRangeMessage(used);
            variable = true;
            break;
        }
        if (c == mainLetter) {
            p++;
            f.index = 0;
            variable = true;
            break;
        }
        if (c == '(') depth++;
        else if (c == ')' && depth > 0) depth--;  // a ')' that closes nothing is coefficient text
        if (depth == 0 && (c == '+' || c == '-' || c == '*' || isBlank(c))) break;
        f.coefficient += c;
        p++;
    }
    if (!variable) f.index = kConstantIndex;
    f.coefficient = f.coefficient.empty() ? "1" : readerValue(f.coefficient, 0);
    if (sign) f.coefficient.insert(f.coefficient.begin(), sign);
    if (*p == '^') {
        p++;
        f.exponent = readExponent(p);
    } else {
        if (*p == '*' || isBlank(*p)) p++;
        f.exponent = "1";
    }
    if (f.index == kConstantIndex) f.exponent = "0";
    if (*p == '*') p++;
    return f;
}

// Reads factors to the end of the text; `eachOwnTerm` makes every factor a term of its own,
// otherwise a factor whose text began with a sign opens a new term.
poly_pt *readFactors(const std::string &text, bool eachOwnTerm, bool &ok) {
    ok = true;
    poly_pt *handle = nullptr, *last = nullptr;
    for (const char *p = text.c_str(); *p != '\0';) {
        FactorText f = readFactor(p, main_var);
        // Saturating the index would make two names one variable.
        if (!f.refused.empty()) {
            multipolyn_free(handle);
            return multipolyn_message_list(f.refused);
        }
        poly_pt *n = new_term_pt(std::move(f.coefficient), std::move(f.exponent), 0);
        if (!n) {
            multipolyn_free(handle);
            ok = false;
            return nullptr;
        }
        n->index = f.index;
        n->starts_term = n->coefficient[0] == '+' || n->coefficient[0] == '-';
        if (!handle) {
            handle = n;
        } else if (eachOwnTerm || n->starts_term) {
            last->next_term = n;
            n->prev_term = last;
        } else {
            last->next = n;
            n->prev = last;
        }
        last = n;
    }
    return handle;
}

std::string termText(poly_pt *first, bool internal) {
    std::string accumulator = "1", names;
    for (poly_pt *f = first; f; f = f->next) {
        if (f->coefficient != "1") {
            accumulator = multipolyn::productText(accumulator, f->coefficient);
            f->coefficient = "1";
        }
        if (f->exponent == "0") continue;
        names += poly_variable_name(f->index, internal);
        if (f->exponent != "1") names += "^" + f->exponent;
    }
    if (first) first->coefficient = accumulator;
    if (accumulator == "1" || accumulator == "+1") return names.empty() ? "1" : names;
    if (accumulator == "-1") return names.empty() ? "-1" : "-" + names;
    return accumulator + names;
}

std::string polynomialText(poly_pt *list, bool internal) {
    if (const std::string *m = multipolyn_message(list)) return *m;
    std::string out;
    for (poly_pt *first = list; first; first = multipolyn_next_term(first)) {
        engineStopPoint();
        std::string t = termText(first, internal);
        if (first == list) out += t[0] == '+' ? t.substr(1) : t;
        else if (t[0] == '+' || t[0] == '-') out += t;
        else out += "+" + t;
    }
    return out;
}

}  // namespace

namespace multipolyn {

bool readVariableIndex(const char *&p, int64_t &index, std::string_view &used) {
    index = 0;
    const char *q = p;
    while (*q == ' ' || (*q >= '\t' && *q <= '\r')) q++;
    const char *sign = q;
    if (*q == '+' || *q == '-') q++;
    const char *digits = q;
    while (isDigit(*q)) q++;
    if (q == digits) {
        used = {};
        return true;
    }
    used = std::string_view(p, size_t(q - p));
    p = q;
    return checkedInt64(std::string_view(sign, size_t(q - sign)), 0, INT64_MAX, index);
}

std::string indexRangeMessage(std::string_view used) {
    return integerRangeMessage("x_" + std::string(used), 0, INT64_MAX);
}

}  // namespace multipolyn

poly_pt *multipolyn_parse(const std::string &text, uint8_t &ok) {
    bool read = false;
    poly_pt *list = readFactors(text, false, read);
    ok = read ? 1 : 0;
    return list;
}

poly_pt *multipolyn_parse_internal(const std::string &text) {
    bool read = false;
    return readFactors(text, true, read);
}

std::string multipolyn_terms_to_text(poly_pt *first) { return termText(first, false); }

std::string multipolyn_terms_to_internal_text(poly_pt *first) { return termText(first, true); }

std::string multipolyn_to_string(poly_pt *list) { return polynomialText(list, false); }

std::string multipolyn_to_internal_string(poly_pt *list) { return polynomialText(list, true); }
