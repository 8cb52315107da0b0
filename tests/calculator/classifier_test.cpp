// The input-line classifier, the call parser and the small text tests.
#include <gtest/gtest.h>

#include <random>
#include <regex>

#include "calculator_test_support.h"
#include "classifier/classifier.h"
#include "interpreter/interpreter_state.h"
#include "variables/symbol_table.h"

namespace {

struct Classified {
    const char *line;
    int kind;
    const char *name, *op, *arg, *value;
};

InputStatement classifyOne(const std::string &line, const VariableTable &variables, bool &ok) {
    std::vector<InputStatement> statements;
    std::set<std::string> used;
    ok = classify_input_line(line, statements, variables, used, {});
    EXPECT_EQ(statements.size(), ok ? 1u : 0u) << line;
    return ok ? statements.back() : InputStatement{};
}

TEST(Classifier, StatementKinds) {
    const Classified rows[] = {
        // colon commands
        {":clear", 0, "clear", "", "", ""},
        {":expand=on", 0, "expand", ":", "on", "on"},
        {":claim x<=3", 0, "claim", "<=", "x", "3"},
        {":claim x<3", 0, "claim", "<", "x", "3"},
        {":claim x>=0", 0, "claim", ">=", "x", "0"},
        {":claim x>0", 0, "claim", ">", "x", "0"},
        {":claim a==b", 0, "claim", "==", "a", "b"},
        {":claim a=b", 0, "claim", "=", "a", "b"},
        {":change x->t", 0, "change", "->", "x", "t"},
        {":change ->t", 0, "change", "->", "", "t"},
        {":mode fraction", 0, "mode", "", "fraction", "on"},
        {":mode  polyn = on", 0, "mode", "=", "polyn", "on"},
        {":show claim=", 0, "show", "=", "claim", ""},
        {":help gcd", 0, "help", "", "gcd", "on"},
        {":claim x<", 0, "claim", "<", "x", ""},
        {":_x", 0, "_x", "", "", ""},
        // linear programs
        {"max 3x+2y=z", 7, "max", "=", "3x+2y", "z"},
        {"Max x", 7, "max", "", "", ""},
        {"min 2a+b=w", 8, "min", "=", "2a+b", "w"},
        {"max =", 7, "max", "=", "", ""},
        {"max", 3, "max", "", "", ""},
        {"MAX x", 3, "MAX x", "", "", ""},
        // calls and expressions without "="
        {"isPrime(17)", 2, "isPrime", "()", "", ""},
        {"1+2", 3, "1+2", "", "", ""},
        {"2x(1)", 3, "2x(1)", "", "", ""},
        {"(a)(b)", 3, "(a)(b)", "", "", ""},
        // a literal after "="
        {"A=[1 2;3 4]", 1, "A", "=", "A=[1 2;3 4]", ""},
        {" B =[1]", 1, "B", "=", "B =[1]", ""},
        {"[1]=A", 3, "[1]=A", "", "", ""},
        // the whole-line patterns
        {"x=3.5", 1, "x", "=", "3.5", ""},
        {"x=-1.25", 1, "x", "=", "-1.25", ""},
        {"s=\"hello\"", 1, "s", "=", "\"hello\"", ""},
        {"a=", 1, "a", "=", "", ""},
        {"a==b", 3, "a==b", "", "", ""},
        {"a==", 3, "a==", "", "", ""},
        {"x=2*3", 3, "x=2*3", "", "", ""},
        {"a = 5", 3, "a = 5", "", "", ""},
        {"a=b=c", 3, "a=b=c", "", "", ""},
        {"solve(x^2-1=0)", 2, "solve", "", "x^2-1=0", ""},
        {"solve(x^2 - 1 = 0)", 2, "solve", "", "x^2 - 1 = 0", ""},
        {"printRecursiveSeries(a{n}=a{n-1}+1)", 2, "printRecursiveSeries", "", "a{n}=a{n-1}+1", ""},
        {"solve(x=1)+1", 3, "solve(x=1)+1", "", "", ""},
    };
    for (const Classified &row : rows) {
        bool ok = false;
        InputStatement st = classifyOne(row.line, {}, ok);
        ASSERT_TRUE(ok) << row.line;
        EXPECT_EQ(st.kind, row.kind) << row.line;
        EXPECT_EQ(st.name, row.name) << row.line;
        EXPECT_EQ(st.op, row.op) << row.line;
        EXPECT_EQ(st.arg, row.arg) << row.line;
        EXPECT_EQ(st.value, row.value) << row.line;
    }
}

TEST(Classifier, RejectedLines) {
    // A colon command needs an identifier for a name; marks in an odd order only make a
    // name that is none.
    for (const char *line : {":", ":2a", ": mode", ":a<b c", ":x>y z", ":=5", ":->", ":é"}) {
        bool ok = true;
        classifyOne(line, {}, ok);
        EXPECT_FALSE(ok) << line;
    }
}

TEST(Classifier, FunctionDefinitionIsRefusedWithItsParts) {
    bool ok = true;
    std::string out = captureStdout([&] { classifyOne("f(x)=x^2+1", {}, ok); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(out, "function name>f\npara list>x\nfunction body>x^2+1\n");
    out = captureStdout([&] { classifyOne("g(a,b)=\"a+b\"", {}, ok); });
    EXPECT_FALSE(ok);
    EXPECT_EQ(out, "function name>g\npara list>a,b\nfunction body>\"a+b\"\n");
}

TEST(Classifier, CallArguments) {
    VariableTable variables;
    std::set<std::string> used;
    std::ostringstream sink;
    ASSERT_TRUE(define_variable("a", "5", used, variables, sink, 0));
    struct CallRow {
        const char *text;
        bool accepted;
        const char *name;
        CallArguments args;
    };
    const CallRow rows[] = {
        {"isPrime(17)", true, "isPrime", {{"17", ""}}},
        {"f(a,3)", true, "f", {{"a", "5"}, {"3", ""}}},
        {"f(g(1,2),3)", true, "f", {{"g(1", ""}, {"2)", ""}, {"3", ""}}},
        {"f()", true, "f", {{"", ""}}},
        {"f(1,)", true, "f", {{"1", ""}, {"", ""}}},
        {"f( a)", true, "f", {{" a", ""}}},
        {"f(b)", true, "f", {{"b", ""}}},
        {"2f(a)", false, "", {{"a", "5"}}},
        {"f(1", false, "", {}},
        {"(1)", false, "", {}},
        {"f", false, "", {}},
        {"", false, "", {}},
    };
    for (const CallRow &row : rows) {
        std::string name = "stale";
        CallArguments args;
        EXPECT_EQ(parse_function_call(row.text, variables, name, args), row.accepted) << row.text;
        if (std::string(row.text).size() >= 2) {
            EXPECT_EQ(name, row.name) << row.text;
        }
        EXPECT_EQ(args, row.args) << row.text;

        std::string callName = "stale";
        EXPECT_EQ(function_call_name(row.text, callName), row.accepted) << row.text;
        EXPECT_EQ(callName, row.name) << row.text;
    }
}

TEST(Classifier, CallsCarryTheirArguments) {
    bool ok = false;
    InputStatement st = classifyOne("gcd(12,18)", {}, ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(st.args, (CallArguments{{"12", ""}, {"18", ""}}));
    st = classifyOne("2x(1)", {}, ok);
    EXPECT_TRUE(st.args.empty());
}

TEST(Classifier, TextTests) {
    struct ExprRow {
        const char *in;
        const char *out;
        bool only;
    };
    const ExprRow rows[] = {
        {"1 + 2", "1+2", true}, {"2x", "2x", false},
        {"", "", true},         {"(1|2)%^@!.<>~=", "(1|2)%^@!.<>~=", true},
        {" 7 ", "7", true},     {"1,2", "1,2", false},
        {"a b", "ab", false},
    };
    for (const ExprRow &row : rows) {
        std::string text = row.in;
        EXPECT_EQ(has_only_expr_chars(text), row.only) << row.in;
        EXPECT_EQ(text, row.out) << row.in;
    }
    EXPECT_EQ(digits_to_int("123"), 123);
    EXPECT_EQ(digits_to_int(""), 0);
    EXPECT_EQ(digits_to_int("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(digits_to_int("18446744073709551621"), 5); // 2^64 + 5 wraps, without overflow
}

// The hand-written matchers against the regular expressions they stand for, on random short
// lines over the characters that matter to them.
TEST(Classifier, PatternsAgreeWithTheRegularExpressions) {
    struct Pattern {
        const char *regex;
        bool (*match)(const std::string &, std::vector<std::string> &);
        std::vector<std::string> heads; // starts that make whole matches likely
    };
    const Pattern patterns[] = {
        {R"(([a-zA-Z0-9_]+)(=|==)("?[a-zA-Z0-9_.-]*"?))",
         match_assignment_pattern,
         {"", "a=", "Z9==", "x_=\""}},
        {R"(([a-zA-Z0-9_]+)(\()([a-zA-Z0-9_,]*)(\))(=)("?[a-zA-Z0-9_\+\*-/\^\(\)]*"?))",
         match_definition_pattern,
         {"", "f(", "f(x)=", "a_1(x,y)=\""}},
        {R"((solve)(\()([a-zA-Z0-9_\+\*-/\^\(\)@=~\ ]*)(\)))", match_solve_pattern, {"", "solve("}},
        {R"((printRecursiveSeries)(\()([a-zA-Z0-9_\+\*-/{,}\^\(\)\\@=~]*)(\)))",
         match_series_pattern,
         {"", "printRecursiveSeries("}},
    };
    const std::vector<std::string> fragments = {"a", "Z9", "_", "=", "==", "\"", "(", ")",
                                                ".", ",",  "-", "+", "*",  "/",  "^", "@",
                                                "~", "{",  "}", " ", "\\", "&",  "x", "\xc3"};
    std::mt19937 random(2024);
    for (const Pattern &p : patterns) {
        const std::regex re(p.regex, std::regex::ECMAScript);
        int matches = 0;
        for (int i = 0; i < 20000; i++) {
            std::string line = p.heads[random() % p.heads.size()];
            for (size_t n = random() % 7; n > 0; n--) line += fragments[random() % fragments.size()];
            std::smatch m;
            std::vector<std::string> groups;
            bool expected = std::regex_match(line, m, re);
            ASSERT_EQ(p.match(line, groups), expected) << p.regex << " on [" << line << "]";
            if (!expected) continue;
            matches++;
            ASSERT_EQ(groups.size(), m.size()) << line;
            for (size_t g = 0; g < m.size(); g++) ASSERT_EQ(groups[g], m[g].str()) << line << " group " << g;
        }
        EXPECT_GT(matches, 100) << p.regex; // the lines reached the matching cases
    }
}

TEST(Classifier, LongLinesAreCheap) {
    // A line of a hundred thousand characters goes through every pattern.
    std::string line = "solve(" + std::string(100000, 'x') + "=1)+";
    bool ok = false;
    InputStatement st = classifyOne(line, {}, ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(st.kind, 3);
    st = classifyOne("a=" + std::string(100000, '1'), {}, ok);
    EXPECT_EQ(st.kind, 1);
}

} // namespace
