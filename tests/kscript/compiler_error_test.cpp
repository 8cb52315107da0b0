// Every compile error, in the language's format, reported once per panic.
#include <gtest/gtest.h>

#include <string>

#include "script_test_support.h"

namespace {

std::string repeat(const std::string &text, int times) {
    std::string out;
    for (int i = 0; i < times; ++i) out += text;
    return out;
}

struct ErrorCase {
    std::string source;
    std::string errors;
};

std::string first_report(const std::string &errors) {
    return errors.substr(0, errors.find('\n') + 1);
}

using CompilerErrors = ScriptVmTest;

// The first report of each source; what recovery reports after it is covered below.
TEST_F(CompilerErrors, MessagesAndWhereTheyPoint) {
    const ErrorCase cases[] = {
        {"print 1 + 2", "[line 1] Error at end: Expect ';' after value.\n"},
        {"print 1 +;", "[line 1] Error at ';': Expect expression.\n"},
        {"print x!y;", "[line 1] Error at '!': Expect ';' after value.\n"},
        {"print !x;", "[line 1] Error at '!': Expect expression.\n"},
        {"print 'a';", "[line 1] Error at ''a'': Expect expression.\n"},
        {"print 2D;", "[line 1] Error at '2D': Expect expression.\n"},
        {"a = 1 = 2;", "[line 1] Error at '=': Invalid assignment target.\n"},
        {"a + b = 2;", "[line 1] Error at '=': Invalid assignment target.\n"},
        {"a[b = 1];", "[line 1] Error at '=': Expect ']' after index.\n"},
        {"print (1;", "[line 1] Error at ';': Expect ')' after expression.\n"},
        {"f(1;", "[line 1] Error at ';': Expect ')' after arguments.\n"},
        {"x.1;", "[line 1] Error at '1': Expect property name after '.'.\n"},
        {"print [1, 2;", "[line 1] Error at ';': Expect ']' after list literal.\n"},
        {"1 + 2", "[line 1] Error at end: Expect ';' after expression.\n"},
        {"var 1;", "[line 1] Error at '1': Expect variable name.\n"},
        {"var a = 1", "[line 1] Error at end: Expect ';' after variable declaration.\n"},
        {"scanf a", "[line 1] Error at end: Expect ';' after variable scanf.\n"},
        {"{ var a = 1;", "[line 1] Error at end: Expect '}' after block.\n"},
        {"{ var a = a; }", "[line 1] Error at 'a': Can't read local variable in its own initializer.\n"},
        {"{ var a; var a; }", "[line 1] Error at 'a': Already a variable with this name in this scope.\n"},
        {"if 1) print 1;", "[line 1] Error at '1': Expect '(' after 'if'.\n"},
        {"if (1 print 1;", "[line 1] Error at 'print': Expect ')' after condition.\n"},
        {"while 1) {}", "[line 1] Error at '1': Expect '(' after 'while'.\n"},
        {"while (1 {}", "[line 1] Error at '{': Expect ')' after condition.\n"},
        {"for 1;;) {}", "[line 1] Error at '1': Expect '(' after 'for'.\n"},
        {"for (;1 {}", "[line 1] Error at '{': Expect ';' after loop condition.\n"},
        {"for (;;1 {}", "[line 1] Error at '{': Expect ')' after for clauses.\n"},
        {"fun 1() {}", "[line 1] Error at '1': Expect function name.\n"},
        {"fun f {}", "[line 1] Error at '{': Expect '(' after function name.\n"},
        {"fun f(1) {}", "[line 1] Error at '1': Expect parameter name.\n"},
        {"fun f(a {}", "[line 1] Error at '{': Expect ')' after parameters.\n"},
        {"fun f() print 1;", "[line 1] Error at 'print': Expect '{' before function body.\n"},
        {"fun f(a, a) {}", "[line 1] Error at 'a': Already a variable with this name in this scope.\n"},
        {"return 1;", "[line 1] Error at 'return': Can't return from top-level code.\n"},
        {"fun f() { return 1 }", "[line 1] Error at '}': Expect ';' after return value.\n"},
        {"class A { init() { return 1; } }",
         "[line 1] Error at 'return': Can't return a value from an initializer.\n"},
        {"class 1 {}", "[line 1] Error at '1': Expect class name.\n"},
        {"class A < 1 {}", "[line 1] Error at '1': Expect superclass name.\n"},
        {"class A < A {}", "[line 1] Error at 'A': A class can't inherit from itself.\n"},
        {"class A [", "[line 1] Error at '[': Expect '{' before class body.\n"},
        {"class A { 1 }", "[line 1] Error at '1': Expect method name.\n"},
        {"class A { m() {}", "[line 1] Error at end: Expect '}' after class body.\n"},
        {"print this;", "[line 1] Error at 'this': Can't use 'this' outside of a class.\n"},
        {"print super.x;", "[line 1] Error at 'super': Can't use 'super' outside of a class.\n"},
        {"class A { m() { super.m(); } }",
         "[line 1] Error at 'super': Can't use 'super' in a class with no superclass.\n"},
        {"class A < B { m() { super m; } }", "[line 1] Error at 'm': Expect '.' after 'super'.\n"},
        {"class A < B { m() { super.1; } }", "[line 1] Error at '1': Expect superclass method name.\n"},
        {"end;", "[line 1] Error at ';': Expect expression.\n"},
        // Errors of the scanner carry no lexeme.
        {"print #;", "[line 1] Error: Unexpected character.\n"},
        {"print \"abc", "[line 1] Error: Unterminated string.\n"},
        {"print 'ab';", "[line 1] Error: The input is not a single char.\n"},
        {"print\n\n  1 +;", "[line 3] Error at ';': Expect expression.\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(first_report(compile_errors(c.source.c_str())), c.errors) << c.source;
}

TEST_F(CompilerErrors, OneReportPerPanicThenResynchronised) {
    const ErrorCase cases[] = {
        {"print ; print ;", "[line 1] Error at ';': Expect expression.\n"
                            "[line 1] Error at ';': Expect expression.\n"},
        // Within one statement only the first error counts; the next statement reports again.
        {"print 1 2 3 +; var 1;\nprint ;", "[line 1] Error at '2': Expect ';' after value.\n"
                                           "[line 1] Error at '1': Expect variable name.\n"
                                           "[line 2] Error at ';': Expect expression.\n"},
        // Recovery stops at a statement keyword, too.
        {"x = = 1 print ;", "[line 1] Error at '=': Expect expression.\n"
                            "[line 1] Error at ';': Expect expression.\n"},
        // Recovery inside a body may skip its closing brace, which the body then misses.
        {"fun f() { return 1 }", "[line 1] Error at '}': Expect ';' after return value.\n"
                                 "[line 1] Error at end: Expect '}' after block.\n"},
    };
    for (const auto &c : cases) EXPECT_EQ(compile_errors(c.source.c_str()), c.errors) << c.source;
}

// A failed expectation fails the compile even when nothing is reported: a partly parsed
// line must not count as a script that compiled.
TEST_F(CompilerErrors, FailedConsumeFailsSilentlyWithReportingOff) {
    vm_set_error_report(0);
    for (const char *source : {"print 2pi;", "print 1 + 2", "print (1;", "var a = 1", "fun f( {}"}) {
        FunctionObject *function = reinterpret_cast<FunctionObject *>(1);
        std::string errors = capture_stderr([&] { function = compiler_compile(source); });
        EXPECT_EQ(function, nullptr) << source;
        EXPECT_EQ(errors, "") << source;
    }
    EXPECT_NE(compiler_compile("print 1 + 2;"), nullptr);
}

TEST_F(CompilerErrors, LimitsGiveTheirMessageAndNeverWritePastAnArray) {
    std::string locals = "fun f() {";
    for (int i = 0; i < 256; ++i) locals += " var v" + std::to_string(i) + ";";
    locals += " }";

    // The middle function forwards 200 captured variables of the outer one and adds 200 of its
    // own: the inner function needs 400 upvalues, and b56 would be the 257th.
    std::string upvalues = "fun o() {";
    for (int i = 0; i < 200; ++i) upvalues += " var a" + std::to_string(i) + ";";
    upvalues += " fun m() {";
    for (int i = 0; i < 200; ++i) upvalues += " var b" + std::to_string(i) + ";";
    upvalues += " fun i() { print a0";
    for (int i = 1; i < 200; ++i) upvalues += ", a" + std::to_string(i);
    for (int i = 0; i < 200; ++i) upvalues += ", b" + std::to_string(i);
    upvalues += "; } } }";

    std::string constants;
    for (int i = 0; i < 257; ++i) constants += "print " + std::to_string(i) + ";";

    std::string arguments = "f(" + repeat("nil, ", 255) + "nil);";
    std::string parameters = "fun f(";
    for (int i = 0; i < 256; ++i) parameters += (i ? ", p" : "p") + std::to_string(i);
    parameters += ") {}";

    const ErrorCase cases[] = {
        {locals, "[line 1] Error at 'v255': Too many local variables in function.\n"},
        {upvalues, "[line 1] Error at 'b56': Too many closure variables in function.\n"},
        {constants, "[line 1] Error at '256': Too many constants in one chunk.\n"},
        {arguments, "[line 1] Error at 'nil': Can't have more than 255 arguments.\n"},
        {parameters, "[line 1] Error at 'p255': Can't have more than 255 parameters.\n"},
        {"print [" + repeat("nil, ", 256) + "];",
         "[line 1] Error at 'nil': Cannot have more than 255 items in a list literal.\n"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(compile_errors(c.source.c_str()), c.errors) << c.source.substr(0, 60);
}

// An if over n two-byte statements jumps 2n + 4 bytes; a while loops back 2n + 8.
TEST_F(CompilerErrors, JumpDistancesAtTheLimit) {
    const ErrorCase cases[] = {
        {"if (true) {" + repeat("nil;", 32765) + "}", ""},
        {"if (true) {" + repeat("nil;", 32766) + "}", "[line 1] Error at '}': Too much code to jump over.\n"},
        {"while (true) {" + repeat("nil;", 32763) + "}", ""},
        {"while (true) {" + repeat("nil;", 32764) + "}", "[line 1] Error at '}': Loop body too large.\n"},
    };
    for (const auto &c : cases) EXPECT_EQ(compile_errors(c.source.c_str()), c.errors) << c.source.size();
}

// Deep nesting fails the compile with a message instead of exhausting the native stack.
TEST_F(CompilerErrors, NestingIsBounded) {
    const int depth = 100000;
    const ErrorCase cases[] = {
        {"print " + repeat("(", depth) + "1" + repeat(")", depth) + ";", "Too much nesting."},
        {"print " + repeat("-", depth) + "1;", "Too much nesting."},
        {"print " + repeat("[", depth) + repeat("]", depth) + ";", "Too much nesting."},
        {repeat("{", depth) + repeat("}", depth), "Too much nesting."},
        {repeat("if (1) ", depth) + "print 1;", "Too much nesting."},
        {repeat("fun f() {", depth) + repeat("}", depth), "Too much nesting."},
        {repeat("class A { m() {", 5000) + repeat("} }", 5000), "Too much nesting."},
    };
    for (const auto &c : cases) {
        std::string errors = compile_errors(c.source.c_str());
        EXPECT_NE(errors.find(c.errors), std::string::npos) << c.source.substr(0, 40);
        EXPECT_EQ(errors.find('\n'), errors.size() - 1) << "one report only: " << errors;
    }
    // Ordinary depths are untouched.
    EXPECT_EQ(compile_errors(("print " + repeat("(", 50) + "1" + repeat(")", 50) + ";").c_str()), "");
    EXPECT_EQ(compile_errors((repeat("{", 50) + repeat("}", 50)).c_str()), "");
}

} // namespace
