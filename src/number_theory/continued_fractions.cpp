// Simple continued fractions of numbers and back, Farey sequences and continuants.
#include <algorithm>

#include "BigNumber.h"
#include "engine/engine_internal.h"
#include "nat/nat.h"
#include "number_routines.h"
#include "number_theory/routines_internal.h"
#include "tools.h"
#include "stop_request.h"

using namespace engine;

namespace {

const char *const kInvalidNumber = "Error: Invalid number input.";
const char *const kFracOpen = "+\\frac{1}{";  // ten characters
constexpr size_t kFracOpenLength = 10;
// Euclid's loop takes about 2.4 passes a digit, each on the whole numbers, and the steps
// text grows with the square of their length.
constexpr size_t kMaxDigits = 5000;
// The Farey sequence of order n has about 0.3 n^2 members, all kept in the list.
constexpr int64_t kMaxFareyOrder = 1000;

bool wantsSteps(const std::string &detail) { return detail == "detail" || detail == "true" || detail == "t"; }

// The fraction text of x, or false: a fraction as written, a real number converted, an
// expression evaluated as a fraction. The parts must be digits with a non-zero denominator.
bool asFraction(BigNumber &bn, const std::string &x, bool &negative, std::string &numerator,
                std::string &denominator) {
    std::string m;
    if (x.empty()) return false;
    if (BigNumber::isFraction(x)) m = x;
    else if (BigNumber::isRealNumber(x)) m = bn.decimal_to_fraction(x);
    else if (isInfixValid(x)) m = routines::fractionValue(bn, x);
    else return false;
    negative = startsWith(m, '-');
    std::string_view body = unsignedPart(m);
    size_t bar = body.find('/');
    if (bar == std::string_view::npos) bar = body.find('|');
    if (bar == std::string_view::npos) {
        numerator = std::string(body);
        denominator = "1";
    } else {
        numerator = std::string(body.substr(0, bar));
        denominator = std::string(body.substr(bar + 1));
    }
    if (numerator.empty() || !allDigits(numerator) || denominator.empty() || !allDigits(denominator) ||
        isZeroInteger(denominator))
        return false;
    if (isZeroInteger(numerator)) negative = false;
    return true;
}

}  // namespace

std::string BigNumber::continuedFraction(const std::string &x, std::string &expression, std::string &detail,
                                         std::string &tex) {
    bool negative;
    std::string A, B;
    if (!asFraction(*this, x, negative, A, B)) {
        outStream << "str=" << x << std::endl;
        return kInvalidNumber;
    }
    if (A.size() > kMaxDigits || B.size() > kMaxDigits)
        return "Error: continued fractions are made of numbers of at most " + std::to_string(kMaxDigits) + " digits.";
    bool steps = wantsSteps(detail);
    std::string list = "(", expr, stepText, texText;
    // Euclid's loop on limbs: only the quotients (and the remainders of the steps) become text
    nat::Nat numerator = nat::from_decimal(A), denominator = nat::from_decimal(B), remainder;
    bool started = false, negativeFirstPass = false;
    if (negative) {
        nat::Nat q, r;
        nat::divmod(numerator, denominator, q, r);
        if (nat::is_zero(r)) {
            std::string text = "-" + nat::to_decimal(q);
            expression = tex = text;
            detail.clear();
            return "(" + text + ")";
        }
        nat::add_small(q, 1);
        std::string floorText = "-" + nat::to_decimal(q);  // the floor of the number
        list += floorText + ",";
        expr = texText = floorText + "+";
        numerator = nat::sub(denominator, r);
        remainder = r;
        started = negativeFirstPass = true;
    }
    size_t passes = 0;
    while (!started || !nat::is_zero(remainder)) {
        engineStopPoint();
        started = true;
        nat::Nat q, r;
        nat::divmod(numerator, denominator, q, r);
        std::string H = routines::integerText(q, false);
        if (steps) stepText += "q=" + H + "; r2=" + routines::integerText(r, false) + "\n";
        if (negativeFirstPass) {
            expr += "1/(";
            texText += "\\frac{1}{";
            negativeFirstPass = false;
        } else {
            list += H + ",";
            expr += H + "+1/(";
            texText += H + kFracOpen;
        }
        numerator.swap(denominator);
        denominator = r;
        remainder.swap(r);
        passes++;
    }
    expr.resize(expr.size() - 4);
    texText.resize(texText.size() - kFracOpenLength);
    expr.append(passes - 1, ')');
    texText.append(passes - 1, '}');
    list.back() = ')';
    expression = expr;
    detail = stepText;
    tex = texText;
    return list;
}

std::string BigNumber::continuedFractionValue(const std::vector<std::string> &list, std::string &expression,
                                              std::string &tex) {
    // Quotients are numbers or expressions of numbers (a list in fraction mode keeps its
    // expressions in parentheses); any other text is refused before it is evaluated.
    auto isQuotient = [](const std::string &q) {
        size_t bar = q.find_first_of("/|");
        bool fraction = isFraction(q) && bar != std::string::npos && bar > 0 && bar + 1 < q.size();
        return routines::isNumberText(q) || fraction || isInfixValid(q);
    };
    if (list.empty() || !std::all_of(list.begin(), list.end(), isQuotient)) return kInvalidNumber;
    expression.clear();
    tex.clear();
    for (size_t i = 0; i + 1 < list.size(); i++) {
        expression += list[i] + "+1/(";
        tex += list[i] + kFracOpen;
    }
    expression += list.back();
    tex += list.back();
    expression.append(list.size() - 1, ')');
    tex.append(list.size() - 1, '}');
    return routines::fractionValue(*this, expression);
}

// Members by the neighbour rule: after a/b and c/d the next member is (k c - a)/(k d - b)
// with k = (n + b) div d, the fraction of largest denominator up to n right of c/d.
std::string BigNumber::fareySequence(const std::string &n, std::vector<std::string> &list,
                                     bool withContinuedFractions) {
    std::string order = n;
    if (!isPositiveInteger(order)) return "0";
    int64_t N;
    if (!checkedInt64(order, 1, kMaxFareyOrder, N)) return integerRangeMessage(order, 1, kMaxFareyOrder);
    auto noteFraction = [&](const std::string &member) {
        if (!withContinuedFractions) return;
        std::string expression, detail, tex;
        std::string quotients = continuedFraction(member, expression, detail, tex);
        outStream << member << " = " << quotients << std::endl;
    };
    list.clear();
    list.push_back("0/1");
    list.push_back("1/" + order);
    noteFraction(list.back());
    if (N == 1) return "2";
    for (int64_t a = 0, b = 1, c = 1, d = N; !(c == N - 1 && d == N);) {
        engineStopPoint(uint64_t(d));
        int64_t k = (N + b) / d;
        int64_t e = k * c - a, f = k * d - b;
        a = c;
        b = d;
        c = e;
        d = f;
        list.push_back(std::to_string(c) + "/" + std::to_string(d));
        noteFraction(list.back());
    }
    if (withContinuedFractions) outStream << std::endl;
    list.push_back("1/1");
    return std::to_string(list.size());
}

// The continuant of number texts; a list with any other text is refused, which the
// arithmetic would otherwise carry on as growing symbolic terms.
std::string euler_brackets(const std::vector<std::string> &items) {
    if (items.empty()) return "1";
    if (items.size() == 1) return items[0];
    if (!std::all_of(items.begin(), items.end(), routines::isNumberText)) return kInvalidNumber;
    BigNumber bn;
    std::string before = "1", current = items[0];
    for (size_t i = 1; i < items.size(); i++) {
        std::string product = bn.multiplication(current, items[i]);
        std::string next = bn.addition(before, product);
        before = current;
        current = next;
    }
    return current;
}
