// What the command handlers share. A handler is a few lines: start the answer, cut the
// arguments, check them, call the engine, write one block.
//
//   answer start   startAnswer: empties the output and gives the stream to write into
//   cutting        getParenArgument (matching parenthesis), closedRest (first or last ")"),
//                  firstBracketArgument, wholeBracketArgument (typed line), twoArguments,
//                  itemList, boundParameters
//   minus          readBackMinus ("0-x" back to "-x"), cutMinus (sign kept apart)
//   numbers        boundedInteger: a text read as a machine integer in a range, checked;
//                  isRealArgument, isDigitsArgument: the predicates without the empty text
//   blocks         writeAnswer ("out> " + value + the closing), writeClosing,
//                  writeClosingBlock, writeHint with its message table (one or two
//                  arguments), writeShapeHint, writeRangeHint, writeComparisonFailure,
//                  writeUsageLine
//   printed text   capturedConsole: what an engine or loader routine prints on the standard
//                  output, error and log streams, so that it can be written into the answer
//                  (the window has no console)
//
// The engine's own lines (steps, echoes in its output stream) are shown before the handler's
// answer: the dispatch road joins them after the handler (Calculator::joinEngineLines).
#pragma once

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

class Calculator;

// ---- the answer ----

// Empties the output (text and error state) and gives it: every handler starts here.
std::ostream &startAnswer(Calculator &calculator);

// A line end, the rule between two line ends, the prompt: the end of every block.
void writeClosing(std::ostream &out);
// The closing without its first line end, after text that already ends with one.
void writeClosingBlock(std::ostream &out);
// "out> " + value + the closing.
void writeAnswer(std::ostream &out, std::string_view value);

// ---- hints ----

// The messages of a hint block, after "hint> " and the argument text.
enum class Hint {
    NonDigit,           // " contains non digit char."
    TakenAsString,      // " contains non digit char, it is regarded as a std::string."
    NotDecimalNumber,   // " is not a decimal number."
    NotDecimalInteger,  // " is not a decimal integer."
    NotBinary,          // " is not a binary number."
    NotInfix,           // " is not a valid infix expression."
    NotPositiveInteger, // " is not a positive integer."
    Negative,           // " must be a nonnegative integer."
    NotPrime,           // " is not a prime."
    NotPolynomial,      // " is NOT a polynomial."
    NotPolynomialOfX,   // " is NOT a polynomial of x"
    NotPolynomialShort, // " is NOT polynomial."
    InvalidFunctionName // " is invalid function name."
};
std::string_view hintMessage(Hint hint);

// "hint> " + argument + message + the closing.
void writeHint(std::ostream &out, std::string_view argument, Hint hint);
// "hint> " + first + " or " + second + message + the closing.
void writeHint(std::ostream &out, std::string_view first, std::string_view second, Hint hint);
// "hint> the input is wrong." + the closing: a call of the wrong shape.
void writeShapeHint(std::ostream &out);
// "hint> " + the engine's range message for a number that is no integer in [low, high] +
// the closing.
void writeRangeHint(std::ostream &out, std::string_view text, int64_t low, int64_t high);
// "Error: " + a + " is less than " + b + "." + the closing.
void writeComparisonFailure(std::ostream &out, std::string_view a, std::string_view b);
// "syntax> " + form + a line end: the usage line some commands add.
void writeUsageLine(std::ostream &out, std::string_view form);

// ---- cutting styles ----

// The text between the first "(" of the command text and its matching ")" (depth counted;
// text after it ignored). False, after a hint and the closing in `out`, when there is no
// "(" or the brackets never close; `argument` is then empty.
bool getParenArgument(Calculator &calculator, std::string &argument, std::ostream &out);

// Which ")" of the rest after the first "(" must be its final character.
enum class Close { First, Last };
// Everything after the first "(" (the whole text without one), whose first or last ")" is
// its final character; that ")" dropped. False when the rest does not end so.
bool closedRest(const std::string &text, std::string &argument, Close close);

// The text between the first "(" and the first ")" of `text`; a missing ")" lets it run to
// the end, a missing "(" or a ")" before it is wrong. The tail after the ")" is ignored.
bool firstBracketArgument(const std::string &text, std::string &argument);

// The text between the first "(" and the last ")" of the typed line; with `lineEnd` the ")"
// must also be the line's final character.
bool wholeBracketArgument(const std::string &line, std::string &argument, bool lineEnd);

// "(" first "," second ")": the first "," after the "(", then the first or last ")" after
// it; a missing ")" lets the second run to the end. Texts kept as cut.
bool twoArguments(const std::string &text, std::string &first, std::string &second, Close close);

// The argument cut at "," and expanded by the engine (ranges such as 3,4,...,10, items that
// are expressions evaluated); false when the engine refuses it.
bool itemList(Calculator &calculator, const std::string &argument, std::vector<std::string> &items);

// The closed rest (last ")") cut at "," into the values of the registered parameters of
// `name`, in order (missing ones empty). When the rest does not end with ")" the diagnostic
// lines and the shape hint are written; when there are more values than parameters only
// the shape hint. False in both cases.
bool boundParameters(Calculator &calculator, const std::string &name, std::vector<std::string> &values,
                     std::ostream &out);
// The diagnostic lines some closed-rest commands write before their shape hint: the text
// after the "(", the position of its last ")" and its length.
void writeRestDiagnostics(std::ostream &out, const std::string &rest);
// The text after the first "(" (the whole text without one).
std::string restAfterOpen(const std::string &text);

// ---- the minus the interpreter wrote as "0-" ----

// "0-x" (at least `minLength` bytes) becomes "-x"; true when it did.
bool readBackMinus(std::string &argument, size_t minLength = 3);
// "0-x" (at least `minLength` bytes) becomes "x"; true when the minus was cut.
bool cutMinus(std::string &argument, size_t minLength = 3);

// ---- numbers ----

// The argument as a machine integer from `low` to `high` by the engine's checked conversion;
// false, after a range hint and the closing in `out`, when it is not one.
bool boundedInteger(std::ostream &out, const std::string &argument, int64_t low, int64_t high, int64_t &value);

// The predicates' checks with the empty text refused: the engine's predicates take "", a
// lone sign or a lone point as numbers, and a command needs at least one digit.
bool hasDigit(const std::string &argument);
bool isRealArgument(const std::string &argument);   // isRealNumber, with a digit
bool isDigitsArgument(const std::string &argument); // isAllDigits, not empty

// ---- printed text ----

// What `body` printed on std::cout, std::cerr and std::clog, in the order printed, taken
// from them.
std::string capturedConsole(const std::function<void()> &body);
