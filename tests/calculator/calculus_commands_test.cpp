// Transcripts of lim and limit, diff and InfixToPostfix, symbol and multipolyn_items; and
// diff typed for random expressions, its answer checked against a central difference.
#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <random>
#include <string>

#include "calculator_test_support.h"
#include "dispatch/builtin_handlers.h"

namespace {

const std::string kClosingBlock = "\n" + texts::rule + "\n\n" + texts::prompt;
const std::string kClosing = "\n" + kClosingBlock;
const std::string kWrongShape = "hint> the input is wrong." + kClosing;
const std::string kLimitUsage = "syntax> lim(expr, x->x_0) or limit(expr, x->x_0)\n" + kClosingBlock;

std::string result(const std::string &value) { return "result> " + value + kClosing; }

TEST(CalculusCommands, Limits) {
    Calculator calculator;
    calculator.setOperatorChars();
    expectTranscript(calculator,
                     {
                         {"lim((x^2-1)/(x-1),x,1)", result("2")},
                         {"limit((x^2-1)/(x-1),x,1)", result("2")},
                         {"lim((x^2-1)/(x-1), x, 1)", result("2")},
                         {"lim((x^2+1)/(2x^2),x,Inf)", result("1|2")},
                         {"lim((1)/(x),x,0)", result("Inf")},
                         // both sides zero for ever: the engine's guard ends it
                         {"lim((0)/(0),x,1)", result("The limit does not exist.")},
                         // the worker answers nothing for a text that is no polynomial
                         {"lim(sin(x),x,1)", result("The numerator or denominator is NOT a polynomial.")},
                         {"lim(a,b,c,d)", kLimitUsage},
                         {"lim()", kWrongShape + kLimitUsage},
                         {"lim((x^2-1)/(x-1),x)", kWrongShape + kLimitUsage},
                     });
    calculator.commandText = "lim(x,x,1";
    find_handler_case("lim")->handler(calculator);
    EXPECT_EQ(calculator.output.str(),
              "paraLongString = x,x,1\npos2=18446744073709551615\nlength=5\n" + kWrongShape + kLimitUsage);
}

TEST(CalculusCommands, DerivativesAndPostfix) {
    Calculator calculator;
    calculator.setOperatorChars();
    expectTranscript(
        calculator, {
                        {"diff(x^3+2x)", "out> 3x^2+2" + kClosing},
                        // the expression tree's own lines are the answer (they went to standard output)
                        {"diff(sin(x))", "input> sin[x]\ndiff> cos[x]" + kClosing},
                        {"diff(x*exp(x))", "input> x*exp[x]\ndiff> x*exp[x]+exp[x]" + kClosing},
                        {"diff(x^2 + sin(x))", "input> x^2+sin[x]\ndiff> x^2*2*1/x+cos[x]" + kClosing},
                        {"diff(x%3)",
                         "out> Error> The expression cannot be read: a bracket, an argument or an operator "
                         "(+ - * / ^) is out of place." +
                             kClosing},
                        {"diff()", kWrongShape},
                        {"InfixToPostfix(1+2*3)", "in> 1+2*3\nout> 1,2,3,*,+,\n" + kClosingBlock},
                        {"InfixToPostfix((5+2)*3/7)", "in> (5+2)*3/7\nout> 5,2,+,3,*,7,/,\n" + kClosingBlock},
                        {"InfixToPostfix()", kWrongShape},
                    });
}

TEST(PolynomialVariableCommands, SymbolAndItems) {
    Calculator calculator;
    calculator.setOperatorChars();
    expectTranscript(
        calculator,
        {
            {"symbol(y,z)", "out> y is a variable for polynomial.\nout> z is a variable for polynomial.\n" +
                                kClosingBlock},
            {"symbol(y)", "Error> Failed to define polynomial variable y with symbol() function.\n" + kClosingBlock},
            {"symbol(x)", "out> x is a variable for polynomial.\n" + kClosingBlock},
            {"symbol(1a,w)", "hint> 1a is NOT a regular variable name.\nout> w is a variable for polynomial.\n" +
                                 kClosingBlock},
            {"symbol()", "hint>  is NOT a regular variable name.\n" + kClosingBlock},
            {"multipolyn_items(x^2*y+2*x*y^2+1)",
             "split> x^2x_1+2xx_1^2+1\ninto items> \n\nx^2x_1\n2xx_1^2\n1\n" + texts::rule + "\nTotal: 3 items.\n\n>> "},
            // a term that cancels is no item
            {"multipolyn_items(x+y-x)", "split> x_1\ninto items> \n\nx_1\n" + texts::rule + "\nTotal: 1 items.\n\n>> "},
            {"multipolyn_items()", "The input is NOT a polynomial.\n" + kClosingBlock},
            {"symbol(a:5,b:-7)", "out> a has been defined.\nout> b has been defined.\n" + kClosingBlock},
            {"b*2", texts::scriptAnswer("-14")},
            // the value is a 32-bit integer (it was read unchecked: -5 became -25)
            {"symbol(c:2.5,d:abc,e:99999999999,f:,g)",
             "Error> Failed to define variable c with symbol() function.\n"
             "Error> Failed to define variable d with symbol() function.\n"
             "Error> Failed to define variable e with symbol() function.\n"
             "Error> Failed to define variable f with symbol() function.\n"
             "Error> Failed to define variable g with symbol() function.\n" +
                 kClosingBlock},
            {"symbol(a:6)", "Error> Failed to define variable a with symbol() function.\n" + kClosingBlock},
        });
}

// ---- diff typed for random expressions ----

// A small evaluator of the expressions drawn below and of the derivatives the command
// writes: numbers, x, + - * / ^, brackets, and the calls sin, cos, exp, ln.
class Evaluator {
public:
    Evaluator(const std::string &text, double x) : s(text), x(x) {}
    std::optional<double> value() {
        std::optional<double> v = sum();
        return v && at == s.size() ? v : std::nullopt;
    }

private:
    std::string s;
    double x;
    size_t at = 0;

    bool eat(char c) {
        if (at < s.size() && s[at] == c) return ++at, true;
        return false;
    }
    std::optional<double> sum() {
        std::optional<double> v = product();
        while (v && at < s.size() && (s[at] == '+' || s[at] == '-')) {
            char op = s[at++];
            std::optional<double> w = product();
            if (!w) return std::nullopt;
            v = op == '+' ? *v + *w : *v - *w;
        }
        return v;
    }
    std::optional<double> product() {
        std::optional<double> v = unary();
        while (v && at < s.size() && (s[at] == '*' || s[at] == '/')) {
            char op = s[at++];
            std::optional<double> w = unary();
            if (!w) return std::nullopt;
            v = op == '*' ? *v * *w : *v / *w;
        }
        return v;
    }
    // A minus applies to the power after it: -a^2 is -(a^2).
    std::optional<double> unary() {
        if (eat('-')) {
            std::optional<double> v = unary();
            return v ? std::optional<double>(-*v) : std::nullopt;
        }
        return power();
    }
    std::optional<double> power() {
        std::optional<double> v = atom();
        if (v && eat('^')) {
            std::optional<double> w = unary();
            if (!w) return std::nullopt;
            v = std::pow(*v, *w);
        }
        return v;
    }
    std::optional<double> atom() {
        if (eat('(') || eat('[') || eat('{')) {
            std::optional<double> v = sum();
            if (!(eat(')') || eat(']') || eat('}'))) return std::nullopt;
            return v;
        }
        if (at < s.size() && (isdigit(static_cast<unsigned char>(s[at])) || s[at] == '.')) {
            size_t end = at;
            while (end < s.size() && (isdigit(static_cast<unsigned char>(s[end])) || s[end] == '.')) end++;
            double v = std::stod(s.substr(at, end - at));
            at = end;
            return v;
        }
        static const struct {
            const char *name;
            double (*f)(double);
        } kCalls[] = {{"sin", [](double v) { return std::sin(v); }},
                      {"cos", [](double v) { return std::cos(v); }},
                      {"exp", [](double v) { return std::exp(v); }},
                      {"ln", [](double v) { return std::log(v); }}};
        for (const auto &call : kCalls) {
            const std::string name = call.name;
            if (s.compare(at, name.size(), name) == 0 && at + name.size() < s.size() &&
                (s[at + name.size()] == '(' || s[at + name.size()] == '[')) {
                at += name.size();
                std::optional<double> v = atom();
                return v ? std::optional<double>(call.f(*v)) : std::nullopt;
            }
        }
        if (eat('x')) return x;
        return std::nullopt;
    }
};

class ExpressionMaker {
public:
    explicit ExpressionMaker(unsigned seed) : random(seed) {}
    std::string make(int depth) {
        if (depth == 0) return pick(3) == 0 ? std::to_string(1 + pick(5)) : "x";
        switch (pick(7)) {
        case 0: return make(depth - 1) + "+" + make(depth - 1);
        case 1: return make(depth - 1) + "*" + make(depth - 1);
        case 2: return "(" + make(depth - 1) + ")^" + std::to_string(2 + pick(2));
        case 3: return "sin(" + make(depth - 1) + ")";
        case 4: return "cos(" + make(depth - 1) + ")";
        case 5: return "exp(" + make(depth - 1) + ")";
        default: return "ln((" + make(depth - 1) + ")^2+1)";
        }
    }
    double point() { return std::uniform_real_distribution<double>(0.3, 1.5)(random); }

private:
    std::mt19937 random;
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); }
};

// The derivative the command wrote: the polynomial after "out> ", or the line after "diff> ".
std::optional<std::string> derivativeShown(const std::string &shown) {
    const size_t end = shown.find(kClosing);
    if (end == std::string::npos) return std::nullopt;
    if (shown.starts_with("out> ")) return shown.substr(5, end - 5);
    const size_t diff = shown.find("\ndiff> ");
    if (diff == std::string::npos) return std::nullopt;
    return shown.substr(diff + 7, end - diff - 7);
}

// The polynomial form writes 3x^2 for 3*x^2: put the product back for the evaluator.
std::string withProducts(const std::string &text) {
    std::string out;
    for (size_t k = 0; k < text.size(); k++) {
        if (text[k] == 'x' && k > 0 && (isdigit(static_cast<unsigned char>(text[k - 1])) || text[k - 1] == '|')) out += '*';
        out += text[k] == '|' ? '/' : text[k];
    }
    return out;
}

TEST(CalculusCommands, DiffAgreesWithCentralDifferences) {
    Calculator calculator;
    calculator.setOperatorChars();
    ExpressionMaker maker(20261211);
    int compared = 0;
    for (int i = 0; i < 150; i++) {
        const std::string f = maker.make(1 + i % 3);
        captureStdout([&] { processInputLine("diff(" + f + ")", calculator); });
        const std::string shown = shownText(calculator);
        std::optional<std::string> derivative = derivativeShown(shown);
        ASSERT_TRUE(derivative.has_value()) << f << "\n" << shown;
        const std::string d = withProducts(*derivative);
        const double x = maker.point(), h = 1e-5;
        std::optional<double> a = Evaluator(f, x + h).value(), b = Evaluator(f, x - h).value();
        std::optional<double> slope = Evaluator(d, x).value();
        ASSERT_TRUE(a && b) << f;
        ASSERT_TRUE(slope.has_value()) << f << " -> " << d;
        const double central = (*a - *b) / (2 * h);
        if (!std::isfinite(central) || std::fabs(central) > 1e6) continue;
        EXPECT_NEAR(*slope, central, 1e-4 * (1 + std::fabs(central))) << f << " -> " << d << " at " << x;
        compared++;
    }
    EXPECT_GT(compared, 120);
}

}  // namespace
