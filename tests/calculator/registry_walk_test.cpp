// Every name of the function registry called through its handler, once with a well-formed
// argument and once with malformed ones: none crashes (the sanitizers watch natively) and
// none answers "not available yet".
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "calculator_test_support.h"
#include "dispatch/builtin_handlers.h"

namespace {

// Calls whose well-formed arguments are not a list of small numbers.
const std::map<std::string, std::string> kWellFormed = {
    {"simplify", "(x^2+2*x+1)"},
    {"ispolyn", "(x^2+1)"},
    {"integrate", "(3x^2+1)"},
    {"deg", "(x^3+1)"},
    {"monic_polyn", "(2x+4)"},
    {"polyn_items", "(x^2-1)"},
    {"div", "(x^2-1,x-1)"},
    {"Gcd2", "(x^2-1,x-1)"},
    {"Gcd", "(x^2-1,x-1)"},
    {"PrimitivePolyn", "(2x^2+3)"},
    {"Eisenstein", "(x^2+2x+2)"},
    {"LagrangePolyn", "(1,2;3,4)"},
    {"symbol", "(y)"},
    {"multipolyn_items", "(x*y+1)"},
    {"sum", "(n^2,n,1,10)"},
    {"printSeries", "(n^2,n,1,5)"},
    {"printRecursiveSeries", "(x/2,x,2,5)"},
    {"lim", "((x^2-1)/(x-1),x,1)"},
    {"limit", "((x^2-1)/(x-1),x,1)"},
    {"diff", "(sin(x))"},
    {"solve", "(x^2-1~0,x,1,10)"},
    {"InfixToPostfix", "(1+2*3)"},
    {"help", "(sqrt)"},
};

// Arguments of the wrong kind, shape or size.
const char *const kMalformed[] = {
    "()", "(abc,,-0.5,\\n)", "(0-)", "(x^99999999999999999999,1/0)", "(1,2,3,4,5,6,7,8,9)", "(18446744073709551617)",
    ")(", "",
};

std::string wellFormedCall(const std::string &name, const FunctionRegistry &registry) {
    auto known = kWellFormed.find(name);
    if (known != kWellFormed.end()) return name + known->second;
    auto entry = registry.findFunction(name);
    std::string arguments;
    for (uint64_t k = 0; entry != registry.end() && k < entry->second.parameterCount; k++)
        arguments += (k == 0 ? "" : ",") + std::string("2");
    return name + "(" + arguments + ")";
}

// A working folder of its own: some commands write files beside them.
class RegistryWalk : public testing::Test {
protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        folder = std::filesystem::temp_directory_path() /
                 ("kavlo_registry_walk_" + std::to_string(testing::UnitTest::GetInstance()->random_seed()));
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }
    std::filesystem::path previous, folder;
};

TEST_F(RegistryWalk, EveryNameHasAHandlerThatAnswersWellFormedAndMalformedCalls) {
    Calculator calculator;
    calculator.setOperatorChars();
    size_t called = 0;
    for (const std::string &name : calculator.functionNames) {
        const HandlerCase *handlerCase = find_handler_case(name);
        if (handlerCase == nullptr) continue;  // a plugin module
        ASSERT_NE(handlerCase->handler, nullptr) << name;
        std::vector<std::string> lines = {wellFormedCall(name, calculator.functions)};
        for (const char *arguments : kMalformed) lines.push_back(name + arguments);
        for (const std::string &line : lines) {
            calculator.inputLine = line;
            calculator.commandText = line;
            captureStdout([&] { handlerCase->handler(calculator); });
            calculator.joinEngineLines();
            EXPECT_EQ(calculator.output.str().find("not available yet"), std::string::npos) << line;
            calculator.clearAnswerStreams();
        }
        called++;
    }
    EXPECT_EQ(called, builtin_handler_cases().size());
}

}  // namespace
