// Polynomials in several variables: reading and writing, the normal form, the arithmetic,
// the registry of variable names and the evaluator's multi-variable mode.
#include <gtest/gtest.h>

#include <array>

#include <sstream>

#include "BigNumber.h"
#include "globals.h"
#include "multipolyn.h"
#include "polynomial.h"
#include "polynomial/multipolyn_internal.h"

namespace {

// Every test starts from an empty registry with the main letter x and leaves it so.
class MultiPolyn_ : public ::testing::Test {
  protected:
    void SetUp() override { reset(); }
    void TearDown() override { reset(); }
    static void reset() {
        poly_vars.clear();
        poly_varnames.clear();
        poly_internal_names.clear();
        main_var = 'x';
    }
};
using MultiPolynText = MultiPolyn_;
using MultiPolynNormalForm = MultiPolyn_;
using MultiPolynArithmetic = MultiPolyn_;
using MultiPolynRegistry = MultiPolyn_;
using MultiPolynPostfix = MultiPolyn_;

MultiPolyn parsed(const std::string &text) {
    uint8_t ok = 0;
    MultiPolyn list(multipolyn_parse(text, ok));
    EXPECT_EQ(ok, 1) << text;
    return list;
}

MultiPolyn normalised(const std::string &text) { return MultiPolyn(multipolyn_normalize(parsed(text).release(), 0)); }

std::string internalText(const MultiPolyn &list) { return multipolyn_to_internal_string(list.get()); }

// The factors of each term as "coefficient|index|exponent" texts.
std::vector<std::vector<std::string>> factorsOf(const poly_pt *list) {
    std::vector<std::vector<std::string>> terms;
    for (const poly_pt *t = list; t; t = multipolyn_next_term(t)) {
        terms.emplace_back();
        for (const poly_pt *f = t; f; f = f->next)
            terms.back().push_back(f->coefficient + "|" + std::to_string(f->index) + "|" + f->exponent);
    }
    return terms;
}

std::string printedBy(const std::function<void()> &body) {
    testing::internal::CaptureStdout();
    body();
    return testing::internal::GetCapturedStdout();
}

}  // namespace

TEST_F(MultiPolynText, FactorsAndTermsAsRead) {
    using Terms = std::vector<std::vector<std::string>>;
    const struct {
        const char *text;
        Terms terms;
    } cases[] = {
        {"3x_1^2x_2-x_3+5", {{"3|1|2", "1|2|1"}, {"-1|3|1"}, {"+5|-1|0"}}},
        {"2*x_1", {{"2|-1|0", "1|1|1"}}},
        {"x^2x_1", {{"1|0|2", "1|1|1"}}},
        {"+0x_2", {{"+0|2|1"}}},
        {"x_1^(1+1)", {{"1|1|2"}}},
        {"x_1^(1/2)", {{"1|1|1|2"}}},
        {"x_1^2.05x_2^1|2", {{"1|1|2.05", "1|2|1|2"}}},
        {"x_1^y", {{"1|1|y"}}},
        // integer exponents lose their '+' and leading zeros, never digits past 64 bits
        {"x_1^+007x_2^-0", {{"1|1|7", "1|2|0"}}},
        {"x_1^0099999999999999999999x_2^-99999999999999999999",
         {{"1|1|99999999999999999999", "1|2|-99999999999999999999"}}},
        {"2/3x_1", {{"0.66666667|1|1"}}},  // a quotient is evaluated in decimals
        {"yx_1", {{"y|1|1"}}},             // other letters are coefficient text
        {"x_1 x_2", {{"1|1|1", "1|2|1"}}},
        {"x_ 7", {{"1|7|1"}}},  // the index is read as strtoll reads
        {"x_", {{"1|0|1"}}},
        {"x_1)+1", {{"1|1|1", ")|-1|0"}, {"+1|-1|0"}}},  // a ")" that closes nothing is text
        {"", {}},
    };
    for (const auto &c : cases) EXPECT_EQ(factorsOf(parsed(c.text).get()), c.terms) << c.text;
}

TEST_F(MultiPolynText, IndexOutOfRangeIsRefused) {
    // A saturated index would make x_9223372036854775807 and every longer name one variable;
    // the index -1 would make a constant of the variable, which a product then drops.
    const std::pair<const char *, const char *> cases[] = {
        {"x_9223372036854775807-x_+1+x_-0", "x_9223372036854775807-x_1+x"},
        {"x_1+x_9223372036854775808", "Error> x_9223372036854775808 is out of range: an integer from "
                                      "0 to 9223372036854775807 is needed here."},
        {"x_-1^2x_1", "Error> x_-1 is out of range: an integer from 0 to 9223372036854775807 is needed here."},
        {"2x_-99999999999999999999999^2", "Error> x_-99999999999999999999999 is out of range: an integer from "
                                          "0 to 9223372036854775807 is needed here."},
    };
    for (auto [text, written] : cases) EXPECT_EQ(internalText(parsed(text)), written) << text;
}

TEST_F(MultiPolynText, EveryFactorATermOfItsOwn) {
    using Terms = std::vector<std::vector<std::string>>;
    EXPECT_EQ(factorsOf(MultiPolyn(multipolyn_parse_internal("3x_1-2x_2+5")).get()),
              (Terms{{"3|1|1"}, {"-2|2|1"}, {"+5|-1|0"}}));
    EXPECT_EQ(factorsOf(MultiPolyn(multipolyn_parse_internal("2x_1x_2")).get()), (Terms{{"2|1|1"}, {"1|2|1"}}));
    EXPECT_EQ(multipolyn_parse_internal(""), nullptr);
}

TEST_F(MultiPolynText, BracketedExponentThatIsNoNumber) {
    std::string printed = printedBy([] { EXPECT_EQ(factorsOf(parsed("x_1^(y+1)").get())[0][0], "1|1|(y+1)"); });
    EXPECT_EQ(printed, "power=(y+1)\n");
    // A bracket that never closes ends with the text.
    printed = printedBy([] { EXPECT_EQ(factorsOf(parsed("x_1^(2").get())[0][0], "1|1|(2"); });
    EXPECT_EQ(printed, "power=(2\n");
}

TEST_F(MultiPolynText, WrittenBack) {
    const std::pair<const char *, const char *> cases[] = {
        {"3x_1^2x_2-x_3+5", "3x_1^2x_2-x_3+5"},
        {"+5-x_1", "5-x_1"},
        {"2*3*x_1", "6x_1"},  // the coefficients of a term are gathered in front
        {"-1*x_2", "-x_2"},
        {"-1", "-1"},
        {"x_1^0", "1"},
        {"0x_1", "0x_1"},
    };
    for (auto [text, written] : cases) EXPECT_EQ(internalText(parsed(text)), written) << text;
    MultiPolyn l = parsed("2*3*x_1");
    multipolyn_to_internal_string(l.get());
    EXPECT_EQ(factorsOf(l.get()), (std::vector<std::vector<std::string>>{{"6|-1|0", "1|-1|0", "1|1|1"}}));
}

TEST_F(MultiPolynText, NamesOfTheVariables) {
    poly_registry_add("y");
    poly_registry_add("z");
    MultiPolyn l = parsed("x_1^2x_2+x_3-x+x_12");
    // An index without a record is written as its internal name.
    EXPECT_EQ(multipolyn_to_string(l.get()), "y^2z+x_3-x+x_12");
    EXPECT_EQ(multipolyn_to_internal_string(l.get()), "x_1^2x_2+x_3-x+x_12");
    // With no registry at all the internal names are all there is.
    poly_varnames.clear();
    EXPECT_EQ(multipolyn_to_string(l.get()), "x_1^2x_2+x_3-x+x_12");
}

TEST_F(MultiPolynText, AnotherMainLetter) {
    main_var = 't';
    EXPECT_EQ(factorsOf(parsed("3t^2").get()), (std::vector<std::vector<std::string>>{{"3|0|2"}}));
    EXPECT_EQ(factorsOf(parsed("xyt").get()), (std::vector<std::vector<std::string>>{{"xy|0|1"}}));
    // The main variable is written with its letter, so that the text reads back the same.
    MultiPolyn l = normalised("t*x_1+t");
    EXPECT_EQ(internalText(l), "tx_1+t");
    EXPECT_EQ(factorsOf(normalised(internalText(l)).get()), factorsOf(l.get()));
}

TEST_F(MultiPolynNormalForm, LikeTermsMerged) {
    const std::pair<const char *, const char *> cases[] = {
        {"x_1+x_1", "2x_1"},
        {"x_2+x_1", "x_2+x_1"},
        {"x_1*x_1", "x_1^2"},
        {"x_2x_1^2x_2", "x_1^2x_2^2"},
        // first appearance decides the place, later terms add in their order
        {"x_2+x_1+3x_2+x_3-x_1+1", "4x_2+0x_1+x_3+1"},
        {"x_1^2+x_1^2|1", "x_1^2+x_1^2|1"},  // exponents compare as written
        {"2*x_1+2x_1", "2x_1+2x_1"},         // a constant factor is part of the key
        {"x_1-x_1", "0x_1"},
    };
    for (auto [text, written] : cases) EXPECT_EQ(internalText(normalised(text)), written) << text;
    MultiPolyn l = normalised("x_1*x_1");
    EXPECT_EQ(factorsOf(l.get()), (std::vector<std::vector<std::string>>{{"1|1|2"}}));
}

TEST_F(MultiPolynNormalForm, TermNormalisedInsideItsList) {
    MultiPolyn l = parsed("x_3+x_2*3x_1*x_2-5");
    poly_pt *second = multipolyn_next_term(l.get());
    poly_pt *first = multipolyn_normalize_term(multipolyn_term_last(second));
    EXPECT_EQ(multipolyn_prev_term_first(first), l.get());
    EXPECT_EQ(internalText(l), "x_3+3x_1x_2^2-5");
}

TEST_F(MultiPolynNormalForm, ZeroTerms) {
    const std::pair<const char *, const char *> cases[] = {
        {"0x_1+x_2+x_3-x_3", "x_2"},
        {"x_1-x_1+x_2-x_2", "0x_2"},  // all zero: the last stays
        {"+0x_2-0x_1", "0x_2-0x_1"},  // only the text "0" counts as zero
        {"x_1", "x_1"},
    };
    for (auto [text, written] : cases) {
        MultiPolyn l(multipolyn_drop_zero_terms(normalised(text).release()));
        EXPECT_EQ(internalText(l), written) << text;
    }
    EXPECT_EQ(multipolyn_drop_zero_terms(nullptr), nullptr);
}

TEST_F(MultiPolynArithmetic, SumAndDifference) {
    EXPECT_EQ(internalText(MultiPolyn(multipolyn_add(normalised("x_1+2").release(), normalised("x_2-2").release()))),
              "x_1+0+x_2");
    EXPECT_EQ(internalText(MultiPolyn(multipolyn_subtract(normalised("x_1").release(), normalised("x_1").release()))),
              "0x_1");
    // Nothing left of the minuend: the subtrahend negated as it is, not normalised.
    EXPECT_EQ(internalText(MultiPolyn(multipolyn_subtract(nullptr, parsed("x_1+x_1").release()))), "-x_1-x_1");
    EXPECT_EQ(internalText(MultiPolyn(multipolyn_subtract(parsed("0").release(), parsed("x_1-2").release()))),
              "-x_1+2");
    // An empty operand gives the other one unchanged.
    MultiPolyn a = parsed("x_1+x_1");
    poly_pt *handle = a.get();
    EXPECT_EQ(multipolyn_add(a.release(), nullptr), handle);
    a.reset(handle);
    EXPECT_EQ(internalText(a), "x_1+x_1");
    EXPECT_EQ(multipolyn_subtract(nullptr, nullptr), nullptr);
}

TEST_F(MultiPolynArithmetic, ProductsAndPowers) {
    const struct {
        const char *a, *b, *product;
    } products[] = {
        {"x_1+1", "x_1-1", "x_1^2+0x_1-1"},
        {"x_1+x_2", "x_1-x_2", "x_1^2+0x_1x_2-x_2^2"},
        {"2x_1^2x_3", "3x_2", "6x_1^2x_2x_3"},
        // the reader turns fractions into decimals, the product into a fraction again
        {"1|2x_1", "2|3x_2", "66666667|200000000x_1x_2"},
        {"yx_1", "2x_2", "2*yx_1x_2"},
        {"x_1^y", "x_1^2", "x_1^(2+y)"},  // the exponent of x_1^2 comes first
    };
    for (const auto &c : products) {
        MultiPolyn a = normalised(c.a), b = normalised(c.b);
        EXPECT_EQ(internalText(MultiPolyn(multipolyn_multiply(a.get(), b.get()))), c.product) << c.a << " * " << c.b;
        EXPECT_EQ(internalText(a), internalText(normalised(c.a)));  // operands stay
    }
    const struct {
        const char *base;
        int32_t n;
        const char *power;
    } powers[] = {
        {"x_1+1", 3, "x_1^3+3x_1^2+3x_1+1"},
        {"x_1+x_2", 0, "1"},
        {"x_1-x_2", 2, "x_1^2-2x_1x_2+x_2^2"},
        {"2x_1x_2^3", 5, "32x_1^5x_2^15"},
        {"x_1+x_2+1", 2, "x_1^2+2x_1x_2+2x_1+x_2^2+2x_2+1"},
    };
    for (const auto &c : powers) {
        MultiPolyn base = normalised(c.base);
        EXPECT_EQ(internalText(MultiPolyn(multipolyn_power(base.get(), c.n))), c.power) << c.base << "^" << c.n;
    }
    MultiPolyn base = normalised("x_1+x_2");
    EXPECT_EQ(multipolyn_power(base.get(), 1), base.get());
    EXPECT_EQ(multipolyn_power(nullptr, 4), nullptr);
    EXPECT_EQ(multipolyn_multiply(base.get(), nullptr), nullptr);
}

TEST_F(MultiPolynArithmetic, ConstantsOfAProductStandForTheMainVariable) {
    // The product of 2 and x_1 carries a factor x^0: its key is not that of the text 2x_1,
    // though both are written 2x_1.
    MultiPolyn two = normalised("2"), x1 = normalised("x_1");
    MultiPolyn product(multipolyn_multiply(two.get(), x1.get()));
    EXPECT_EQ(factorsOf(product.get()), (std::vector<std::vector<std::string>>{{"2|0|0", "1|1|1"}}));
    MultiPolyn sum(multipolyn_add(product.release(), normalised("2x_1").release()));
    EXPECT_EQ(internalText(sum), "2x_1+2x_1");
    // Within one product, the terms with and without that factor stay apart.
    MultiPolyn a = normalised("x_1+x_1^2"), b = normalised("x_1+1");
    EXPECT_EQ(internalText(MultiPolyn(multipolyn_multiply(a.get(), b.get()))), "x_1^2+x_1+x_1^3+x_1^2");
}

TEST_F(MultiPolynArithmetic, WhatAProductMaySpend) {
    // (x_1+...+x_9+1)^40 would have millions of terms; 7^(2^30) millions of digits.
    MultiPolyn wide = normalised("x_1+x_2+x_3+x_4+x_5+x_6+x_7+x_8+x_9+1"), seven = normalised("7x_1");
    EXPECT_EQ(multipolyn_to_string(MultiPolyn(multipolyn_power(wide.get(), 40)).get()), kPolynTooBig);
    EXPECT_EQ(multipolyn_to_string(MultiPolyn(multipolyn_power(seven.get(), 1 << 30)).get()), kPolynTooBig);
    EXPECT_EQ(multipolyn_to_string(MultiPolyn(multipolyn_power(seven.get(), -1)).get()), kPolynExponentRange);
    // The terms of a power are counted before any product: (x_1+x_2+1)^332 has C(334,2)
    // of them, and its last squaring would pass the pairs of one product; refused at once
    // (it took seconds of squarings before). A power within the bound is still computed.
    MultiPolyn three = normalised("x_1+x_2+1");
    EXPECT_EQ(multipolyn_to_string(MultiPolyn(multipolyn_power(three.get(), 332)).get()), kPolynTooBig);
    EXPECT_NE(multipolyn_to_string(MultiPolyn(multipolyn_power(three.get(), 20)).get()), kPolynTooBig);
    MultiPolyn line = normalised("x_1^2+x_1+1");  // one variable: 2n+1 terms, not C(n+2,2)
    EXPECT_NE(multipolyn_to_string(MultiPolyn(multipolyn_power(line.get(), 100)).get()), kPolynTooBig);
    // Letters are written out again in every product: their texts are bounded too.
    MultiPolyn named = normalised("yx_1+x_2");
    EXPECT_EQ(multipolyn_to_string(MultiPolyn(multipolyn_power(named.get(), 4096)).get()), kPolynTooBig);
}

TEST_F(MultiPolynArithmetic, TextsThatAreNoNumbersStayBounded) {
    // Such coefficients are written out in full by every sum and product, so building a long
    // one piece by piece would take the square of its length.
    auto repeated = [](const std::string &piece, int n) {
        std::string t;
        for (int i = 0; i < n; i++) t += piece;
        return t;
    };
    struct Case {
        std::array<std::string, 3> slots;
        bool tooBig;
    };
    const Case cases[] = {
        {{"^", "8", ")%-1"}, false},
        {{"^", "12", ")%-1"}, true},  // the sums inside are multiplied out
        {{"+", "1", repeated("+(abcdefghij)", 1000)}, false},
        {{"+", "1", repeated("+(abcdefghij)", 2000)}, true},
        {{"+", "1", repeated("(abcdefghij)*", 2000) + "x_1"}, true},
        {{"*", "x_2", repeated("+(abcdefghij)x_1", 200)}, false},
        {{"*", repeated("+(abcdefghij)", 200), repeated("+(abcdefghij)", 200)}, true},
        {{"+", "1", repeated("+123456789|7", 3000)}, false},  // numbers do not grow by being added
        {{"/", "1", repeated("+(abcdefghij)", 2000)}, false},  // nothing computed
    };
    for (const Case &c : cases) {
        const std::string answer = multipolyn_apply_op_text(c.slots);
        EXPECT_EQ(answer == kPolynTooBig, c.tooBig) << c.slots[0] << " " << c.slots[1].substr(0, 20) << ": " << answer.substr(0, 80);
    }
}

TEST_F(MultiPolynArithmetic, FastRoadWritesTheEnginesTexts) {
    // Integers are combined without the engine (long ones in limbs); every other text goes to it.
    const char *operands[] = {"0", "1", "-1", "+1", "+5", "-5", "12", "+0", "-0", "0|1", "1|1", "",
                              "1|2", "0.5", "y", "007", "999999999999999999", "-999999999999999999",
                              "9223372036854775807", "4294967296", "-4294967296", "1000000000000000000",
                              "-1000000000000000000", "123456789012345678901234567890",
                              "-123456789012345678901234567890", "+123456789012345678901234567890",
                              "-123456789012345678901234567889", "-0123456789012345678901234567890",
                              "3|123456789012345678901234567890"};
    for (const char *a : operands)
        for (const char *b : operands) {
            std::string product = bignumber_global.fr_multiplication(a, b);
            EXPECT_EQ(multipolyn::productText(a, b), product) << a << " * " << b;
            std::string sum = bignumber_global.fr_addition(a, b);
            EXPECT_EQ(multipolyn::sumText(a, b), sum) << a << " + " << b;
        }
}

TEST_F(MultiPolynArithmetic, SplitIntoTerms) {
    MultiPolyn l = normalised("3x_1x_2-x_3+5");
    std::vector<poly_pt *> items;
    ASSERT_EQ(multipolyn_split_items(l.release(), items), 3u);
    std::vector<std::string> texts;
    for (poly_pt *item : items) {
        MultiPolyn one(item);
        EXPECT_EQ(multipolyn_next_term(item), nullptr);
        EXPECT_EQ(item->prev_term, nullptr);
        texts.push_back(internalText(one));
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"3x_1x_2", "-x_3", "5"}));
    EXPECT_EQ(multipolyn_split_items(nullptr, items), 0u);
}

TEST_F(MultiPolynArithmetic, TermCopiedFromAFactorOn) {
    MultiPolyn l = parsed("x_1+2x_2^3x_3*y-x_4");
    poly_pt *second = multipolyn_next_term(l.get());
    MultiPolyn copy(multipolyn_copy_term(second->next));
    EXPECT_EQ(factorsOf(copy.get()), (std::vector<std::vector<std::string>>{{"1|3|1", "y|-1|0"}}));
    EXPECT_EQ(copy->prev_term, nullptr);
    EXPECT_EQ(multipolyn_next_term(copy.get()), nullptr);
    EXPECT_EQ(internalText(l), "x_1+2*yx_2^3x_3-x_4");  // the original stays whole
}

TEST_F(MultiPolynArithmetic, TermsFreedOneByOne) {
    MultiPolyn l = parsed("x_1+x_2*x_3+x_4");
    poly_pt *middle = multipolyn_next_term(l.get());
    poly_pt *after = multipolyn_free_term(middle->next);
    EXPECT_EQ(internalText(l), "x_1+x_4");
    EXPECT_EQ(multipolyn_prev_term_first(after), l.get());
    // The last term gives back the previous one, a lone term nothing.
    EXPECT_EQ(multipolyn_free_term(after), l.get());
    EXPECT_EQ(multipolyn_free_term(l.release()), nullptr);
}

TEST_F(MultiPolynRegistry, NamesRegisteredFromText) {
    const struct {
        const char *text;
        int added;
        const char *printed;
    } cases[] = {
        {"x_0+x_-2", 0, ""},
        {"x_3*x_4", 2, "Add var x_3 to poly_vars.\nAdd var x_4 to poly_vars.\n"},
        {"x_3+x_5", 1, "Add var x_5 to poly_vars.\n"},
        {"x_6+x+x_7", 1, "Add var x_6 to poly_vars.\n"},  // the scan ends at the main variable
        {"y+x_9223372036854775807", 1, "Add var x_9223372036854775807 to poly_vars.\n"},
        {"y+x_9223372036854775808*x_12345678901234567890123", 0, ""},  // past 64 bits: no name
    };
    for (const auto &c : cases) {
        int added = -1;
        EXPECT_EQ(printedBy([&] { added = multipolyn_add_var(c.text); }), c.printed) << c.text;
        EXPECT_EQ(added, c.added) << c.text;
    }
    // The main variable's record comes first; the record at position k carries index k.
    ASSERT_EQ(poly_varnames.size(), 6u);
    for (size_t k = 0; k < poly_varnames.size(); k++) EXPECT_EQ(poly_varnames[k].index, int64_t(k));
    EXPECT_EQ(poly_varnames[1].name, "x_3");
    EXPECT_EQ(poly_varnames[1].internalName, "x_1");
    EXPECT_EQ(poly_internal_names, (std::vector<std::string>{"x", "x_1", "x_2", "x_3", "x_4", "x_5"}));
    EXPECT_EQ(poly_vars.at("x_6"), 4);
}

TEST_F(MultiPolynRegistry, UserNamesTurnedIntoInternalNames) {
    printedBy([] { multipolyn_add_var("x_5+x_9"); });
    std::string out = "untouched";
    EXPECT_EQ(multipolyn_substitute("", out), 0);
    EXPECT_EQ(out, "untouched");
    EXPECT_EQ(multipolyn_substitute("x_9*x_5", out), 2);
    EXPECT_EQ(out, "x_2*x_1");
    poly_registry_add("a");
    poly_registry_add("ab");
    const std::pair<const char *, const char *> cases[] = {
        {"ab*a+x", "x_4*x_3+x"},  // the longest name at each place
        {"a2+x_95", "x_3*2+x_95"},  // a digit after a name is no part of its index
        {"b", "b"},
    };
    for (auto [text, substituted] : cases) {
        EXPECT_EQ(multipolyn_substitute(text, out), 4);
        EXPECT_EQ(out, substituted) << text;
    }
}

TEST_F(MultiPolynRegistry, NamesNeverCollide) {
    // x_2 entered before x_1 gets the internal name x_1; rewriting x_2+x_1 must not make
    // the two one variable.
    poly_registry_add("x_2");
    poly_registry_add("x_1");
    std::string out;
    multipolyn_substitute("x_2+x_1", out);
    EXPECT_EQ(out, "x_1+x_2");
    EXPECT_EQ(multipolyn_eval_postfix_text("x_1,x_2,+,"), "x_2+x_1");
}

TEST_F(MultiPolynRegistry, EmptiedRegistryStartsAgain) {
    // A second start-up empties every list: a new name gets index 1 again, and the main
    // letter stays the first internal name, which the one-variable writers use.
    EXPECT_EQ(poly_registry_add("y"), 1);
    EXPECT_EQ(poly_registry_add("y"), -1);
    EXPECT_EQ(poly_internal_names, (std::vector<std::string>{"x", "x_1"}));
    bool ok = false;
    TermList l(polyn_parse("x^2", ok));
    EXPECT_EQ(polyn_forward_to_string(l.get()), "x^2");
    // Emptied records with the internal names kept: indices follow the records.
    poly_vars.clear();
    poly_varnames.clear();
    EXPECT_EQ(poly_registry_add("z"), 1);
    EXPECT_EQ(poly_variable_name(1, false), "z");
}

TEST_F(MultiPolynPostfix, AnswerTable) {
    poly_registry_add("y");
    const std::string kIndexRange = "Error> x_99999999999999999999999 is out of range: an integer from "
                                    "0 to 9223372036854775807 is needed here.";
    const std::pair<const char *, std::string> cases[] = {
        {"x_1,x_2,+,", "y+x_2"},
        {"x_1,-,", "-y"},
        {"x_1,+,", "0+y"},
        {"x_1,2,^,", "y^2"},
        {"x_1,x_2,^,", ""},
        {"x_1,2,/,", ""},
        {"x_1,2,/,x_2,+,", "x_2"},  // the sum passes its other operand through
        {"x_1,", "y"},
        {"x,x_1,*,", "xy"},
        {"x_1,1,+,3,^,", "y^3+3y^2+3y+1"},
        {"x_1,x_1,-,", "0y"},
        {"x_1,x_2,*,x_1,*,", "y^2x_2"},
        {",,x_1,,2,^,", "y^2"},
        // operators short of operands, operands left over
        {"+,", "error"},
        {"+,x_1,", "error"},
        {"x_1,*,", "error"},
        {"x_1,x_2,", "error"},
        {"x_1,x_2,x_2,+,", "error"},
        {"", "error"},
        {"x_1,99999999999,^,2,+,", "Error> 99999999999 is out of range: an integer from 0 to 2147483647 is needed here."},
        {"x_1,7,*,1073741824,^,1,+,", kPolynTooBig},
        // an index past 64 bits, whatever the operator
        {"x_1,x_99999999999999999999999,-,", kIndexRange},
        {"x_99999999999999999999999,2,/,x_1,+,", kIndexRange},
        {"x_99999999999999999999999,", kIndexRange},
    };
    for (auto [postfix, answer] : cases) EXPECT_EQ(multipolyn_eval_postfix_text(postfix), answer) << postfix;
    bool formed = true;
    EXPECT_EQ(multipolyn_eval_postfix("x_1,*,", 0, &formed), nullptr);
    EXPECT_FALSE(formed);
}

TEST_F(MultiPolynPostfix, OneOperatorAsText) {
    const struct {
        const char *op, *right, *left, *answer;
    } cases[] = {
        {"+", "x_2", "x_1", "x_1+x_2"},
        {"*", "x_2+1", "x_1", "x_1x_2+x_1"},
        {"^", "", "x_1+1", "1"},  // an empty exponent counts as digits: 0
        {"~", "x_1", "x_1", ""},
        {"-", "0", "x_1", "x_1+0"},
    };
    for (const auto &c : cases) EXPECT_EQ(multipolyn_apply_op_text({c.op, c.right, c.left}), c.answer) << c.op;
    std::ostringstream trace;
    MultiPolyn sum(multipolyn_apply_op({"+", "x_2", "x_1"}, trace));
    EXPECT_EQ(trace.str(), "left: x_1\nright: x_2\n");
}

TEST_F(MultiPolynPostfix, ThroughTheEvaluator) {
    poly_registry_add("y");
    poly_registry_add("z");
    const std::pair<const char *, const char *> cases[] = {
        {"(x+y)^2", "x^2+2xy+y^2"},
        {"(y-z)*(y+z)", "y^2+0yz-z^2"},
        {"-(y+1)", "-y-1"},
        {"2y*3z", "6yz"},
        {"y^2/3", ""},
        {"(x+y+z+1)^2-(x+y+z+1)^2", "0x^2+0xy+0xz+0x+0y^2+0yz+0y+0z^2+0z+0"},

    };
    for (auto [text, answer] : cases) {
        BigNumber bn;
        std::string value;
        printedBy([&] { bn.EvalInfixExprNoOutput(text, value, 2); });
        EXPECT_EQ(value, answer) << text;
    }
}

TEST(LagrangeInterpolation, TwoPoints) {
    std::ostringstream out;
    EXPECT_EQ(lagrange_interpolate({{"0", "1"}, {"1", "3"}}, out), 0);
    EXPECT_EQ(out.str(),
              "The points are:\n(0,1) (1,3) \n---------------\n"
              "ell_0 = (x-(1))/(0-(1))\n      = -(x-1)\n      = -1x^1+1\n\n"
              "ell_1 = (x-(0))/(1-(0))\n      = x\n      = x\n\n"
              "Lagrange polyn is: \n\t(1)*(-1x^1+1)+(3)*(x)\n      = 2x+1\n\n");
    EXPECT_EQ(bignumber_global.getMode(), 1);
    bignumber_global.setMode(0);
}

TEST(LagrangeInterpolation, BasesAndTheirOrder) {
    std::ostringstream out;
    lagrange_interpolate({{"1", "2"}, {"2", "3"}, {"3", "5"}}, out);
    const std::string text = out.str();
    // The basis of the middle point starts with the factor of the first point.
    EXPECT_NE(text.find("ell_1 = (x-(1))/(2-(1))*(x-(3))/(2-(3))\n      = -(x-1)*(x-3)\n      = -1x^2+4x^1-3\n"),
              std::string::npos);
    EXPECT_NE(text.find("      = 1|2x^2-1|2x+2\n\n"), std::string::npos);
    // One point: the basis is the empty product, 1, and the polynomial the constant y.
    for (const auto &[x, y, value] : std::vector<std::array<const char *, 3>>{
             {"1", "2", "2"}, {"5", "10", "10"}, {"-5", "5/2", "5|2"}}) {
        out.str("");
        lagrange_interpolate({{x, y}}, out);
        EXPECT_EQ(out.str(), std::string("The points are:\n(") + x + "," + y +
                                 ") \n---------------\nell_0 = \n      = 1\n      = 1\n\n"
                                 "Lagrange polyn is: \n\t(" + y + ")*(1)\n      = " + value + "\n\n");
    }
    // In another main variable.
    main_var = 't';
    poly_internal_names = {"t"};
    out.str("");
    lagrange_interpolate({{"0", "0"}, {"2", "4"}}, out);
    EXPECT_NE(out.str().find("ell_0 = (t-(2))/(0-(2))\n"), std::string::npos);
    EXPECT_NE(out.str().find("      = 2t\n"), std::string::npos);
    main_var = 'x';
    poly_internal_names.clear();
    // The work grows with nearly the cube of the number of points.
    std::vector<std::pair<std::string, std::string>> many(61, {"1", "1"});
    out.str("");
    lagrange_interpolate(many, out);
    EXPECT_EQ(out.str(), "Error> Lagrange interpolation takes at most 60 points.\n");
    bignumber_global.setMode(0);
}
