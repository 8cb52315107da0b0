#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "calculus_test_support.h"
#include "globals.h"
#include "tools.h"

namespace {

class DiffWorker : public calculus_test::WithDerivativeRules {
protected:
    // The answer, and checks that the same text went to the stream.
    static std::string diff(const std::string &argument) {
        std::ostringstream out;
        testing::internal::CaptureStdout();
        std::string answer = diff_expression(argument, out);
        testing::internal::GetCapturedStdout();
        EXPECT_EQ(out.str(), answer) << argument;
        return answer;
    }
};

std::string repeated(const std::string &step, int times) {
    std::string out;
    for (int i = 0; i < times; i++) out += step;
    return out;
}

}  // namespace

TEST_F(DiffWorker, PolynomialsAndExpressions) {
    const struct {
        const char *argument, *answer;
    } cases[] = {
        // Polynomials go through the polynomial code and come back in its form.
        {"x^3+2*x", "3x^2+2"},
        {"x^2", "2x^1"},
        {"5-x", "-1"},
        {"3--x", "1"},  // minus a negation
        {"", ""},
        // Everything else through the tree.
        {"sin(x)", "cos(x)"},
        {"x*sin(x)", "x*cos(x)+sin(x)"},
        {"cos(f(x))", "-sin(f(x))*f'(x)*1"},
        {"sin(2x)+cos(f(t^2))", "cos(2*x)*2-sin(f(t^2))*f'(t^2)*0"},
        {"sin(cos(x))", "-cos(cos(x))*sin(x)"},
        {"x/sin(x)", "(sin(x)-x*cos(x))/(sin(x)*sin(x))"},
        {"arcsin(x)", "1/sqrt((1-x^2))"},
        {"f(x)", "f'(x)*1"},
        {"h(x,y)", "h_1(x,y)*1+h_2(x,y)*0"},
        {"x^x", "x^x*(ln(x)+x*1/x)"},
        {"-sin(x)", "-cos(x)"},
        // An argument that begins with a bracket stays whole inside its call.
        {"sin((x+1)*2)", "cos((x+1)*2)*2"},
        {"f((x),(x+1)^2)", "f_1(x,(x+1)^2)*1+f_2(x,(x+1)^2)*(x+1)^2*2*1/(x+1)"},
        // 1/x reads as a polynomial term, but expands to a quotient: the tree answers.
        {"1/x", "-1/(x*x)"},
        // Brackets are no polynomial text: the tree folds nothing beyond 0 and 1.
        {"(2*x+1)/3", "2*3/(3*3)"},
        // A numerical expression is differentiated as its value.
        {"(2+3)*4", "0"},
        {"(x+1)*(x-1)", "(x+1)+(x-1)"},
    };
    for (const auto &c : cases) EXPECT_EQ(diff(c.argument), c.answer) << c.argument;
}

TEST_F(DiffWorker, TraceOnStandardOutput) {
    std::ostringstream out;
    testing::internal::CaptureStdout();
    diff_expression("sin(x)", out);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "input> sin[x]\ndiff> cos[x]");
    EXPECT_EQ(out.str(), "cos(x)");
}

TEST_F(DiffWorker, TheMainVariable) {
    const char saved = main_var;
    main_var = 't';
    EXPECT_EQ(diff("sin(2x)+cos(f(t^2))"), "-sin(f(t^2))*f'(t^2)*t^2*2*1/t");
    EXPECT_EQ(diff("sin(t)"), "cos(t)");
    EXPECT_EQ(diff("sin(x)"), "0");
    EXPECT_EQ(diff("t^2+x"), "2t^1");
    main_var = saved;
}

TEST_F(DiffWorker, ExpressionsThatFormNoTree) {
    // Unbalanced brackets, calls without arguments and operators the tree does not know
    // leave no tree: a clear answer, no trace, nothing read through a missing node.
    for (const char *argument : {"(x+1", "f(x", "f()", "sin()", "x)", "x)+(1", "x%3", "sin(x)+"}) {
        std::ostringstream out;
        testing::internal::CaptureStdout();
        std::string answer = diff_expression(argument, out);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << argument;
        EXPECT_EQ(answer, kExprUnreadable) << argument;
    }
    EXPECT_TRUE(isMessageText(diff("x!")));  // the normalisation refuses it first
}

TEST_F(DiffWorker, LongAndDeepInput) {
    EXPECT_EQ(diff(repeated("sin(", 400) + "x" + repeated(")", 400)), kExprTooDeep);
    EXPECT_EQ(diff(repeated("x*sin(x)+", 2000) + "x"), kExprTooDeep);
    std::string nested = repeated("sin(", 100) + "x" + repeated(")", 100);
    std::string answer = diff(nested);
    // 100 factors cos(sin(...)), the k-th over k - 1 nested sines
    auto count = [&](const std::string &what) {
        size_t n = 0;
        for (size_t at = answer.find(what); at != std::string::npos; at = answer.find(what, at + 1)) n++;
        return n;
    };
    EXPECT_EQ(count("cos("), 100u);
    EXPECT_EQ(count("sin("), 4950u);
    EXPECT_EQ(answer.substr(answer.size() - 7), "*cos(x)");
    // A formal call of 100 formal calls of 100 arguments each: 100 partial derivatives,
    // each writing the whole call again, would be megabytes long.
    std::string inner = "g(" + repeated("x,", 99) + "x)";
    std::string wide = "h(" + repeated(inner + ",", 99) + inner + ")";
    EXPECT_EQ(diff(wide), kExprTooLong);
}

TEST_F(DiffWorker, SeveralVariableChain) {
    // With variables registered the names are replaced by their internal ones first.
    auto savedVars = poly_vars;
    auto savedNames = poly_varnames;
    poly_vars = {{"y", 1}};
    poly_varnames = {{0, "x", "x"}, {1, "y", "x_1"}};
    EXPECT_EQ(diff("x*y+sin"), "x_1");
    poly_vars = savedVars;
    poly_varnames = savedNames;
}

TEST(LimitWorker, Examples) {
    const struct {
        const char *expression, *variable, *point, *answer;
    } cases[] = {
        {"(x^2-1)/(x-1)", "x", "1", "2"},
        {"(x-1)/(x^2-1)", "x", "1", "1|2"},
        {"(x^2-1)|(x-1)", "x", "1", "2"},
        {"(2*x^2+1)/(3*x^2-x)", "x", "Inf", "2|3"},
        {"(x)/(x^2)", "x", "Inf", "0"},
        {"(x^3)/(x)", "x", "infinity", "Inf"},
        {"(x^2+1)/(x^2-x^2)", "x", "inf", "Inf"},
        {"(x)/(x^2-2*x+1)", "x", "1", "Inf"},
        {"(x^2-2*x+1)/(x-1)", "x", "1", "0"},
        {"((x-2)^3)/((x-2)^2*(x+1))", "x", "2", "0"},
        {"((x-2)^3*5)/((x-2)^3*(x+1))", "x", "2", "5|3"},
        {"(x^2+1)/(x-1)", "x", "1|2", "-5|2"},
        {"x^2+1", "x", "2", "5"},
        {"(x^2+1)", "x", "2", "5"},
        {"x^2+1", "x", "0.5", "1.25"},
        {"(0-1)^n", "n", "Inf", kLimitDoesNotExist},
        {"(0-1)^n", "x", "Inf", ""},
        {"sin(x)/(x)", "x", "0", ""},
        {"(sin(x))/(x)", "x", "0", kLimitNotPolynomial},
        {"()/(x)", "x", "1", kLimitNotPolynomial},
        {"", "x", "1", ""},
        {"(x)|(x)|(x)", "x", "1", ""},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Limit(c.expression, c.variable, c.point), c.answer) << c.expression << " at " << c.point;
}

TEST(LimitWorker, FaultsAnsweredSoundly) {
    const struct {
        const char *expression, *point, *answer;
    } cases[] = {
        // x^0 is 1 at the point 0 as everywhere.
        {"(x+1)/(x+2)", "0", "1|2"},
        {"(3)/(x+2)", "0", "3|2"},
        // A point that is no number would keep every value 0: the steps would never end.
        {"(x-1)/(x-1)", "a", kLimitPointNotNumber},
        {"(x-1)/(x-1)", "", kLimitPointNotNumber},
        {"x^2", "a", kLimitPointNotNumber},
        // Two zero polynomials: the steps stop after the degree plus one.
        {"(0)/(0)", "1", kLimitDoesNotExist},
        {"(x-x)/(x^2-x^2)", "3", kLimitDoesNotExist},
        {"(x-x)/(x-1)", "1", "0"},
        // At 0 the common power of x goes at once, however high.
        {"(x^1000000000)/(x^1000000000)", "0", "1"},
        {"(2*x^999999999)/(3*x^999999999+x^1000000000)", "0", "2|3"},
        {"(x^3)/(x^5)", "0", "Inf"},
        {"(x^5)/(x^3)", "0.0", "0"},
        // Zero values written as decimals are zero.
        {"(x^2-1)/(x-1)", "1.0", "2.0"},
        // A single polynomial at infinity is compared by degree, as a quotient is.
        {"x^2", "Inf", "Inf"},
        {"(x^2-x^2+7)", "Inf", "7"},
        {"x^-1", "Inf", "0"},
        // Growing without bound towards the side the leading signs give.
        {"(-x^3)/(x)", "Inf", "-Inf"},
        {"(x^3)/(-2*x+1)", "Inf", "-Inf"},
        {"(-x^3)/(-x)", "Inf", "Inf"},
        {"1-x^2", "Inf", "-Inf"},
    };
    for (const auto &c : cases) EXPECT_EQ(Limit(c.expression, "x", c.point), c.answer) << c.expression << " at " << c.point;
}

TEST(LimitWorker, BracketedTextThatIsNoPolynomial) {
    testing::internal::CaptureStdout();
    EXPECT_EQ(Limit("(x*x)", "x", "1"), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "x*x is NOT a polyn.\n");
    testing::internal::CaptureStdout();
    EXPECT_EQ(Limit("x*x", "x", "1"), "");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
}

TEST(LimitWorker, LongTextsAreMatchedWithoutRecursion) {
    // The three forms are told apart by a scan, not by a backtracking matcher whose depth
    // would grow with the text.
    std::string deep = repeated("(", 500000) + "x" + repeated(")", 500000);
    EXPECT_EQ(Limit(deep, "x", "1"), "");
    EXPECT_EQ(Limit("(" + repeated("x", 300000) + ")/(" + repeated("y", 300000) + ")", "x", "Inf"),
              kLimitNotPolynomial);
    EXPECT_EQ(Limit(repeated("x+", 20000) + "1", "x", "2"), "40001");
}
