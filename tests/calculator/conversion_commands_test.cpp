// The number-base, digit and rounding commands as the terminal shows them.
#include <gtest/gtest.h>

#include "handler_test_support.h"

namespace {

using namespace handler_texts;

TEST(ConversionCommands, Transcript) {
    Calculator calculator;
    calculator.setOperatorChars();
    expectHandlerTranscript(
        calculator,
        {
            {"xor(101,11)", answer("110")},
            {"xor(1,0)", answer("1")},
            {"xor(102,1)", hint("102 or 1 is not a binary number.")},
            {"xor(,1)", hint(" or 1 is not a binary number.")},
            {"xor(1)", shapeHint},
            {"trimzeros(+007.500)", answer("7.5")},
            {"trimzeros(1a)", hint("1a contains non digit char.")},
            {"round(2.5)", answer("3")},
            {"round(2.49)", answer("2")},
            {"round(-2.5)", answer("-3")},
            {"round(-0.4)", answer("-0")},
            // Inner brackets belong to the argument.
            {"round((2.5))", "hint> (2.5) contains non digit char, it is regarded as a std::string.\n" + answer("5")},
            {"round(abc)", "hint> abc contains non digit char, it is regarded as a std::string.\n" + answer("3")},
            {"round()", "hint>  contains non digit char, it is regarded as a std::string.\n" + answer("0")},
            {"ceil(-2.5)", answer("-2")},
            {"floor(-2.5)", answer("-3")},
            {"ceil(2.01)", answer("3")},
            {"floor(7)", answer("7")},
            {"floor(ab)", "hint> ab contains non digit char, it is regarded as a std::string.\n" + answer("2")},
            {"octal2decimal(017)", answer("15")},
            {"octal2decimal(17)", answer("The first character of 17 should be `0`.")},
            {"hex2decimal(0xff)", answer("255")},
            {"hex2decimal(ff)", answer("ff is NOT a valid hexadecimal number.")},
            {"hex2decimal()", shapeHint},
            {"decimal2octal(8)", answer("010")},
            {"decimal2octal(+8)", answer("+8 is NOT a valid decimal integer.")},
            {"decimal2octal(8a)", hint("8a is not a decimal number.")},
            {"decimal2hex(255)", answer("0xff")},
            {"decimal2hex(-255)", hint("0-255 is not a decimal integer.")},
            {"decimal2hex()", shapeHint},
            {"decimal2binary(10)", answer("1010")},
            {"decimal2binary(x)", hint("x is not a decimal number.")},
            {"decimal2any(255,16)", answer("0xff")},
            {"decimal2any(-255,2)", answer("-11111111")},
            {"decimal2any(35,36)", answer("z")},
            {"decimal2any(255,sixteen)", hint("sixteen contains non digit char.")},
            {"any2decimal(zz,36)", answer("1295")},
            {"any2decimal(12,2)", answer("12 is NOT a valid p-base number, where p <=36.")},
            // Bases outside 2 to 36 are refused before the engine divides by them.
            {"any2decimal(11,1)", hint("1 is out of range: an integer from 2 to 36 is needed here.")},
            {"decimal2any(11,0)", hint("0 is out of range: an integer from 2 to 36 is needed here.")},
            {"decimal2any(11,37)", hint("37 is out of range: an integer from 2 to 36 is needed here.")},
            {"decimal2any(11,18446744073709551618)",
             hint("18446744073709551618 is out of range: an integer from 2 to 36 is needed here.")},
            {"decimal2any(11,)", hint(" contains non digit char.")},
            {"decimal2any(,2)", shapeHint},
            {"binary2decimal(101.1)", answer("5.5")},
            {"binary2decimal(102)", hint("102 is not a binary number.")},
            {"binary2decimal(1a)", hint("1a contains non digit char.")},
            {"binary2graycode(1011)", answer("1110")},
            {"binary2graycode(1.1)", hint("1.1 contains non digit char.")},
            {"graycode2binary(1110)", answer("1011")},
            {"graycode2binary(12)", hint("12 is not a binary number.")},
            {"decimalToFraction(0.75)", answer("3|4")},
            {"decimalToFraction(2)", answer("2|1")},
            {"decimalToFraction(1/4+1/2)", answer("3|4")},
            {"decimalToFraction(-0.5)", answer("-1|2")},
            {"decimalToFraction(x)", hint("x is not a decimal number.")},
            {"decimal2fraction(2.5)", answer("2+1|2==5|2")},
            {"decimal2fraction(-2.5)", answer("-(2+1|2)==-(5|2)")},
            {"decimal2fraction()", shapeHint},
        });
}

// A handler's answer replaces the one before, and a hint ends with exactly one prompt.
TEST(ConversionCommands, OneAnswerOnePrompt) {
    Calculator calculator;
    calculator.setOperatorChars();
    calculator.core.setPrecision(kHandlerPrecision);
    processInputLine("decimal2hex(255)", calculator);
    processInputLine("decimal2hex(z)", calculator);
    const std::string shown = shownText(calculator);
    EXPECT_EQ(shown, hint("z is not a decimal integer."));
    EXPECT_EQ(shown.find(texts::prompt), shown.size() - texts::prompt.size());
}

} // namespace
