// The arithmetic engine: every operation on decimal number texts is a member of BigNumber.
//
// Numbers travel as text ("12", "-0.50", "3|4", "Inf", "2*x"). A member that produces a
// number writes it into `result` and returns a reference to it; the reference is valid only
// until the next member call on the same engine, so callers copy it at once. Failures are
// answers too: special words and message texts come back through the same channel.
//
// The members are implemented by topic in src/ (one file per topic); the file names follow
// the groups below.
#pragma once

#include <array>
#include <cstdint>
#include <iostream>
#include <map>
#include <ostream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "mode_word.h"

struct SeriesSettings;

class BigNumber {
public:
    BigNumber();
    ~BigNumber();
    BigNumber(const BigNumber &) = delete;
    BigNumber &operator=(const BigNumber &) = delete;

    // ---- settings and working texts (engine/BigNumber.cpp) ----
    void setResult(const std::string &text) { result = text; }
    std::string &getResult() { return result; }
    void setPrecision(int32_t n) { precision = n; }
    int32_t getPrecision() const { return precision; }
    void setMode(int32_t word) { mode = word; }
    int32_t getMode() const { return mode; }
    void setExpand(int32_t n) { expand = n; }
    int32_t getExpand() const { return expand; }
    void setFixVariables(int32_t n) { fix_variables = n > 0 ? 1 : 0; }
    int32_t getFixVariables() const { return fix_variables; }
    void setExpression(const std::string &text) { expression = text; }
    std::string &getExpression() { return expression; }
    std::string &getPostfix() { return postfix; }
    std::string &getOriginalExpression() { return originalExpression; }
    void setErrorMessage(const std::string &text) { errorMessage = text; }
    std::string &getErrorMessage() { return errorMessage; }

    // ---- digit arithmetic on unsigned digit texts (arith/digit_arithmetic.cpp) ----
    std::string &int_addition(const std::string &a, const std::string &b);
    std::string &int_subtraction(const std::string &a, const std::string &b);
    std::string &int_multiplication(const std::string &a, const std::string &b);
    std::string &negate(const std::string &x);
    std::string &absolute(const std::string &x);
    static std::string &reverse_string(std::string &text);
    static double sqrt_by_digits(double x);
    static double pow10_double(int n);

    // ---- signed addition and subtraction (arith/signed_arithmetic.cpp) ----
    std::string &addition(const std::string &a, const std::string &b);
    std::string &real_subtraction(const std::string &a, const std::string &b);
    std::string &real_addition(const std::string &a, const std::string &b);

    // ---- multiplication of numbers and terms (arith/multiplication.cpp) ----
    std::string &multiplication(const std::string &a, const std::string &b);

    // ---- digit tools, conversions and number-text predicates (arith/number_text.cpp) ----
    static std::string prependZeros(std::string &text, int n);
    static std::string appendZeros(std::string &text, int n);
    static std::string trimZeros(const std::string &text);
    static std::string stripLeadingZeros(const std::string &text);
    static bool isEven(const std::string &text);
    static std::string ull2string(uint64_t value);
    static std::string longlong2string(int64_t value);
    static int64_t cstr2longlong(const char *chars);
    static int64_t signedString2longlong(const char *chars);
    static int64_t string2longlong(const std::string &text);
    static bool isRealNumber(const std::string &text);
    static bool isDecimal(const std::string &text);
    static bool isFraction(const std::string &text);
    static bool splitFraction(const std::string &text, std::string &numerator, std::string &denominator);
    static bool isPositiveInteger(std::string &text);
    static bool isBinaryString(const std::string &text);

    // ---- comparisons (arith/comparisons.cpp) ----
    bool isLessThan(const std::string &a, const std::string &b);
    bool isGreaterThan(const std::string &a, const std::string &b);
    bool isLessOrEqual(const std::string &a, const std::string &b);
    bool isEqualTo(const std::string &a, const std::string &b);
    std::string lessThanText(const std::string &a, const std::string &b);
    std::string greaterThanText(const std::string &a, const std::string &b);
    std::string equalToText(const std::string &a, const std::string &b);
    static bool isLessBelowOne(const std::string &a, const std::string &b);

    // ---- sorting of number texts (arith/sorting.cpp) ----
    void sort_numbers_asc(std::vector<std::string> &v);
    void sort_numbers_desc(std::vector<std::string> &v);
    void sort_numbers_asc_range(std::vector<std::string> &v, int64_t first, int64_t last);
    void sort_numbers_desc_range(std::vector<std::string> &v, int64_t first, int64_t last);
    std::string &sort_numbers_median3(std::vector<std::string> &v, int64_t first, int64_t last);

    // ---- fraction comparisons (arith/fraction_comparisons.cpp) ----
    bool isFractionLess(const std::string &a, const std::string &b);
    bool isFractionGreater(const std::string &a, const std::string &b);
    bool isFractionEqual(const std::string &a, const std::string &b);

    // ---- integer division (arith/integer_division.cpp) ----
    std::string &int_quotient(const std::string &a, const std::string &b);
    std::string &int_remainder(const std::string &a, const std::string &b);
    std::string &int_division(const std::string &a, const std::string &b);

    // ---- fraction arithmetic (arith/fraction_arithmetic.cpp) ----
    std::string &fr_addition(const std::string &a, const std::string &b);
    std::string &fr_subtraction(const std::string &a, const std::string &b);
    std::string &fr_multiplication(const std::string &a, const std::string &b);
    std::string &fr_division(const std::string &a, const std::string &b);
    std::string &reciprocal(const std::string &x, int kind);
    int split_coefficient(const std::string &term, std::string &coefficient, std::string &rest);

    // ---- real division and the quotient operator (arith/real_division.cpp) ----
    std::string &real_division(const std::string &a, const std::string &b);
    std::string &quotient_operator(const std::string &a, const std::string &b);

    // ---- decimal to fraction (arith/decimal_to_fraction.cpp) ----
    std::string decimal_to_fraction(const std::string &x);
    std::string decimal_to_fraction2(const std::string &x);

    // ---- powers (arith/powers.cpp) ----
    std::string &int_power(const std::string &x, int64_t n);
    std::string &fr_power(const std::string &x, int64_t n);
    std::string &power(const std::string &base, const std::string &exponent);

    // ---- factorials, falling products and binomials (arith/factorials.cpp) ----
    std::string &falling_factorial(const std::string &x, const std::string &y);
    std::string &factorial_operator(const std::string &x, const std::string &y);
    std::string &fr_factorial_operator(const std::string &x, const std::string &y);
    std::string &fr_falling_factorial(const std::string &x, const std::string &y);
    std::string &binom_value(const std::string &n, const std::string &k);
    std::string expand_factorial_expr(const std::string &n, const std::string &k);

    // ---- floor, ceiling and rounding (arith/rounding.cpp) ----
    std::string &floor_real(const std::string &x);
    std::string &ceil_real(const std::string &x);
    std::string &round_real(const std::string &x);

    // ---- number bases and Gray code (arith/number_bases.cpp) ----
    std::string &decimal_to_base(const std::string &x, const std::string &p);
    std::string &decimal_to_hex(const std::string &x);
    std::string &decimal_to_octal(const std::string &x);
    std::string &base_to_decimal(const std::string &x, const std::string &p);
    std::string &hex_to_decimal(const std::string &x);
    std::string &octal_to_decimal(const std::string &x);
    int digits_to_decimal(const std::string &p, const std::vector<std::string> &digits, std::string &out);
    std::string decimal_to_binary(const std::string &x);
    std::string integer_to_binary(const std::string &x);
    std::string fraction_to_binary(const std::string &f);
    std::string &binary_to_decimal(const std::string &x);
    std::string &binary_to_gray(const std::string &b);
    std::string &gray_to_binary(const std::string &g);
    std::string &binary_xor(const std::string &a, const std::string &b);

    // ---- the evaluation driver (expr/evaluation_driver.cpp) ----
    void EvalInfixExprNoOutput(const std::string &e, std::string &v, int32_t flags);
    void EvalInfixExpression(const std::string &e, std::string &v);
    void replaceInExpression(const std::string &from, const std::string &to);
    static void replaceAll(std::string &subject, const std::string &from, const std::string &to);
    static std::string charToString(char c);

    // ---- normalisation (expr/normalisation.cpp) ----
    std::string &prepareExpression();
    std::string &preparePolynExpression();
    std::string fixDecimalPoints(const std::string &text);
    std::string expandFactorialSums(const std::string &text);
    std::string factorialSum(int32_t n);

    // ---- infix syntax checks (expr/syntax_checks.cpp) ----
    bool checkInfixSyntax(const std::string &text);
    bool checkSymbolicInfixSyntax();
    bool checkNumericInfixSyntax();
    static bool hasParenthesis(const std::string &text);
    static bool hasPlusOrMinus(const std::string &text);

    // ---- tokenisers (expr/tokenisers.cpp) ----
    std::string tokenizeInfix();
    std::string tokenizeFractionInfix();
    std::string tokenizeSymbolicInfix();
    std::string tokenizePolynInfix();
    std::string tokenizeMultiPolynInfix();
    static int percentToFraction(std::string &text);
    static int countPercentSigns(const std::string &text);
    static bool isOperatorChar(char &c);
    static bool isBracketBalanced(const std::string &text);

    // ---- infix to postfix (expr/postfix_conversion.cpp) ----
    void ConvertInfixToPostfix();
    void ConvertFractionInfixToPostfix();
    void ConvertPolynInfixToPostfix();
    void ConvertMultiPolynInfixToPostfix();
    void ConvertComplexInfixToPostfix();
    std::string InsertCommaInPostfix();
    std::string InsertCommaInPolynPostfix();
    std::string InsertCommaInMultiPolynPostfix();
    static bool hasHigherPriority(const std::string &top, const std::string &incoming);
    static bool hasHigherCharPriority(char top, char incoming);
    static bool isOperandChar(char c);
    static bool isFractionOperandChar(char c);
    static bool isPolynOperandChar(char c);
    static bool isMultiPolynOperandChar(char c);
    static bool isComplexOperandChar(char c);

    // ---- postfix evaluation (expr/numeric_evaluation.cpp, expr/fraction_evaluation.cpp,
    //      expr/complex_evaluation.cpp). Slots: 0 operator, 1 right operand, 2 left operand.
    using OperandSlots = std::array<std::string, 3>;
    std::string EvalPostfixExprNoOutput(std::string postfixText);
    std::string EvalPostfixExpression(std::string postfixText);
    std::string numericBinaryOp(const OperandSlots &slots);
    std::string EvalFractionPostfixExprNoOutput(std::string postfixText);
    std::string EvalFractionPostfixExpression(std::string postfixText);
    std::string fractionBinaryOp(const OperandSlots &slots);
    std::string complexPostfixEval(std::string postfixText);
    std::string complexBinaryOp(const OperandSlots &slots);

    // ---- angles (elementary/angles.cpp) and trigonometry (elementary/trigonometry.cpp) ----
    std::string deg2radText(const std::string &degrees);
    std::string turnOffset(const std::string &angle, std::string &twoPi);
    const char *cosDoubleAngleText(const char *angle);
    const char *sinDoubleAngleText(const char *angle);
    std::string &cosine(const std::string &x);
    std::string &sine(const std::string &x);
    std::string &tangent(const std::string &x);
    std::string &cotangent(const std::string &x);

    // ---- logarithms (elementary/logarithms.cpp) and the exponential (elementary/exponential.cpp) ----
    std::string &ln2();
    std::string &ln10();
    std::string &naturalLog(const std::string &x);
    std::string &exponential(const std::string &x);
    std::string &exponentialValue(std::string x);

    // ---- square roots and higher roots (arith/roots.cpp) ----
    std::string &sqrtDigitPairs(const std::string &x);
    std::string &simplifySqrt(const std::string &x);
    std::string &sqrt_signed(const std::string &x, bool exact);
    std::string &nthRootNumeric(const std::string &x, int64_t n);
    std::string &simplifySqrtn(const std::string &x, int64_t n);
    std::string &complexRootsText(const std::string &x, int64_t n, bool exact);

    // ---- number-theory services used by the arithmetic (number_theory/) ----
    std::string &gcd(const std::string &a, const std::string &b);
    int64_t floor_log(const std::string &n, int64_t a);
    std::string &piFunction(const std::string &x);
    std::string sumSeries(const std::string &term, const std::string &variable, const std::string &from,
                          const std::string &to, bool constantTerm, bool expand, std::ostream &out = std::cout);
    std::string &factorisePowerText(const std::string &n, std::map<std::string, int32_t> &table,
                                    int threshold, bool print);

    // ---- primality, the prime table, prime stepping and factorisation (number_theory/) ----
    // Tests on integer texts (number_theory/primality.cpp). Above 2^64 the verdicts come
    // from strong tests (proven below 3.3e24, Baillie-PSW above); the random bases of the
    // probabilistic members come from the engine's own generator, from 2 to n - 2.
    bool isPrime(const std::string &n);
    static bool is_prime_64(uint64_t v);
    bool isProbablePrime(const std::string &n);
    bool isComposite(const std::string &n);
    bool isCompositeByLittleFermat(const std::string &n);
    bool millerRabinTest(const std::string &n, int k);
    std::string &mr_powmod(const std::string &a, const std::string &e, const std::string &n);
    static uint64_t powmod_u64(uint64_t a, uint64_t e, uint64_t m);
    bool isPseudoprime(const std::string &n);
    int smallestSmallDivisor(const std::string &n);
    static bool divisibleBySmallPrimeRule(const std::string &n, int p);
    static bool isDivisibleBy3(const std::string &n);
    static bool isDivisibleBy5(const std::string &n);
    bool isMersenneForm(const std::string &s, std::string &p);
    bool lucasLehmerTest(const std::string &s, std::string &m);
    std::string randomBase(const std::string &n);  // a base from 2 to n - 2 (n >= 4)
    uint64_t randomState = 0x6b61766c6f726e67;     // the engine's generator, never reseeded

    // The prime table and prime counting (number_theory/prime_table.cpp, pi.cpp). Bounds of
    // 2^32 or more are refused: the counts answer kRefusedBound and a hint is printed.
    static constexpr int64_t kRefusedBound = -2;
    int64_t Primes(int64_t n, bool print);
    int64_t primeCount(const std::string &n);
    int64_t sieveNonPrimes(int64_t n, std::vector<int64_t> &out);
    static int64_t binarySearchPrime(const std::vector<uint64_t> &v, int64_t x);
    int64_t indexOfPrime(uint32_t x);
    void listPiX(const std::string &a, const std::string &b);

    // Prime stepping (number_theory/prime_stepping.cpp): n becomes the prime found.
    std::string &nextPrime(std::string &n);
    std::string &prevPrime(std::string &n);
    std::string &nextMRprime(std::string &n);
    std::string &prevMRprime(std::string &n);

    // Factorisation and its printed forms (number_theory/factor.cpp). Factors of up to
    // about 25 digits are found; a composite beyond the search answers an "Error> " text.
    std::string &firstFactor(const std::string &n, const std::string &start, size_t threshold);
    std::string &firstFactorMR(const std::string &n, const std::string &start, size_t threshold);
    std::string &factoriseToList(const std::string &n, std::set<std::string> &primes, size_t threshold);
    std::string &factorsToString(const std::string &n, std::vector<std::string> &factors, size_t threshold,
                                 bool echo);
    std::string &factoriseText(const std::string &n, size_t threshold, bool echo);
    std::string &factorsToStringMR(const std::string &n, size_t threshold, bool echo);
    int factoriseToMap(const std::string &n, std::map<std::string, int32_t> &table, size_t threshold);
    int stripPowersOfTwo(const std::string &n, std::string &odd);
    std::string &factorise_with_exponents(const std::string &n);
    std::string &factorise_analysis(const std::string &n);

    // The long primality report of the isprime command (number_theory/primality_report.cpp):
    // 1 prime, 0 not prime, -1 empty input.
    int isprimeVerbose(const std::string &n, std::ostream &os);

    // ---- arithmetic functions, series, lists, symbols and sequences (number_theory/) ----
    // The free routines of this group are in number_routines.h.
    // gcd.cpp (with gcd and floor_log above)
    std::string &gcd_with_steps(const std::string &a, const std::string &b);
    std::string &lcm(const std::string &a, const std::string &b);
    // arithmetic_functions.cpp
    std::string &euler_phi(const std::string &n);
    int mobius_value(const std::string &n);
    std::string &biggest_prime_factor(const std::string &n);
    int divisor_count(const std::string &n, std::string &largest);
    std::string &factorial_factorization(const std::string &n);
    std::string &factorial_decomposition(const std::string &n);
    int count_exact_divisions(const std::string &n, int64_t p);
    // modular.cpp
    std::string &int_expmod(const std::string &base, const std::string &power, const std::string &N);
    std::string &orderModulo(const std::string &a, const std::string &m);
    // series.cpp (with sumSeries above), recursive_series.cpp
    void printSeriesTerms(const std::string &term, const std::string &variable, const std::string &minValue,
                          const std::string &maxValue, const std::string &delimiter, bool constantTerm,
                          std::ostream &out = std::cout);
    void print_recursive_series(std::ostream &out, SeriesSettings &settings, bool constantExpression, bool plain);
    // number_lists.cpp
    bool splitAtChar(const std::string &text, std::vector<std::string> &list, char separator);
    bool expandItemList(const std::string &text, std::vector<std::string> &list, char separator);
    // continued_fractions.cpp
    std::string continuedFraction(const std::string &x, std::string &expression, std::string &detail,
                                  std::string &tex);
    std::string continuedFractionValue(const std::vector<std::string> &list, std::string &expression,
                                       std::string &tex);
    std::string fareySequence(const std::string &n, std::vector<std::string> &list, bool withContinuedFractions);
    // goldbach.cpp
    int64_t goldbach_decompose(int64_t n, std::ostream &out);
    int64_t goldbach_decompose_big(const std::string &n, bool prefix, const std::string &start, std::ostream &out);

    // ---- polynomials in one variable and rational functions (polynomial/): the term lists and
    //      the term tree are declared in polyn_terms.h, the operations in polynomial.h ----

    // ---- polynomials in several variables and interpolation (polynomial/): the lists and
    //      their operations are declared in multipolyn.h, interpolation in polynomial.h ----
    // multipolyn_postfix.cpp: the value of the current expression as a polynomial in several
    // variables, with the user's names: its names x_k registered first when asked, the user
    // names replaced by the internal ones, then tokenised, converted and evaluated. The trace
    // writes the texts before and after the replacement and the answer on standard output.
    std::string multiPolynValue(bool registerNames, bool trace);

    // ---- expression trees, derivatives and limits (calculus/): the trees, the derivative
    //      and the workers of diff and lim are declared in calculus.h ----

    // ---- matrices (matrix/): the matrix value and its operations are declared in matrix.h ----
    // ---- linear programs (linear_program/): the simplex method is declared in linear_program.h ----

    // ---- equation solvers and the 24 game (solvers/) ----
    // Coefficient lists run by power (element i multiplies x^i); absent elements count as "0".
    int solve_linear_equation(const std::vector<std::string> &coefficients, std::string &root,
                              std::ostream &out);
    int solve_eqn_of_deg2(const std::vector<std::string> &coefficients, std::vector<std::string> &roots,
                          std::ostream &out);
    int solve_cubic_equation(const std::vector<std::string> &coefficients, std::vector<std::string> &roots,
                             std::ostream &out);
    // Writes every 24-game template that the four number texts make equal to the target.
    int solve24Templates(const std::array<std::string, 4> &numbers, const std::string &target,
                         std::ostream &out);

    // ---- information texts of the colon commands (info/info_texts.cpp) ----
    // Each replaces the content of wideStream with its text, ending in the prompt.
    void printHelp();
    void printMoreHelp();
    void printThanks();
    void printLogo();
    void printHomeBanner();
    void printAbout();
    void printVersion();
    void printDevHistory();

    std::vector<uint64_t> primeTable;  // refilled by the prime sieve
    std::stringstream outStream;       // printed output of members that print as they compute
    std::wstringstream wideStream;     // help, version, history and prime listings

private:
    // ---- helpers of the information texts (info/info_texts.cpp) ----
    // Empties wideStream, and outStream too when asked.
    void clearInfoStreams(bool narrowToo);

    // ---- helpers of the multiplication (arith/multiplication.cpp) ----
    std::string singleTermProduct(const std::string &t, const std::string &o);

    // ---- helpers of the division of terms (arith/real_division.cpp) ----
    std::vector<std::string> foldNumericTerms(const std::string &operand, bool &hadSymbolic, bool &hadNumeric);
    std::string &divideTerms(const std::string &a, const std::string &b);

    // ---- helpers of the fraction arithmetic (arith/fraction_arithmetic.cpp) ----
    std::string fractionNumerator(const std::string &T, const std::string &P, const std::string &Q, bool subtract);

    // ---- helpers of the powers (arith/powers.cpp) and roots (arith/roots.cpp) ----
    std::string &rationalPower(const std::string &base, int64_t num, int64_t den, bool baseNegative,
                               bool exponentNegative);
    std::string &powerByFraction(const std::string &base, const std::string &num, const std::string &den,
                                 bool baseNegative, bool exponentNegative);
    std::string complexReciprocal(const std::string &z);
    std::string simplifyIntegerRoot(const std::string &m, int64_t n);

    // ---- steps of the fraction walk (expr/fraction_evaluation.cpp) and complex walk
    //      (expr/complex_evaluation.cpp) ----
    std::string evaluatePowerText(const std::string &x, const std::string &y);
    std::string fractionPower(const std::string &a, const std::string &b);
    std::string fractionToFractionPower(const std::string &aw, const std::string &av, const std::string &au,
                                        const std::string &at, bool aNeg, bool bNeg);
    std::string fractionQuotient(const std::string &a, const std::string &b);
    std::string fractionRemainder(const std::string &a, const std::string &b);
    std::string walkFractionPostfix(const std::vector<std::string> &fields, bool traced);
    std::string complexPower(const std::string &a, const std::string &b);

    // ---- helpers of the falling products (arith/factorials.cpp) ----
    std::string &fractionWalk(const std::string &x, const std::string &y);
    std::string &decimalFallingProduct(const std::string &x, const std::string &y);

    char textBuffer[1001] = {};  // formatting buffer of the double-angle texts
    std::string result = "0";
    int32_t precision = 8;
    int32_t mode = 0;  // bit 0: fractions; 2 polyn, 4 complex, 8 cmd, 16 paint
    int32_t expand = 0;
    int32_t fix_variables = 0;
    std::string expression;
    std::string postfix;
    std::string originalExpression;
    std::string errorMessage;
};
