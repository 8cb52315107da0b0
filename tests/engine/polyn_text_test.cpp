#include <gtest/gtest.h>

#include <sstream>

#include "globals.h"
#include "polyn_test_support.h"

using polyn_test::backward;
using polyn_test::engineForm;
using polyn_test::normalised;
using polyn_test::Terms;
using polyn_test::termsOf;

TEST(PolynomialReader, AcceptedFormsAndTheirTerms) {
    const struct {
        const char *text;
        Terms terms;
    } cases[] = {
        {"3x^2-x+1/2", {{"3", 2}, {"-1", 1}, {"1|2", 0}}},
        {"x^-1", {{"1", -1}}},
        {"x^(1+1)", {{"1", 2}}},
        {"x^(0-3)", {{"1", -3}}},  // a bracketed exponent may be any integer
        {"y", {{"y", 0}}},
        {"2y", {{"2y", 0}}},
        {"3*(1+2)x^2", {{"9", 2}}},
        {"2*x", {{"2*1", 1}}},
        {"x^+", {{"1", 1}, {"0", 0}}},
        {"0.5x-0.25", {{"1|2", 1}, {"-1|4", 0}}},
        {"x^2y", {{"1", 2}, {"y", 0}}},  // terms need no sign between them
        {"-x^9223372036854775807", {{"-1", INT64_MAX}}},
        {"x^-9223372036854775808", {{"1", INT64_MIN}}},
        {"", {}},
        {"--x", {{"1", 1}}},  // a run of signs multiplies, never an empty term 0
        {"3+-x", {{"3", 0}, {"-1", 1}}},
        {"x-+-x^2", {{"1", 1}, {"1", 2}}},
    };
    for (const auto &c : cases) {
        bool ok = false;
        TermList l(polyn_parse(c.text, ok));
        EXPECT_TRUE(ok) << c.text;
        EXPECT_EQ(termsOf(l.get()), c.terms) << c.text;
    }
}

TEST(PolynomialReader, RefusedForms) {
    // "x^(2" and the other open brackets must stop at the end of the text; exponents that
    // do not fit in 64 bits or are not integers are refused rather than cut.
    for (const char *text : {"x^2.5", "x^1|2", "2(x+1)", "x*x", "x y", "[x]", "x]", "(1+2)x", "x^", "x^(2", "x^((2)",
                             "x^(", "x^99999999999999999999", "x^-9223372036854775809", "x^(1/2)", "x^(2^70)",
                             "@x", "x@", ",x", "x^(y)", "(x"}) {
        bool ok = true;
        TermList l(polyn_parse(text, ok));
        EXPECT_FALSE(ok) << text;
        EXPECT_EQ(l, nullptr) << text;
    }
}

TEST(PolynomialReader, DegreeOfText) {
    const std::pair<const char *, int64_t> cases[] = {
        {"", -2}, {"x^3+x", 3}, {"x^", -1}, {"x^2-x^2", 2}, {"5", 0}, {"x^-4+x^-2", -2}, {"x^(2", -1}};
    for (auto [text, degree] : cases) EXPECT_EQ(polyn_deg(text), degree) << text;
}

TEST(PolynomialReader, EngineForms) {
    const struct {
        const char *text;
        Terms terms;
    } cases[] = {
        {"x^2-1x^1+1|2", {{"1", 2}, {"-1", 1}, {"1|2", 0}}},
        {"3x^-1", {{"3", -1}}},
        {"-1x^0", {{"-1", 0}}},
        {"0", {{"0", 0}}},
        {"2x*x", {{"2", 2}}},
        {"2x3", {{"6", 1}}},
        {"2x)+5", {{"2", 1}}},  // a character the writers never write ends the reading
    };
    for (const auto &c : cases) {
        TermList l(polyn_parse_internal(c.text));
        EXPECT_EQ(termsOf(l.get()), c.terms) << c.text;
    }
}

TEST(PolynomialWriters, EveryForm) {
    TermList p = backward({{"1", 2}, {"-1", 1}, {"1|2", 0}});
    std::ostringstream display;
    polyn_print_backward(p.get(), display);
    EXPECT_EQ(polyn_to_string(p.get()), "x^2-1x^1+1|2");
    EXPECT_EQ(display.str(), "x^2-x+1|2");

    bool ok = false;
    TermList forward(polyn_parse("x^2-x+1/2+x^-3", ok));
    std::ostringstream shown;
    polyn_print_forward(forward.get(), shown);
    EXPECT_EQ(polyn_forward_to_string(forward.get()), "x^2-1x+1|2+x^-3");
    EXPECT_EQ(shown.str(), "x^2-x+1|2+x^-3");

    const struct {
        Terms terms;
        const char *engine, *display;
    } cases[] = {
        {{{"1", 1}}, "x^1", "x"},
        {{{"-1", 1}}, "-1x^1", "-x"},
        {{{"-1", 3}, {"+3", 0}}, "-1x^3+3", "-x^3+3"},
        {{{"0", 5}}, "0", "0x^5"},
        {{{"0", 0}}, "0", "0"},
        {{{"2y", 2}, {"1", -2}}, "2yx^2+x^-2", "2yx^2+x^-2"},
    };
    for (const auto &c : cases) {
        TermList l = backward(c.terms);
        std::ostringstream out;
        polyn_print_backward(l.get(), out);
        EXPECT_EQ(polyn_to_string(l.get()), c.engine);
        EXPECT_EQ(out.str(), c.display);
    }
    TermList zeroX = backward({{"0", 1}});
    EXPECT_EQ(polyn_forward_to_string(zeroX.get()), "0x");
    EXPECT_EQ(polyn_to_string(nullptr), "");
    std::ostringstream none;
    polyn_print_forward(nullptr, none);
    EXPECT_EQ(none.str(), "");
    EXPECT_EQ(int64_to_text(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(int64_to_text(0), "0");
}

TEST(PolynomialWriters, AnotherMainVariable) {
    main_var = 't';
    bool ok = false;
    TermList l(polyn_parse("3t^2+x", ok));
    EXPECT_EQ(termsOf(l.get()), (Terms{{"3", 2}, {"x", 0}}));
    EXPECT_EQ(engineForm("3t^2-t"), "3t^2-1t^1");
    poly_internal_names = {"u"};  // the writers follow the registry's first name
    EXPECT_EQ(engineForm("3t^2-t"), "3u^2-1u^1");
    poly_internal_names.clear();
    main_var = 'x';
}

TEST(PolynomialText, SplitIntoItems) {
    bool ok = false;
    TermList forward(polyn_parse("x^2+2x+3", ok));
    std::vector<poly *> items;
    EXPECT_EQ(polyn_split_items(forward.release(), items), 3u);
    TermList down = backward({{"5", 4}});
    EXPECT_EQ(polyn_split_items(down.release(), items), 4u);
    Terms seen;
    for (poly *t : items) {
        EXPECT_EQ(t->next, nullptr);
        EXPECT_EQ(t->prev, nullptr);
        seen.emplace_back(t->coefficient, t->exponent);
        free_term_list(t);
    }
    EXPECT_EQ(seen, (Terms{{"1", 2}, {"2", 1}, {"3", 0}, {"5", 4}}));
    EXPECT_EQ(polyn_split_items(nullptr, items), 4u);
}
