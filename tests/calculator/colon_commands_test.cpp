// Transcripts of the colon commands: typed lines and the exact text the terminal shows, with
// the state each command leaves behind.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "calculator_test_support.h"
#include "claims/claims.h"
#include "kscript.h"
#include "matrix.h"
#include "variables/symbol_table.h"

namespace {

const std::string fractionText = "Switch into fraction calculating mode.\ne.g., 1/2+1/3 will return 5/6\n";
const std::string numericalText = "Switch into numerical calculating mode.\ne.g., 1/2+1/3 will return 0.83333333\n";
const std::string end = "\n" + texts::prompt; // after the answer of most colon commands

TEST(ColonCommands, Modes) {
    struct ModeRow {
        std::string typed;
        std::string shown;
        int32_t word; // the mode word afterwards
        std::string modeName;
    };
    const std::string syntax =
        "Syntax:\n\t:mode=numerical\n\t:mode=fraction\n\t:mode=polyn\n\t:mode=complex\n\t:mode=cmd\nor\n\t:mode\n"
        "\t\tThis will print the current calculating mode.\nAlso you can type:\n\t:mode numerical\n"
        "\t:mode numerical=on\n\t:mode numerical=off\n\tHere the input `on`, `ON` and `1` are equivalent, and the "
        "input `off`, `OFF` and `0` are equivalent.\n\tTry `:mode  polyn = on`\n\n\n\tType `:mode kscript` will "
        "switch in the kscript program mode.\n";
    const ModeRow rows[] = {
        {":mode", "Calculating mode: numerical\n" + end, 0, ""},
        {":mode fraction", fractionText + end, 1, "fraction"},
        {":mode", "Calculating mode: fraction\n" + end, 1, "fraction"},
        {":mode polyn=on", "Switch into polynomial mode.\n" + end, 3, "polyn"},
        {":mode", "Calculating mode: polyn & fraction\n" + end, 3, "polyn"},
        {":mode paint=1", "Switch into paint mode.\n" + end, 19, "paint"},
        {":mode", "calculating mode: 19\n" + end, 19, "paint"},
        {":mode paint=OFF", "Exit paint mode.\n" + end, 3, "paint"},
        // An unknown on/off word changes nothing and writes nothing, but names the mode.
        {":mode fraction=maybe", end, 3, "fraction"},
        {":mode fraction=off", numericalText + end, 2, "fraction"},
        {":mode numerical=off", fractionText + end, 3, "numerical"},
        {":mode=numerical", numericalText + end, 2, "numerical"},
        {":mode polyn=0", "Exit polynomial mode.\n" + end, 0, "polyn"},
        {":mode complex", "Switch into complex mode.\n" + end, 4, "complex"},
        {":mode", "Calculating mode: complex & numerical\n" + end, 4, "complex"},
        {":mode complex=off", "Exit complex mode.\n" + end, 0, "complex"},
        {":mode cmd", "Switch into cmd mode.\n" + end, 8, "cmd"},
        {":mode", "Calculating mode: cmd (command)\n" + end, 8, "cmd"},
        {":mode cmd=off", "Exit cmd mode.\n" + end, 0, "cmd"},
        {":mode kscript", end, 8, "kscript"},
        {":mode kscript=off", "Exit kscript mode.\n" + end, 0, "kscript"},
        {":mode LP", end, 0, "LP"},
        {":mode LinearProgram", end, 0, "LP"},
        {":mode fractions", syntax + end, 0, "LP"},
    };
    Calculator calculator;
    for (const ModeRow &row : rows) {
        expectTranscript(calculator, {{row.typed, row.shown}});
        EXPECT_EQ(calculator.core.getMode(), row.word) << row.typed;
        EXPECT_EQ(calculator.modeName, row.modeName) << row.typed;
    }
}

TEST(ColonCommands, ModeReachesTheMatrices) {
    Calculator calculator;
    expectTranscript(calculator, {{":mode fraction", fractionText + end}});
    EXPECT_EQ(getMatrixMode(), 1);
    expectTranscript(calculator, {{":mode numerical", numericalText + end}});
    EXPECT_EQ(getMatrixMode(), 0);
}

TEST(ColonCommands, Expand) {
    const std::string on = "Expand on. In fraction calculation mode,\ne.g., (a+b)*(c+d) will return a*c+a*d+b*c+b*d.\n";
    const std::string off = "Expand Off.\ne.g., (a+b)*(c+d) will return (a+b)*(c+d).\n";
    Calculator calculator;
    expectTranscript(calculator, {
                                     {":expand", "Expand : Off\n" + end},
                                     {":expand=on", on + end},
                                     {":expand", "Expand : On\n" + end},
                                     {":expand Off", off + end},
                                     {":expand On", on + end},
                                     {":expand=0", off + end},
                                     {":expand=yes",
                                      "Syntax:\n:expand=on\nor\n:expand=off\nor:expand\n\tThis will print the current "
                                      "expand setting.\n" +
                                          end},
                                 });
    EXPECT_EQ(calculator.core.getExpand(), 0);
}

TEST(ColonCommands, UnknownAndMisspelledCommands) {
    const std::string inputError = "info> Input error, please try again.\n" + texts::prompt;
    Calculator calculator;
    // Command words are compared exactly: case matters.
    expectTranscript(calculator, {
                                     {":Quit", inputError},
                                     {":QUIT", inputError},
                                     {":Help", inputError},
                                     {":versions", inputError},
                                     {":2a", texts::inputError},
                                     {":", texts::inputError},
                                 });
}

TEST(ColonCommands, BatchEnds) {
    // Most commands end the batch; change, delete and show go on with the next line.
    struct BatchRow {
        std::vector<std::string> lines;
        int code;
        std::string output;
    };
    const BatchRow rows[] = {
        {{":mode", ":quit"}, 0, "Calculating mode: numerical\n" + end},
        {{":expand", ":quit"}, 0, "Expand : Off\n" + end},
        {{":v", ":quit"}, 0, ""},
        {{":list", ":quit"}, 0, "info> All variables are listed below.\n---*---*---*---\n\n" + texts::prompt},
        {{":change y t", ":quit"}, -1024, ""},
        {{":delete nothing", ":quit"}, -1024, ""},
        {{":del", ":mode"}, 0, "Calculating mode: numerical\n" + end},
    };
    for (const BatchRow &row : rows) {
        Calculator calculator;
        EXPECT_EQ(calculator.dealWithInputCommand(row.lines), row.code) << row.lines[0];
        EXPECT_EQ(calculator.output.str(), row.output) << row.lines[0];
    }
}

class PolynomialCommands : public ::testing::Test {
  protected:
    void SetUp() override {
        poly_vars.clear();
        poly_varnames.clear();
        poly_internal_names.clear();
        main_var = 'x';
    }
    void TearDown() override { main_var = 'x'; }
};

TEST_F(PolynomialCommands, ChangeTheMainVariable) {
    const std::string usage = "\nThe command :change will change the main variable used in polynomial.\nusage> "
                              ":change x t\n   or> :change x->t\n   or> :change x=t\n" +
                              end;
    Calculator calculator;
    expectTranscript(calculator, {
                                     {":change x t", "The main var has been changed to t.\n" + end},
                                     // The main variable is t now: from x there is nothing to change.
                                     {":change x t", end},
                                     {":change t->u", "The main var has been changed to u.\n" + end},
                                     {":change=u->v", "The main var has been changed to v.\n" + end},
                                     {":change v=w", "The main var has been changed to w.\n" + end},
                                     {":change=w=x", "The main var has been changed to x.\n" + end},
                                     {":change xy", "__current_parameter=xy\n__current_cmd_value=on\n" + usage},
                                     {":change x-t", usage},
                                     {":change x", "__current_parameter=x\n__current_cmd_value=on\n" + usage},
                                 });
    EXPECT_EQ(main_var, 'x');
    EXPECT_EQ(poly_internal_names, std::vector<std::string>{"x"});
}

TEST_F(PolynomialCommands, PolynomialsInTheNewMainVariable) {
    Calculator calculator;
    calculator.setOperatorChars();
    expectTranscript(calculator, {
                                     {":mode polyn", "Switch into polynomial mode.\n" + end},
                                     {":change x t", "The main var has been changed to t.\n" + end},
                                     // Polynomials are now read and written in t.
                                     {"(t+1)^2", "\nout> t^2+2t^1+1\n------------------------\n\n\n>> "},
                                 });
}

TEST_F(PolynomialCommands, DeclareListDeleteAndClear) {
    Calculator calculator;
    std::ostringstream ignored;
    ASSERT_EQ(declare_poly_variable("y", ignored), 1);
    ASSERT_EQ(declare_poly_variable("z", ignored), 1);
    const std::string usage = "\nThe command :delete or :del is used to delete the variable for polynomial.\n"
                              "usage> :delete var\n   or> :del var\n\twhere var is the name of the variable.\n" +
                              end;
    expectTranscript(calculator,
                     {
                         {":poly_vars", "y --> x_1\nz --> x_2\n\n---------------\nx, x_1, x_2, \n---*---*---*---\n\n>> "},
                         {":delete y", end},
                         // The record stays, marked deleted, and drops out of the second list.
                         {":poly_vars", "z --> x_2\n\n---------------\nx, x_2, \n---*---*---*---\n\n>> "},
                         {":del nothing", end},
                         {":del", usage},
                         {":delete", usage},
                         {":clear poly_vars", texts::prompt},
                         {":poly_vars", "\n---------------\n\n---*---*---*---\n\n>> "},
                     });
    ASSERT_EQ(poly_vars.size(), 0u);
    EXPECT_TRUE(poly_varnames.empty());
    EXPECT_EQ(poly_internal_names, (std::vector<std::string>{"x", "x_1", "x_2"}));
}

TEST_F(PolynomialCommands, RegistryIndexOutsideTheRecords) {
    // A map entry whose index names no record is listed without an internal name, and
    // deleting it touches no record.
    Calculator calculator;
    poly_vars["w"] = 7;
    expectTranscript(calculator, {
                                     {":poly_vars", "w --> \n\n---------------\nx, \n---*---*---*---\n\n>> "},
                                     {":delete w", end},
                                 });
    EXPECT_TRUE(poly_vars.empty());
    ASSERT_EQ(poly_varnames.size(), 1u);
    EXPECT_EQ(poly_varnames[0].index, 0);
}

std::string addressOf(Calculator &calculator, const std::string &name) {
    const SymbolEntry &entry = calculator.variables.at(name);
    std::ostringstream os;
    os << static_cast<const void *>(entry.slots[size_t(entry.typeCode)].get());
    return os.str();
}

TEST(ColonCommands, ListAndClearVariables) {
    Calculator calculator;
    calculator.setOperatorChars();
    expectTranscript(calculator, {
                                     {":list", "info> All variables are listed below.\n---*---*---*---\n\n>> "},
                                     {"a=123", "123\n--------------------\n>> "},
                                 });
    const std::string address = addressOf(calculator, "a");
    expectTranscript(calculator,
                     {
                         {":list", "info> All variables are listed below.\nint : a=123  \tmem addr: " + address +
                                       "\n---*---*---*---\n\n>> "},
                         {":clear", "int : a = 123  \tDeleting variable at mem addr: " + address +
                                        "\ninfo> All variables have been cleared.\n--------------------------------\n>> "},
                         {":clear", "info> All variables have been cleared.\n--------------------------------\n>> "},
                     });
    EXPECT_TRUE(calculator.variables.empty());
}

TEST(ColonCommands, InformationTexts) {
    Calculator calculator;
    const std::string version = "Version: 0.672\n\n>> ";
    const std::string about = "--------------------------------------------------\n\nName: Kavlo\n\nFunction: \n"
                              "\t 1. support doing arithmetic for big numbers\n"
                              "\t 2. other functions, such as n! sqrt(n) etc.\n"
                              "\t 3. check whether a number is a prime number.\n"
                              "\nThis project starts on: November 24th, 2018\n"
                              "type :dev_history to show the history of this project.\n"
                              "--------------------------------------------------\n>> ";
    const std::string thanks = "--------------------------------------\n 感谢您使用 Kavlo!\n Merci d'utiliser Kavlo!\n"
                               " Thank you for using Kavlo!\n--------------------------------------\n>> ";
    expectTranscript(calculator, {{":v", version},
                                  {":version", version},
                                  {":about", about},
                                  {":thanks", thanks},
                                  {":v", version}});
    // The command writes nothing of its own into the output.
    calculator.dealWithInputCommand({":v"});
    EXPECT_EQ(calculator.output.str(), "");
}

TEST(ColonCommands, ShortHelpEachTimeAfresh) {
    const std::string rule(50, '=');
    const std::string help =
        rule + "\n                  Kavlo (数学)             \n" + rule +
        "\n\n    This calculator supports the following operations:\n\n    +, -, *, /, %, ^, mod, !\n\n"
        "try:                                        \n      (5 + 2) * 3 / 7                       \n"
        "      a=123                                 \n      b=456                                 \n"
        "      a+b                                   \n      len(2305843009213693951)              \n"
        "      help(len)\n      listfunctions()\n      listfunctions(1)\n"
        "type `:more` (without '`') to show the examples.\n     `:h` or `:help` to display this hint.\n"
        "     `:thanks` to show the thanks.\n     `:about` to show the information of this program.\n"
        "     `:version` to print the version of this program.\n"
        "     `:q` or `:quit` or `:exit` to quit this program.\n\n" +
        rule + "\n>> ";
    Calculator calculator;
    expectTranscript(calculator, {{":h", help}, {":h", help}, {":help", help}});
}

TEST(ColonCommands, LongHelp) {
    Calculator calculator;
    calculator.dealWithInputCommand({":more"});
    const std::string shown = shownText(calculator);
    const std::string rule(50, '=');
    // The boxes and the quoted example lines, in order; the text ends with the prompt.
    const std::vector<std::string> pieces = {
        rule + "\n        MATHEMATICAL OPERATIONS                   \n" + rule + "\n\nCalculator\t\t\n",
        "     setprecision(12)\t -- 8 is default precision for division.\n\n  Examples:\n",
        "     isprime(2^31-1)\t -- test whether it is a Mersenne Prime.\n",
        "     factorial(9)\t -- means 9!, try input 9!+1\n",
        "     9!6\t\t -- means 9*8*7*6\n",
        "     !9\t\t\t -- means 1!+2!+3!+...+9!\n",
        "     19 mod 7\t\t -- you can use @ instead of `mod`\n",
        "     if you calculate 2^180000 mod 7, please use expmod(2,180000,7) instead.\n",
        "     log(x)\t -- logarithmic function             \n \n\n  Compare two numbers:\n",
        "        DEFINE VARIABLES DYNAMICALLY              \n",
        "      b=\"hello world\"                     \n",
        "     `:q` or `:quit` or `:exit` to quit.    \n      getValueFromMemAddr(...)            \n\n",
        "        APPLICATIONS                              \n",
        "  sum(n^2,n,1,10)\n",
        "        OTHER FUNCTIONS                 \n",
        "     `trimzeros(000.0900)` -- return 0.09\n" + rule + "\n        MATRIX OPERATIONS                 \n"
            "type `A=[1,2,3;4,5,6;7,8,9]` to define a matrix.  \n" + rule + "\n>> ",
    };
    size_t at = 0;
    for (const std::string &piece : pieces) {
        size_t found = shown.find(piece, at);
        ASSERT_NE(found, std::string::npos) << piece;
        at = found + piece.size();
    }
    EXPECT_EQ(at, shown.size());
}

// The framed rows of an art text: each of `rows` lines after the top border is "|", `width`
// characters and "|".
void expectFrame(const std::string &text, size_t width, size_t rows) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (!line.empty()) lines.push_back(line);
    ASSERT_GE(lines.size(), rows + 2);
    for (size_t i = 1; i <= rows; i++) {
        EXPECT_EQ(lines[i].size(), width + 2) << lines[i];
        EXPECT_EQ(lines[i].front(), '|') << lines[i];
        EXPECT_EQ(lines[i].back(), '|') << lines[i];
    }
}

TEST(ColonCommands, LogoAndBanner) {
    Calculator calculator;
    calculator.dealWithInputCommand({":kavlo"});
    std::string logo = shownText(calculator);
    const std::string border = "+" + std::string(116, '=') + "+\n";
    EXPECT_EQ(logo.substr(0, 1 + border.size()), "\n" + border);
    EXPECT_EQ(logo.substr(logo.size() - border.size() - 3), border + ">> ");
    expectFrame(logo, 116, 21);
    EXPECT_NE(logo.find("|KKKKKKK"), std::string::npos); // the letters start at the left edge

    calculator.dealWithInputCommand({":home"});
    std::string banner = shownText(calculator);
    EXPECT_EQ(banner.substr(0, 44), "\n\n/" + std::string(39, '=') + "\\\n");
    const std::string tail = "\\" + std::string(39, '=') + "/\n:h for help, :v for version, :q for quit.\n>> ";
    EXPECT_EQ(banner.substr(banner.size() - tail.size()), tail);
    expectFrame(banner, 39, 7);
}

TEST(ColonCommands, DevelopmentHistory) {
    Calculator calculator;
    calculator.dealWithInputCommand({":dev_history"});
    const std::string history = shownText(calculator);
    // The prompt stands between the entries of 0.474 and 0.475, and nowhere before.
    const std::string mark = "\n===================\n\n>> ";
    const size_t split = history.find(mark);
    ASSERT_NE(split, std::string::npos);
    const std::string firstPart = history.substr(0, split);
    EXPECT_EQ(firstPart.find(">> "), std::string::npos);
    EXPECT_EQ(firstPart.substr(firstPart.rfind("Version: "), 15), "Version: 0.474\n");
    EXPECT_EQ(history.substr(split + mark.size(), 15), "Version: 0.475\n");
    EXPECT_EQ(history.substr(0, 30), "Version: 0.441\nDate: 24/11/201");
    const std::string last = "Version: 0.672\nDate: 01/08/2026\n增强数组功能.\n例: var p=Primes(100); print "
                             "p[p[2]];\n\nDate October 1, 2026\n\n\n-------------------\n\n>> ";
    ASSERT_GE(history.size(), last.size());
    EXPECT_EQ(history.substr(history.size() - last.size()), last);
    for (const char *entry :
         {"Version: 0.452\nDate: 27/08/2019\nadd function eq24(a,b,c,d)\n\n",
          "Version: 0.458\nDate: 01/12/2019\nUsing hash function to deal with functions, add several functions, such "
          "as listfunctions(), help(funcName) and etc. on 01-12-2019\n\n",
          "Version: 0.585\nDate: 5/1/2024\nAdd cosine function. Try:\n\tcos(1)\n\tcos(1.5pi)\n\tcos(30d)\n\nDate "
          "January 5, 2024\n\n"})
        EXPECT_NE(history.find(entry), std::string::npos) << entry;
}

TEST(ColonCommands, TextsEmptyTheStreamsTheyShould) {
    // The version, the banner and the history leave the engine's narrow stream alone; the
    // others empty it too. The wide stream is always replaced, never appended to.
    struct TextRow {
        void (BigNumber::*text)();
        bool emptiesNarrow;
    };
    const TextRow rows[] = {
        {&BigNumber::printHelp, true},        {&BigNumber::printMoreHelp, true}, {&BigNumber::printThanks, true},
        {&BigNumber::printLogo, true},        {&BigNumber::printAbout, true},    {&BigNumber::printHomeBanner, false},
        {&BigNumber::printVersion, false},    {&BigNumber::printDevHistory, false},
    };
    for (const TextRow &row : rows) {
        BigNumber engine;
        (engine.*row.text)();
        const std::wstring once = engine.wideStream.str();
        engine.outStream << "narrow";
        (engine.*row.text)();
        EXPECT_EQ(engine.wideStream.str(), once);
        EXPECT_EQ(engine.outStream.str(), row.emptiesNarrow ? "" : "narrow");
    }
}

// A temporary working folder for the script runs, which create the folder "ext" beside them.
class ScriptFileMode : public ::testing::Test {
  protected:
    void SetUp() override {
        previous = std::filesystem::current_path();
        folder = std::filesystem::temp_directory_path() /
                 ("kavlo_kscript_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        std::filesystem::current_path(folder);
    }
    void TearDown() override {
        std::filesystem::current_path(previous);
        std::filesystem::remove_all(folder);
    }
    void writeFile(const std::string &name, const std::string &text) { std::ofstream(name) << text; }
    std::filesystem::path previous, folder;
};

TEST_F(ScriptFileMode, FailingScriptsAreReportedAndTheSessionGoesOn) {
    writeFile("good.kf", "var g = 2;\nprint g + 3;\n");
    writeFile("syntax.kf", "print 1 +;\n");
    writeFile("runtime.kf", "print nothing;\n");
    Calculator calculator;
    for (int round = 0; round < 2; round++) {
        ::testing::internal::CaptureStderr();
        expectTranscript(calculator,
                         {
                             {":mode kscript=good.kf", end},
                             {":mode kscript=syntax.kf", "error> The script syntax.kf did not compile.\n" + end},
                             {":mode kscript=runtime.kf", "error> The script runtime.kf stopped with a runtime error.\n" + end},
                             {":mode kscript=missing.kf", "error> The script missing.kf could not be read.\n" + end},
                         });
        std::string errors = ::testing::internal::GetCapturedStderr();
        EXPECT_NE(errors.find("Could not open file \"missing.kf\"."), std::string::npos);
        EXPECT_EQ(calculator.core.getMode(), kCmdBit);
        EXPECT_EQ(calculator.modeName, "kscript");
    }
    // The machine is ready for the interpreter's script attempts, its reports off again.
    EXPECT_EQ(vm_error_report(), 0);
    EXPECT_EQ(runScriptSource(&calculator.core, "print 20+22;"), 0);
    EXPECT_EQ(std::string(vm_print_result_text()), "42");
    EXPECT_EQ(runScriptSource(&calculator.core, "print 1 +;"), 1);
}

} // namespace

namespace {

class Claims : public ::testing::Test {
  protected:
    void SetUp() override { forget(); }
    void TearDown() override { forget(); }
    static void forget() {
        equality_claims.clear();
        inequality_claims.clear();
    }
};

TEST_F(Claims, ClaimAndShow) {
    Calculator calculator;
    expectTranscript(calculator, {
                                     {":show claim=", end},
                                     // Only "=", "==" and "<" make claims.
                                     {":claim x>0", "[__current_operator]: >\n" + end},
                                     {":claim x>=0", "[__current_operator]: >=\n" + end},
                                     {":claim x<=3", "[__current_operator]: <=\n" + end},
                                     {":claim x", "[__current_operator]: \n" + end},
                                     {":claim a==b+1", end},
                                     // A name keeps its first claim.
                                     {":claim a==7", end},
                                     {":show claim=", "claim[1]> a==b+1\n" + end},
                                     {":show claim=a", "claim> a==b+1\n" + end},
                                     {":show claim=z", end},
                                     {":show tables", ""},
                                     {":show claims", ""},
                                     {":claim x<5", end},
                                 });
    ASSERT_EQ(equality_claims.size(), 1u);
    ASSERT_EQ(inequality_claims.size(), 1u);
    EXPECT_TRUE(inequality_claims.at("x").strict);
    EXPECT_EQ(inequality_claims.at("x").rhs, "5");
    // Clearing the claims empties the equality claims only.
    expectTranscript(calculator, {{":clear claims", texts::prompt}, {":show claim=", end}});
    EXPECT_TRUE(equality_claims.empty());
    EXPECT_EQ(inequality_claims.size(), 1u);
}

TEST_F(Claims, ShowGoesOnWithTheNextLine) {
    Calculator calculator;
    EXPECT_EQ(calculator.dealWithInputCommand({":show tables", ":mode"}), 0);
    EXPECT_EQ(calculator.output.str(), "Calculating mode: numerical\n" + end);
    EXPECT_EQ(calculator.dealWithInputCommand({":claim a=1", ":quit"}), 0); // a claim ends the batch
}

TEST(ColonCommands, HelpOnOneFunction) {
    // ":help name" is answered as the call help(name), not with the short help.
    const std::string gcdHelp = "out> Compute the greatest common divisor of k numbers, where k>=2.\ngcd(n1,n2,...,nk)"
                                "\n\nUsage:\ngcd(num1,num2)\n\n\n------------------------\n\n>> ";
    Calculator calculator;
    calculator.setOperatorChars();
    calculator.setConfig("deleteblank", "y");
    expectTranscript(calculator, {{":help gcd", gcdHelp}, {":h gcd", gcdHelp}});
    EXPECT_EQ(calculator.inputLine, "help(gcd)");
}

TEST_F(ScriptFileMode, TheInterpretersScriptAttemptsWorkAfterAFileRun) {
    writeFile("syntax.kf", "print 1 +;\n");
    Calculator calculator;
    calculator.setOperatorChars();
    ::testing::internal::CaptureStderr();
    expectTranscript(calculator, {
                                     {"1+2", "3\n>> "},
                                     {":mode kscript=syntax.kf", "error> The script syntax.kf did not compile.\n" + end},
                                     {":mode cmd=off", "Exit cmd mode.\n" + end},
                                     {"1+2", "3\n>> "},
                                 });
    ::testing::internal::GetCapturedStderr();
}

} // namespace
