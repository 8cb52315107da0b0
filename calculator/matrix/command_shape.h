// The shape that the matrix commands share: the kinds of an argument, the cut of the
// argument out of the line, the hint block, and a literal argument read as a matrix.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "Calculator.h"
#include "matrix.h"

namespace matrix_commands {

// The name under which a literal argument's results are kept.
constexpr char kLiteralName[] = "__Matrix__";
// Closes the literal echo of several commands: 21 dashes.
constexpr char kThinRule[] = "---------------------";

// What an argument names: a number expression (answered as a 1 x 1 case), a name looked up
// in the variable table, or the body of a matrix literal.
enum class ArgumentKind { Scalar, Name, Literal };
ArgumentKind kindOf(const std::string &argument);

std::string withoutBlanks(std::string text);
// The command text as the matrix commands cut it: the interpreter keeps the blanks of the
// line in it, and "A, r1" must read as "A,r1" (det alone keeps them).
std::string commandWithoutBlanks(const Calculator &calculator);

// The rule and prompt that close the answers of literals and computed values.
void writeClosing(std::ostream &out);
// "hint> the input is wrong." and the closing.
void writeHint(std::ostream &out);

// The text between two positions of the line; false when either is missing or they are
// not in that order.
bool between(const std::string &text, size_t open, size_t close, std::string &out);

// The interpreter writes a leading minus as "0-": it reads "-" again.
void restoreMinus(std::string &argument);

// A number expression answered as itself: its text without blanks and the prompt.
void writeScalar(std::ostream &out, const std::string &argument);

// The answer of transpose, transform and QR to a name: `answer` computes and writes it for a
// matrix variable; a name that is no variable is echoed without a prompt; "\n>> " closes
// the answer of any variable.
void answerName(Calculator &calculator, const std::string &name, const std::function<void(const KV_Matrix &)> &answer);

// How a literal's columns are counted: by the literal reader, or by its first row.
enum class Columns { FromReader, FromFirstRow };

// A literal argument as a matrix: brackets taken off, variables substituted, read as the
// literal of "__Matrix__"; the matrix mode follows the engine's mode word.
KV_Matrix literalMatrix(Calculator &calculator, std::string text, Columns columns);

} // namespace matrix_commands
