// The one-variable polynomial commands: normal form, recognition, degree, integral,
// division, monic form, terms, greatest common divisors, the primitive and Eisenstein tests
// and Lagrange interpolation. Texts become term lists through the polynomial reader; a text
// that it refuses (the empty text too) is answered with a hint and nothing is computed.
// The interpreter keeps the blanks of a call in its command text; these commands read none,
// so each handler drops them first.
#include <set>
#include <utility>
#include <vector>

#include "Calculator.h"
#include "handlers/families.h"
#include "handlers/handler_frame.h"
#include "handlers/item_listing.h"
#include "interpreter/texts.h"
#include "polynomial.h"
#include "text/string_utils.h"
#include "tools.h"

namespace {

constexpr int32_t kFractionMode = 1;

// The polynomial of a text, normalised (descending, like terms merged, zero terms gone);
// null when the reader refuses the text or it is empty.
TermList readPolynomial(const std::string &text) {
    bool ok = false;
    TermList parsed(polyn_parse(text, ok));
    if (!ok || !parsed) return nullptr;
    return TermList(polyn_normalize(parsed.get()));
}

// "hint> " + text + why + the closing: an operand that is the zero polynomial.
void writeZeroPolynomialHint(std::ostream &out, const std::string &text, const char *why) {
    out << "hint> " << text << " is the zero polynomial, " << why;
    writeClosing(out);
}
const char *const kDividesNothing = "which divides nothing.";

// A number or numerical expression by its value in fractions, any other text as itself.
std::string valueKey(Calculator &calculator, const std::string &text) {
    if (!isInfixValid(text)) return "text " + text;
    std::string value;
    calculator.core.EvalInfixExprNoOutput(text, value, kFractionMode);
    return value;
}

// The closed rest whose last ")" ends it; false after the diagnostic lines and the shape
// hint.
bool closedLastRest(Calculator &calculator, std::string &text, std::ostream &out) {
    if (closedRest(calculator.commandText, text, Close::Last)) return true;
    writeRestDiagnostics(out, restAfterOpen(calculator.commandText));
    writeShapeHint(out);
    return false;
}

// The first-bracket argument whose ")" must also end the command text.
bool strictFirstBracket(const std::string &text, std::string &argument) {
    const size_t close = text.find(')');
    return close != std::string::npos && close + 1 == text.size() && firstBracketArgument(text, argument);
}

void cmd_simplify(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::string text;
    if (!getParenArgument(calculator, text, out)) return;
    readBackMinus(text);
    TermList p = readPolynomial(text);
    if (!p) return writeHint(out, text, Hint::NotPolynomial);
    writeAnswer(out, polyn_to_string(p.get()));
}

// Shown in its normal form: the reader's own list keeps products such as 2*1x as typed.
void cmd_ispolyn(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::string text;
    if (!getParenArgument(calculator, text, out)) return;
    TermList p = readPolynomial(text);
    if (!p) {
        out << "\nNo\n" << kPrompt;
        return;
    }
    polyn_print_backward(p.get(), out);
    out << "\nYes\n" << kPrompt;
}

void cmd_integrate(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::string text;
    if (!wholeBracketArgument(calculator.commandText, text, false)) return writeShapeHint(out);
    TermList p = readPolynomial(text);
    if (!p) return writeAnswer(out, text + std::string(hintMessage(Hint::NotPolynomial)));
    // The power rule divides by the exponent plus one: x^-1 would be divided by 0.
    for (const poly *t = p.get(); t; t = walk_next(p.get(), t)) {
        if (t->exponent == -1) {
            const std::string x = polyn_variable_text();
            out << "hint> " << text << " has a term in " << x << "^-1, whose integral ln(" << x
                << ") is no polynomial.";
            return writeClosing(out);
        }
    }
    TermList integral(polyn_integrate(p.get()));
    writeAnswer(out, polyn_to_string(integral.get()));
}

void cmd_deg(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::string text;
    if (!wholeBracketArgument(calculator.commandText, text, false)) return writeShapeHint(out);
    const int64_t degree = polyn_deg(text);
    if (degree == -1) return writeAnswer(out, text + std::string(hintMessage(Hint::NotPolynomial)));
    if (degree == -2) return writeAnswer(out, "the input " + text + " is empty.");
    writeAnswer(out, std::to_string(degree));
}

void cmd_monic_polyn(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::string text;
    if (!closedRest(calculator.commandText, text, Close::First)) return writeShapeHint(out);
    TermList p = readPolynomial(text);
    if (!p) return writeHint(out, text, Hint::NotPolynomial);
    if (polyn_is_zero(p.get())) return writeZeroPolynomialHint(out, text, "which has no leading coefficient.");
    TermList monic(polyn_make_monic(p.get()));
    out << "out> ";
    polyn_print_backward(monic.get(), out);
    writeClosingBlock(out);
}

void cmd_polyn_items(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    TermList p = readPolynomial(uncheckedWholeBracket(calculator.commandText));
    if (!p) {
        out << "The input is NOT a polynomial.\n";
        return writeClosingBlock(out);
    }
    out << "split> " << polyn_to_string(p.get()) << "\n";
    std::vector<poly *> items;
    polyn_split_items(p.release(), items);
    std::vector<TermList> owned;
    for (poly *item : items) owned.emplace_back(item);
    out << "into items> \n\n";
    for (const TermList &item : owned) out << polyn_to_string(item.get()) << "\n";
    writeItemTotal(out, owned.size());
}

void cmd_div(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::string a, b;
    if (!twoArguments(calculator.commandText, a, b, Close::First)) return writeShapeHint(out);
    TermList dividend = readPolynomial(a), divisor = readPolynomial(b);
    if (!dividend || !divisor) {
        if (!dividend) out << a << hintMessage(Hint::NotPolynomialOfX) << "\n";
        if (!divisor) out << b << hintMessage(Hint::NotPolynomialOfX) << "\n";
        return writeClosingBlock(out);
    }
    if (polyn_is_zero(divisor.get())) return writeZeroPolynomialHint(out, b, kDividesNothing);
    const PolynDivision division = polyn_divide(dividend.get(), divisor.get());
    TermList quotient(division.quotient), remainder(division.remainder);
    quotient.reset(polyn_drop_zero_terms(quotient.release()));
    remainder.reset(polyn_drop_zero_terms(remainder.release()));
    if (const std::string *message = polyn_message(quotient.get())) {
        out << *message << "\n";
        return writeClosingBlock(out);
    }
    std::string summary = polyn_to_string(quotient.get());
    if (remainder && !polyn_is_zero(remainder.get())) {
        out << "\n quotient> q(x) = ";
        polyn_print_backward(quotient.get(), out);
        out << "\nremainder> r(x) = ";
        polyn_print_backward(remainder.get(), out);
        out << "\n";
        const std::string q = polyn_to_string(quotient.get());
        summary = (q == "0" || q.empty() ? std::string() : "(" + q + ")+") + "(" + polyn_to_string(remainder.get()) +
                  ")/(" + polyn_to_string(divisor.get()) + ")";
    }
    out << "\n" << summary;
    writeClosingBlock(out);
}

void cmd_Gcd2(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::string a, b;
    if (!twoArguments(calculator.commandText, a, b, Close::First)) return writeShapeHint(out);
    TermList f = readPolynomial(a), g = readPolynomial(b);
    if (!f || !g) return writeHint(out, a, b, Hint::NotPolynomialShort);
    // Euclid's steps divide by each operand in turn.
    if (polyn_is_zero(f.get())) return writeZeroPolynomialHint(out, a, kDividesNothing);
    if (polyn_is_zero(g.get())) return writeZeroPolynomialHint(out, b, kDividesNothing);
    out << "out> \n";
    TermList gcd(polyn_gcd_steps(f.get(), g.get(), out));
    out << "The greatest common divisor is:\n";
    polyn_print_backward(gcd.get(), out);
    writeClosingBlock(out);
}

// The gcd of two or more polynomials; a zero polynomial divides nothing and changes no gcd,
// so it is passed over.
void cmd_Gcd(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::string text;
    if (!closedLastRest(calculator, text, out)) return;
    if (text.find(',') == std::string::npos) {
        writeUsageLine(out, "Gcd(poly1,poly2,poly3,...,polyK)");
        return writeClosingBlock(out);
    }
    std::vector<std::string> items;
    calculator.core.splitAtChar(text, items, ',');
    std::vector<TermList> lists;
    for (const std::string &item : items) {
        TermList p = readPolynomial(item);
        if (!p) return writeHint(out, item, Hint::NotPolynomial);
        if (!polyn_is_zero(p.get())) lists.push_back(std::move(p));
    }
    TermList gcd(lists.empty() ? polyn_parse_internal("0") : lists.front().release());
    for (size_t k = 1; k < lists.size() && !polyn_is_one(gcd.get()); k++)
        gcd.reset(polyn_gcd_list(gcd.get(), lists[k].get()));
    polyn_print_backward(gcd.get(), out);
    writeClosingBlock(out);
}

void cmd_PrimitivePolyn(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::string text;
    if (!strictFirstBracket(calculator.commandText, text)) return writeShapeHint(out);
    TermList p = readPolynomial(text);
    if (!p) return writeHint(out, text, Hint::NonDigit);
    out << "out> " << (isPrimitivePolyn(p.get()) ? "true " : "false ");
    writeClosing(out);
}

void cmd_Eisenstein(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::string text;
    if (!strictFirstBracket(calculator.commandText, text)) return writeShapeHint(out);
    TermList p = readPolynomial(text);
    if (!p) return writeHint(out, text, Hint::NonDigit);
    std::string prime;
    if (eisenstein_criterion(p.get(), prime, out))
        out << "out> True, it is an irreducible polynomial on Q.\n"
               "(The prime number that satisfies the Eisenstein conditions is "
            << prime << ".)\n";
    else
        out << "out> False, it doesn't satisfy the conditions of Eisenstein's discriminant rule.\n";
    writeClosingBlock(out);
}

// Points x,y separated by ";". Each needs its own x and y, and no x may repeat: the basis
// polynomials divide by the differences of the x.
void cmd_LagrangePolyn(Calculator &calculator) {
    deleteBlanks(calculator.commandText);
    std::ostream &out = startAnswer(calculator);
    std::string text;
    if (!closedLastRest(calculator, text, out)) return;
    std::vector<std::pair<std::string, std::string>> points;
    std::set<std::string> seen;  // the x by value, so that 1/2 and 0.5 meet
    for (const std::string &point : split_by_char(text, ';')) {
        if (point.empty()) continue;  // a ";" at the end, or two in a row
        const size_t comma = point.find(',');
        if (comma == std::string::npos || comma == 0 || comma + 1 == point.size() ||
            point.find(',', comma + 1) != std::string::npos) {
            out << "hint> " << point << " is not a point x,y.";
            return writeClosing(out);
        }
        std::string x = point.substr(0, comma);
        if (!seen.insert(valueKey(calculator, x)).second) {
            out << "hint> " << x << " is the x of two points: the points need distinct x.";
            return writeClosing(out);
        }
        points.emplace_back(std::move(x), point.substr(comma + 1));
    }
    if (points.empty()) {
        writeUsageLine(out, "Lagrange_Polyn(x1,y1;x2,y2;...;xn,yn)");
        return writeClosingBlock(out);
    }
    lagrange_interpolate(points, out);
    writeClosingBlock(out);
}

constexpr HandlerCase kCases[] = {
    {"simplify", cmd_simplify},
    {"ispolyn", cmd_ispolyn},
    {"integrate", cmd_integrate},
    {"deg", cmd_deg},
    {"monic_polyn", cmd_monic_polyn},
    {"polyn_items", cmd_polyn_items},
    {"div", cmd_div},
    {"Gcd2", cmd_Gcd2},
    {"Gcd", cmd_Gcd},
    {"PrimitivePolyn", cmd_PrimitivePolyn},
    {"Eisenstein", cmd_Eisenstein},
    {"LagrangePolyn", cmd_LagrangePolyn},
};

}  // namespace

std::span<const HandlerCase> polynomial_handlers() { return kCases; }
