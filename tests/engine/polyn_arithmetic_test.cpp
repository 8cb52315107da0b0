#include <gtest/gtest.h>

#include "polyn_test_support.h"

using polyn_test::backward;
using polyn_test::engineForm;
using polyn_test::normalised;
using polyn_test::Terms;
using polyn_test::termsOf;

TEST(PolynomialMerges, AdditionSubtractionAndPairs) {
    TermList a = normalised("x^2+1"), b = normalised("-x^2+3");
    TermList sum(poly_addition_DES(a.get(), b.get()));
    EXPECT_TRUE(is_forward_list(sum.get()));
    EXPECT_EQ(termsOf(sum.get()), (Terms{{"0", 2}, {"4", 0}}));  // the zero sum stays
    TermList halves(poly_addition_DES(backward({{"1|2", 0}}).get(), backward({{"1|3", 0}}).get()));
    EXPECT_EQ(termsOf(halves.get()), (Terms{{"5|6", 0}}));
    TermList alone(poly_addition_DES(nullptr, b.get()));
    EXPECT_EQ(termsOf(alone.get()), (Terms{{"-1", 2}, {"3", 0}}));
    TermList none(poly_addition_DES(nullptr, nullptr));
    EXPECT_EQ(termsOf(none.get()), (Terms{{"0", 0}}));

    TermList x = normalised("x");
    TermList zero(poly_subtraction_DES(x.get(), x.get()));
    EXPECT_EQ(termsOf(zero.get()), (Terms{{"0", 1}}));
    TermList diff(poly_subtraction_DES(normalised("3x^2").get(), normalised("x^3-x-2").get()));
    EXPECT_EQ(termsOf(diff.get()), (Terms{{"-1", 3}, {"3", 2}, {"1", 1}, {"2", 0}}));

    TermList p = normalised("x+1"), m = normalised("x-1");
    TermList pairs(poly_multiplication_DES(p.get(), m.get()));
    EXPECT_EQ(termsOf(pairs.get()), (Terms{{"1", 2}, {"-1", 1}, {"1", 1}, {"-1", 0}}));
    TermList product(polyn_multiply_normalized(p.get(), m.get()));
    EXPECT_EQ(polyn_to_string(product.get()), "x^2-1");
    TermList empty(poly_multiplication_DES(nullptr, p.get()));
    EXPECT_EQ(termsOf(empty.get()), (Terms{{"0", 0}}));
}

TEST(PolynomialMerges, ProductsOfTextAndOfPlainNumbersAgree) {
    // Plain coefficients take the exact kernel; the same values spelt otherwise ("2|4",
    // "3|1") take the term-by-term text road. Both must write the same polynomial.
    const struct {
        Terms a, b;
        const char *product;
    } cases[] = {
        {{{"1", 1}, {"1|2", 0}}, {{"1", 1}, {"-1|2", 0}}, "x^2-1|4"},
        {{{"2", 3}, {"-3", 1}, {"7", -2}}, {{"5", 2}, {"1", -1}}, "10x^5-15x^3+2x^2+32+7x^-3"},
        {{{"-1|3", 2}, {"2|5", 0}}, {{"3", 2}, {"-5|2", 0}}, "-1x^4+61|30x^2-1"},
        {{{"1", 1000000}, {"1", 0}}, {{"1", 1000000}, {"-1", 0}}, "x^2000000-1"},
    };
    auto respelt = [](Terms t) {
        for (auto &term : t) term.first += term.first.find('|') == std::string::npos ? "|1" : "";
        return t;
    };
    for (const auto &c : cases) {
        TermList fast(polyn_multiply_normalized(backward(c.a).get(), backward(c.b).get()));
        TermList text(polyn_multiply_normalized(backward(respelt(c.a)).get(), backward(c.b).get()));
        EXPECT_EQ(polyn_to_string(fast.get()), c.product);
        EXPECT_EQ(polyn_to_string(text.get()), c.product);
    }
}

TEST(PolynomialPowers, BinaryDigitsAndTheirEdges) {
    TermList p = normalised("x+1");
    TermList zeroth(polyn_power(p.get(), 0));
    EXPECT_EQ(polyn_to_string(zeroth.get()), "1");
    EXPECT_EQ(polyn_power(p.get(), 1), p.get());  // the operand itself
    EXPECT_EQ(polyn_power(p.get(), -3), p.get());
    TermList fifth(polyn_power(p.get(), 5));
    EXPECT_EQ(polyn_to_string(fifth.get()), "x^5+5x^4+10x^3+10x^2+5x^1+1");
    TermList half(polyn_power(normalised("1/2x-1/3").get(), 3));
    EXPECT_EQ(polyn_to_string(half.get()), "1|8x^3-1|4x^2+1|6x^1-1|27");
    // Coefficients that are not spelt as plain numbers take the term-by-term road.
    TermList spelt = backward({{"1|1", 1}, {"2|4", 0}});
    TermList cube(polyn_power(spelt.get(), 3));
    EXPECT_EQ(polyn_to_string(cube.get()), "x^3+3|2x^2+3|4x^1+1|8");
    TermList tooBig(polyn_power(p.get(), 100000));
    EXPECT_EQ(polyn_to_string(tooBig.get()), kPolynTooBig);
    TermList far(polyn_power(normalised("x^4611686018427387904").get(), 2));
    EXPECT_EQ(polyn_to_string(far.get()), kPolynExponentRange);
}

TEST(PolynomialNormalisation, ZeroTermsAndEvaluation) {
    TermList zeros = backward({{"0", 3}, {"-0", 2}, {"0|5", 1}});
    poly *last = zeros.release();
    poly *kept = polyn_drop_zero_terms(last);
    EXPECT_EQ(termsOf(kept), (Terms{{"0", 1}}));  // the last term stays: the zero polynomial
    free_term_list(kept);
    TermList mixed(polyn_drop_zero_terms(backward({{"0", 4}, {"2|4", 3}, {"1+1", 2}, {"+0", 1}, {"y", 0}}).release()));
    EXPECT_EQ(termsOf(mixed.get()), (Terms{{"1|2", 3}, {"2", 2}, {"y", 0}}));
    bool ok = false;
    TermList forward(polyn_parse("0x^3+2x+0", ok));
    TermList dropped(polyn_drop_zero_terms_forward(forward.release()));
    EXPECT_EQ(termsOf(dropped.get()), (Terms{{"2", 1}}));
    EXPECT_EQ(engineForm("x^2+x-x^2-x"), "0");
}

TEST(PolynomialCalculus, DerivativeIntegralAndMonicForm) {
    const std::pair<const char *, const char *> derivatives[] = {
        {"3x^2+2x", "6x^1+2"}, {"x^3-1/2x^2+4", "3x^2-1x^1"}, {"x^-2", "-2x^-3"}, {"7", "0"}};
    for (auto [p, d] : derivatives) EXPECT_EQ(polyn_to_string(TermList(polyn_derivative(normalised(p).get())).get()), d);
    TermList constant(polyn_derivative(normalised("7").get()));
    EXPECT_EQ(termsOf(constant.get()), (Terms{{"0", -1}}));
    const std::pair<const char *, const char *> integrals[] = {
        {"2x", "x^2"}, {"3x^2+1/2", "x^3+1|2x^1"}, {"x^-2", "-1x^-1"}, {"x^-1", "Inf"}};
    for (auto [p, i] : integrals) EXPECT_EQ(polyn_to_string(TermList(polyn_integrate(normalised(p).get())).get()), i);
    EXPECT_EQ(polyn_derivative(nullptr), nullptr);
    EXPECT_EQ(polyn_integrate(nullptr), nullptr);
    TermList low(polyn_derivative(backward({{"1", INT64_MIN}}).get()));
    EXPECT_EQ(polyn_to_string(low.get()), kPolynExponentRange);
    TermList high(polyn_integrate(backward({{"1", INT64_MAX}}).get()));
    EXPECT_EQ(polyn_to_string(high.get()), kPolynExponentRange);

    bool ok = false;
    TermList forward(polyn_parse("2x^2+4", ok));
    TermList monic(polyn_make_monic(forward.get()));
    EXPECT_EQ(polyn_to_string(monic.get()), "x^2+2");
    TermList withZero(polyn_make_monic(backward({{"3", 2}, {"0", 1}, {"1", 0}}).get()));
    EXPECT_EQ(termsOf(withZero.get()), (Terms{{"1", 2}, {"0", 1}, {"1|3", 0}}));
    EXPECT_EQ(polyn_make_monic(nullptr), nullptr);
}

TEST(PolynomialTests, OneZeroEqualDegreeAndIntegers) {
    EXPECT_TRUE(polyn_is_one(normalised("x-x+1").get()));
    EXPECT_FALSE(polyn_is_one(normalised("x+1").get()));
    EXPECT_FALSE(polyn_is_one(nullptr));
    EXPECT_TRUE(polyn_is_zero(normalised("x-x").get()));
    EXPECT_FALSE(polyn_is_zero(nullptr));
    EXPECT_TRUE(polyn_equal(normalised("x+1").get(), normalised("1+x").get()));
    EXPECT_TRUE(polyn_equal(normalised("1/2x+1/2x").get(), normalised("x").get()));
    EXPECT_FALSE(polyn_equal(normalised("x").get(), normalised("x+1").get()));
    EXPECT_TRUE(polyn_equal(normalised("2y").get(), normalised("2y").get()));
    EXPECT_FALSE(polyn_equal(normalised("x").get(), nullptr));

    bool ok = false;
    TermList forward(polyn_parse("x+x^3-x^3", ok));
    poly *out = nullptr;
    EXPECT_EQ(polyn_degree(forward.get(), out), 3);  // zero terms count
    TermList read(out);
    EXPECT_EQ(termsOf(read.get()), (Terms{{"0", 3}, {"1", 1}}));
    EXPECT_EQ(polyn_degree(nullptr, out), -2);
    EXPECT_EQ(polyn_last_exponent(forward.get()), 3);
    EXPECT_EQ(polyn_last_exponent(normalised("x^5+x^2").get()), 5);

    EXPECT_TRUE(polyn_has_integer_coefficients(backward({{"-3", 2}, {"+4", 1}, {"5", 0}}).get()));
    EXPECT_FALSE(polyn_has_integer_coefficients(backward({{"1|2", 0}}).get()));
    EXPECT_FALSE(polyn_has_integer_coefficients(backward({{"2y", 0}}).get()));
    EXPECT_TRUE(polyn_has_integer_coefficients(nullptr));
}

TEST(PolynomialValue, AtIntegersDecimalsAndFractions) {
    const struct {
        const char *p, *x, *value;
    } cases[] = {
        {"x^2+1", "1|2", "5|4"},
        {"x^2+1", "y", "0"},
        {"3x^2+5", "0", "5"},  // x^0 at 0 is 1
        {"x^3-2x", "3", "21"},
        {"x^2+1", "0.5", "1.25"},
        {"x^-1+x", "1|2", "5|2"},
        {"x^-1", "4", "0.25"},
        {"1/4x+1", "2", "3|2"},  // a fraction coefficient at an integer point: fractions
        {"1/4x", "0.5", "1|8"},
        {"x^1000000000", "1", "1"},
        {"x^1000000000", "2", kPolynTooBig},
    };
    for (const auto &c : cases) {
        std::string value = "unset";
        TermList l(polyn_eval_at(normalised(c.p).get(), c.x, value));
        EXPECT_EQ(value, c.value) << c.p << " at " << c.x;
        EXPECT_NE(l, nullptr);
    }
    std::string value = "unset";
    EXPECT_EQ(polyn_eval_at(nullptr, "1", value), nullptr);
    EXPECT_EQ(value, "");
}
