// Calls of registered functions: the script attempt, the text the handlers are given, and
// the dispatch by the signed-byte FNV-1a key of the name.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "calculator_test_support.h"
#include "dispatch/builtin_handlers.h"
#include "dispatch/dispatch_key.h"
#include "kscript.h"
#include "registry/builtin_functions.h"

namespace {

// FNV-1a as published (offset basis 14695981039346656037, prime 1099511628211), written
// apart from the code under test: a byte from 0x80 up is combined as a negative 8-bit value
// widened to 64 bits, i.e. with the 56 upper bits set.
uint64_t referenceKey(const std::string &name) {
    uint64_t hash = 14695981039346656037ULL;
    for (unsigned char byte : name) {
        uint64_t widened = byte;
        if (byte >= 0x80) widened |= 0xFFFFFFFFFFFFFF00ULL;
        hash = (hash ^ widened) * 1099511628211ULL;
    }
    return hash;
}

// The usual FNV-1a, bytes taken unsigned.
uint64_t unsignedFnv1a(const std::string &name) {
    uint64_t hash = 14695981039346656037ULL;
    for (unsigned char byte : name) hash = (hash ^ byte) * 1099511628211ULL;
    return hash;
}

TEST(DispatchKey, EveryNameAgainstTheReference) {
    std::set<uint64_t> keys;
    for (const BuiltinFunction &f : builtin_functions()) {
        EXPECT_EQ(fnv1a_hash64(f.name), referenceKey(f.name)) << f.name;
        keys.insert(fnv1a_hash64(f.name));
    }
    EXPECT_EQ(keys.size(), 128u);
}

TEST(DispatchKey, PublishedValuesAndHighBytes) {
    // Published FNV-1a 64 test values: ASCII names get the usual key.
    EXPECT_EQ(fnv1a_hash64(""), 0xcbf29ce484222325ULL);
    EXPECT_EQ(fnv1a_hash64("a"), 0xaf63dc4c8601ec8cULL);
    EXPECT_EQ(fnv1a_hash64("foobar"), 0x85944171f73967e8ULL);
    EXPECT_NE(fnv1a_hash64("gcd"), fnv1a_hash64("Gcd"));
    // A byte above 0x7F enters sign-extended, so the key differs from the usual value.
    const std::string high = "f\xc3\xa9";
    EXPECT_EQ(fnv1a_hash64(high), referenceKey(high));
    EXPECT_NE(fnv1a_hash64(high), unsignedFnv1a(high));
    // The key ends where a zero-terminated name would end.
    EXPECT_EQ(fnv1a_hash64(std::string("gcd\0xyz", 7)), fnv1a_hash64("gcd"));
}

TEST(DispatchKey, EveryCaseIsFoundByItsKey) {
    for (const HandlerCase &c : builtin_handler_cases()) {
        const HandlerCase *found = find_handler_case(c.name);
        ASSERT_NE(found, nullptr) << c.name;
        EXPECT_STREQ(found->name, c.name);
    }
    for (const char *name : {"GCD", "avg", "", "myplug", "gcd3"}) EXPECT_EQ(find_handler_case(name), nullptr) << name;
}

// Above the precision limit no script runs: each call goes straight to its case.
TEST(CallDispatch, EveryNameReachesItsCase) {
    Calculator calculator;
    calculator.setOperatorChars();
    calculator.core.setPrecision(2000);
    // E answers a call of no form with nothing, DetExpansion with its heading alone.
    const std::map<std::string, std::string> withoutPrompt = {{"E", ""}, {"DetExpansion", "expansion>\n\n"},
                                                             {"sort", "\n"}};
    for (const HandlerCase &c : builtin_handler_cases()) {
        calculator.core.setPrecision(2000); // setprecision() sets the default
        calculator.dealWithInputCommand({std::string(c.name) + "()"});
        const std::string shown = shownText(calculator);
        if (withoutPrompt.count(c.name)) EXPECT_EQ(shown, withoutPrompt.at(c.name));
        else EXPECT_NE(shown.find(texts::prompt), std::string::npos) << c.name << ": " << shown;
    }
}

TEST(CallDispatch, CommandTextAndTypedLine) {
    struct Row {
        const char *typed;
        const char *commandText;
        const char *inputLine;
    };
    const Row rows[] = {
        // The command text keeps the blanks of the line; the typed line loses them.
        {"det([1 2;3 4])", "det([1 2;3 4])", "det([12;34])"},
        {"expmod(2, 10, 7)", "expmod(2, 10, 7)", "expmod(2,10,7)"},
        {"gcd(19 mod 7,3)", "gcd(19 @ 7,3)", "gcd(19mod7,3)"},
        {"gcd(expdom,1)", "gcd(expmod,1)", "gcd(expdom,1)"},
        {"solve((1)(2),a==b)", "solve((1)*(2),a~b)", "solve((1)(2),a==b)"},
        // (gcd(-2,4) itself is answered by the script's native.)
        {"lcm(-2,4)", "lcm(0-2,4)", "lcm(-2,4)"},
    };
    for (const Row &row : rows) {
        Calculator calculator;
        calculator.setOperatorChars();
        calculator.dealWithInputCommand({row.typed});
        EXPECT_EQ(calculator.commandText, row.commandText) << row.typed;
        EXPECT_EQ(calculator.inputLine, row.inputLine) << row.typed;
    }
    // With the setting "deleteblank" other than "y" the typed line keeps its blanks.
    Calculator calculator;
    calculator.setConfig("deleteblank", "n");
    calculator.dealWithInputCommand({"gcd(4, 6)"});
    EXPECT_EQ(calculator.inputLine, "gcd(4, 6)");
}

TEST(CallDispatch, ScriptAnswersFirst) {
    Calculator calculator;
    calculator.setOperatorChars();
    ASSERT_EQ(runScriptSource(&calculator.core, "fun twice(x) { return x * 2; }"), 0);
    // The printed value alone, with no prompt; the name need not be registered.
    calculator.dealWithInputCommand({"twice(21)"});
    EXPECT_EQ(shownText(calculator), "42");
    // A registered name answered by the script never reaches its handler.
    ASSERT_EQ(runScriptSource(&calculator.core, "fun sqrt(x) { return 7; }"), 0);
    calculator.dealWithInputCommand({"sqrt(2)"});
    EXPECT_EQ(shownText(calculator), "7");
    // Above the precision limit the script is not asked.
    calculator.core.setPrecision(1001);
    calculator.dealWithInputCommand({"twice(21)"});
    EXPECT_EQ(shownText(calculator), texts::notDefined("twice"));
    calculator.core.setPrecision(-1); // a wrapped precision counts as above the limit
    calculator.dealWithInputCommand({"twice(21)"});
    EXPECT_EQ(shownText(calculator), texts::notDefined("twice"));
    calculator.core.setPrecision(1000);
    calculator.dealWithInputCommand({"twice(21)"});
    EXPECT_EQ(shownText(calculator), "42");
}

TEST(CallDispatch, PluginNameCallsNothing) {
    Calculator calculator;
    calculator.functions.registerPluginFunction("myplug");
    std::string out = captureStdout([&] { calculator.dealWithInputCommand({"myplug(1)"}); });
    EXPECT_EQ(calculator.output.str(), "Default...\n");
    EXPECT_EQ(out, "input...> myplug(1)\n");
}

} // namespace
