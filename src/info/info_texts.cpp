// The information texts of the colon commands: short and long help, thanks, logo, home
// banner, about, version and development history. Each empties the wide stream (most also the
// narrow one, so no earlier engine output is shown with them) and writes its text there; the
// terminal shows the wide stream before anything else. Every text ends with the prompt.
#include <initializer_list>
#include <ostream>
#include <string>

#include "BigNumber.h"
#include "info/info_data.h"

namespace {

constexpr double kVersion = 0.672;
constexpr wchar_t kPrompt[] = L">> ";

// An example line of the long help: the input, then tabs up to the remark column.
struct Example {
    const wchar_t *input;
    const wchar_t *remark; // null: a line of its own
};

const Example kArithmeticExamples[] = {
    {L"(5+2)*3/7", L"the four arithmetic operations"},
    {L"", L"blank is allowed, try ( 5+ 2) *3 /7 "},
    {L"2^1000", L"powers of any size"},
    {L"isprime(19)", L"return true or false"},
    {L"isprime(2^31-1)", L"test whether it is a Mersenne Prime."},
    {L"iscomposite(20)", L"test whether it is a composite number"},
    {L"ispseudoprime(341)", L"test whether it is a pseudoprime to base 2"},
    {L"listpseudoprimes(1000)", L"list the pseudoprimes up to 1000"},
    {L"nextprime(20)", L"the least prime greater than 20"},
    {L"prevprime(20)", L"the greatest prime less than 20"},
    {L"nextMRprime(n)", L"the next probable prime by Miller-Rabin"},
    {L"prevMRprime(n)", L"the previous probable prime by Miller-Rabin"},
    {L"firstfactor(332797)", L"the least prime factor"},
    {L"factorise(29399071280019123498)", L"the prime factorisation"},
    {L"factorial(9)", L"means 9!, try input 9!+1"},
    {L"9!6", L"means 9*8*7*6"},
    {L"!9", L"means 1!+2!+3!+...+9!"},
    {L"19 mod 7", L"you can use @ instead of `mod`"},
    {L"if you calculate 2^180000 mod 7, please use expmod(2,180000,7) instead.", nullptr},
    {L"sqrt(2)", L"square root, to the precision"},
    {L"sqrtn(a,n)", L"the n-th root of a"},
    {L"binom(5,2)", L"binomial coefficient"},
    {L"gcd(15,12)", L"greatest common divisor"},
    {L"lcm(15,12)", L"least common multiple"},
    {L"xor(10110,1101)", L"exclusive or of two binary numbers"},
    {L"binary2graycode(10110)", L"binary to Gray code"},
    {L"graycode2binary(01001)", L"Gray code to binary"},
    {L"binary2decimal(10110)", L"binary to decimal"},
    {L"decimal2binary(10110)", L"decimal to binary"},
    {L"decimal2octal(10110)", L"decimal to octal"},
    {L"decimal2hex(10110)", L"decimal to hexadecimal"},
    {L"decimal2fraction(1.25)", L"decimal to fraction"},
    {L"exp(x)", L"exponential function"},
};

// Remarks start at the third tab stop (column 24); a long input gets one tab.
std::wstring tabsAfter(const std::wstring &input) {
    constexpr size_t kIndent = 5, kTabWidth = 8, kRemarkColumn = 24;
    size_t column = kIndent + input.size();
    size_t tabs = column >= kRemarkColumn ? 1 : (kRemarkColumn - column + kTabWidth - 1) / kTabWidth;
    return std::wstring(tabs, L'\t');
}

void writeExamples(std::wostream &out) {
    for (const Example &e : kArithmeticExamples) {
        if (e.remark == nullptr) {
            out << L"     " << e.input << L"\n";
            continue;
        }
        std::wstring input = e.input;
        out << L"     " << input << tabsAfter(input) << L" -- " << e.remark << L"\n";
    }
    // The last line keeps its own spacing, and a blank after its line feed.
    out << L"     log(x)\t -- logarithmic function             \n ";
}

const std::wstring kDoubleRule(50, L'=');

void writeBox(std::wostream &out, const wchar_t *title) {
    out << kDoubleRule << std::endl << title << std::endl << kDoubleRule << std::endl;
}

void writeLines(std::wostream &out, std::initializer_list<const wchar_t *> lines) {
    for (const wchar_t *line : lines) out << line << std::endl;
}

} // namespace

void BigNumber::clearInfoStreams(bool narrowToo) {
    wideStream.str(L"");
    wideStream.clear();
    if (narrowToo) {
        outStream.str("");
        outStream.clear();
    }
}

void BigNumber::printHelp() {
    clearInfoStreams(true);
    std::wostream &out = wideStream;
    out << kDoubleRule << std::endl
        << L"                  Kavlo (数学)             " << std::endl
        << kDoubleRule << std::endl;
    out << L"\n    This calculator supports the following operations:\n"
        << L"\n    +, -, *, /, %, ^, mod, !\n"
        << std::endl;
    writeLines(out, {L"try:                                        ", L"      (5 + 2) * 3 / 7                       ",
                     L"      a=123                                 ", L"      b=456                                 ",
                     L"      a+b                                   ", L"      len(2305843009213693951)              ",
                     L"      help(len)", L"      listfunctions()", L"      listfunctions(1)"});
    out << L"type `:more` (without '`') to show the examples.\n"
        << L"     `:h` or `:help` to display this hint.\n"
        << L"     `:thanks` to show the thanks.\n"
        << L"     `:about` to show the information of this program.\n"
        << L"     `:version` to print the version of this program.\n"
        << L"     `:q` or `:quit` or `:exit` to quit this program.\n"
        << std::endl;
    out << kDoubleRule << std::endl << kPrompt;
}

void BigNumber::printMoreHelp() {
    clearInfoStreams(true);
    std::wostream &out = wideStream;
    writeBox(out, L"        MATHEMATICAL OPERATIONS                   ");
    out << L"\nCalculator\t\t\n"
        << L"\n  More Functions\n\n"
        << L"     setprecision(12)\t -- 8 is default precision for division.\n"
        << L"\n  Examples:\n";
    writeExamples(out);
    out << std::endl << L"\n  Compare two numbers:" << std::endl
        << L"     use <, > or == to compare two numbers.       " << std::endl;

    writeBox(out, L"        DEFINE VARIABLES DYNAMICALLY              ");
    writeLines(out, {L"Choose which type of variable to define:    ",
                     L"type:                                       ",
                     L"      a=123                                 ",
                     L"      % this will define a variable named a ",
                     L"      % try define std::string or double ...     ",
                     L"      b=\"hello world\"                     ",
                     L"      pi=3.1415926                          ",
                     L"      symbol(x,5)  -- set variable x = 5   ",
                     L"     -------------------------------------  ",
                     L"type `:h` `:help` to display help           ",
                     L"     `:more` to display hint                ",
                     L"     `:list` to list all variables defined. ",
                     L"     `:clear` to clear all variables.       ",
                     L"     `:mode=fraction` to switch in the fraction calculating mode.",
                     L"     `:q` or `:quit` or `:exit` to quit.    "});
    out << L"      getValueFromMemAddr(...)            \n" << std::endl;

    writeBox(out, L"        APPLICATIONS                              ");
    writeLines(out, {L"solve(equation,x,minValue,maxValue), for example: ", L"  solve(x^(341-1)mod341==1,x,1,340)",
                     L"eq24(2,6,12,12)\tA game to compute 24 by given numbers",
                     L"Collatz(9)\t will print the route of 9 to 1 ",
                     L"\tin Collatz conjecture or 3x + 1 conjecture.", L"print3x1Maps(from,to) ",
                     L"\tprint results by using Collatz(from) to Collatz(to-1)", L"q_duanwu(20190622)",
                     L"q_DuanwuPlus(20190622)", L"sum(general_term,n,minValue,maxValue), for example: ",
                     L"  sum(n^2,n,1,10)"});

    writeBox(out, L"        OTHER FUNCTIONS                 ");
    writeLines(out, {L"type `:dev_history` to show the history of  ", L"     development.",
                     L"     `fix_variables(1)` make variables unchangeable.",
                     L"     `fix_variables(0)` is default setting.", L"     `trimzeros(000.0900)` -- return 0.09"});

    // The last section has no closing title box of its own.
    out << kDoubleRule << std::endl
        << L"        MATRIX OPERATIONS                 " << std::endl
        << L"type `A=[1,2,3;4,5,6;7,8,9]` to define a matrix.  " << std::endl
        << kDoubleRule << std::endl
        << kPrompt;
}

void BigNumber::printThanks() {
    clearInfoStreams(true);
    const std::wstring rule(38, L'-');
    wideStream << rule << std::endl
               << L" 感谢您使用 Kavlo!\n"
               << L" Merci d'utiliser Kavlo!\n"
               << L" Thank you for using Kavlo!\n"
               << rule << std::endl
               << kPrompt;
}

void BigNumber::printLogo() {
    clearInfoStreams(true);
    const std::wstring border = L"+" + std::wstring(116, L'=') + L"+";
    wideStream << L"\n" << border << L"\n";
    for (const wchar_t *row : kLogoArt) wideStream << L"|" << row << L"|\n";
    wideStream << border << L"\n" << kPrompt;
}

void BigNumber::printHomeBanner() {
    clearInfoStreams(false);
    const std::wstring rule(39, L'=');
    wideStream << L"\n\n" << L"/" << rule << L"\\\n";
    for (const wchar_t *row : kBannerArt) wideStream << L"|" << row << L"|\n";
    wideStream << L"\\" << rule << L"/\n" << L":h for help, :v for version, :q for quit.\n" << kPrompt;
}

void BigNumber::printAbout() {
    clearInfoStreams(true);
    wideStream << std::wstring(50, L'-') << std::endl
               << L"\nName: Kavlo\n"
               << L"\nFunction: \n"
               << L"\t 1. support doing arithmetic for big numbers\n"
               << L"\t 2. other functions, such as n! sqrt(n) etc.\n"
               << L"\t 3. check whether a number is a prime number.\n"
               << L"\nThis project starts on: November 24th, 2018\n"
               << L"type :dev_history to show the history of this project.\n"
               << L"--------------------------------------------------\n"
               << kPrompt;
}

void BigNumber::printVersion() {
    clearInfoStreams(false);
    wideStream << L"Version: " << kVersion << L"\n" << std::endl << kPrompt;
}

void BigNumber::printDevHistory() {
    clearInfoStreams(false);
    for (size_t i = 0; i < kDevHistory.size(); i++) {
        wideStream << kDevHistory[i];
        if (i + 1 == kHistoryFirstPart) wideStream << L"\n===================\n\n" << kPrompt;
    }
    wideStream << L"\n-------------------\n\n" << kPrompt;
}
